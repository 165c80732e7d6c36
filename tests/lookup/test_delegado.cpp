// The list's cell painter paints a cell with nothing but its panel through the panel alone: it
// must give what the style's whole item gives, under plain styles and under a style sheet with
// rules for the items.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <memory>
#include <tuple>

#include "DelegadoFilas.h"

TEST(DelegadoFilas, UnaCeldaSinOtrasPartesSePintaIgualConSoloElPanel) {
    using O = QStyleOptionViewItem;
    const QStyle::State activa = QStyle::State_Enabled | QStyle::State_Active;
    const std::pair<O::ViewItemFeatures, QStyle::State> variantes[] = {
        {O::HasDisplay, activa},
        {O::Alternate, activa},
        {{}, activa | QStyle::State_MouseOver},
        {{}, QStyle::State_None},  // the first four are plain
        {{}, activa | QStyle::State_Selected},
        {{}, activa | QStyle::State_HasFocus},
        {O::HasCheckIndicator, activa},
        {O::HasDecoration, activa}};
    int soloPanel = 0;
    for (const char* nombre : {"Fusion", "Windows"}) {
        const std::unique_ptr<QStyle> estilo(QStyleFactory::create(nombre));
        for (const char* hoja : {"",
                                 "QTreeView::item { background: #fe8; border: 1px solid #a33; "
                                 "} QTreeView::item:alternate { background: #ddd; }"}) {
            QTreeView vista;
            vista.setStyle(estilo.get());
            vista.setStyleSheet(hoja);
            for (const auto& [rasgos, estado] : variantes) {
                O o;
                o.initFrom(&vista);
                o.rect = QRect(2, 2, 120, 22);
                std::tie(o.widget, o.features, o.state) = std::tuple(&vista, rasgos, estado);
                o.backgroundBrush = QColor(30, 200, 90);
                if (!lookup::PintaSoloElPanel(o)) continue;
                ++soloPanel;
                QImage entero(124, 26, QImage::Format_ARGB32_Premultiplied), panel = entero;
                entero.fill(Qt::transparent);
                panel.fill(Qt::transparent);
                {
                    QPainter p(&entero);
                    vista.style()->drawControl(QStyle::CE_ItemViewItem, &o, &p, &vista);
                }
                QPainter p(&panel);
                vista.style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, &p, &vista);
                p.end();
                EXPECT_EQ(entero, panel) << nombre << " " << hoja;
                EXPECT_NE(entero.pixel(60, 12), 0u);  // the brush, or the sheet's background
            }
        }
    }
    EXPECT_EQ(soloPanel, 2 * 2 * 4);
}

namespace {

/// Where a differing pixel lies (empty when the two pictures are the same).
QRect Diferencias(const QImage& a, const QImage& b) {
    QRect r;
    if (a.size() != b.size()) return a.rect() | b.rect();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) r |= QRect(x, y, 1, 1);
    return r;
}

/// Rows that fit, that must be cut with "...", that are not Latin-1, that are empty or hold
/// only blanks or a tab, that kerning or ligatures would change, with check boxes, a colour,
/// the current and the selected row.
std::unique_ptr<QStandardItemModel> ModeloVariado() {
    const char* const textos[][3] = {
        {"1.01", "Caja en pesos", "AV Wa To"},
        {"1.02.003", "Banco de la Naci\xc3\xb3n Argentina cuenta corriente en pesos", "x"},
        {"2",
         "\xc3\x91"
         "and\xc3\xba \xc3\xa1\xc3\xa9\xc3\xad\xc3\xb3\xc3\xba \xc2\xbf\xc2\xa1",
         ""},
        {"3", "\xe2\x82\xac 12.345,67 \xce\xa9 \xd0\x96", "  "},
        {"WWWWWWWWWWWWWWWWWW", "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii", "fi fl ffi"},
        {"", "\t tab", "123456789012345678901234567890"},
    };
    auto m = std::make_unique<QStandardItemModel>(0, 3);
    int fila = 0;
    for (const auto& t : textos) {
        QList<QStandardItem*> items;
        for (const char* c : t) items << new QStandardItem(QString::fromUtf8(c));
        if (fila == 2) {
            items[0]->setCheckable(true);
            items[0]->setCheckState(Qt::Checked);
        }
        if (fila == 3) {
            items[0]->setCheckable(true);
            for (auto* i : items) i->setForeground(QColor(200, 20, 20));
        }
        m->appendRow(items);
        ++fila;
    }
    return m;
}

/// A style that sets an item's text further in than the style it is based on.
class TextoSangrado : public QProxyStyle {
  public:
    TextoSangrado() : QProxyStyle(QStyleFactory::create("Fusion")) {}
    QRect subElementRect(SubElement elemento, const QStyleOption* opcion,
                         const QWidget* vista) const override {
        const QRect r = QProxyStyle::subElementRect(elemento, opcion, vista);
        return elemento == SE_ItemViewItemText ? r.adjusted(7, 0, 0, 0) : r;
    }
};

}  // namespace

// The rows painted whole by a view with the list's cell painter and by the same view with Qt's
// own item painting must be the same pixels: with the list's font (drawn without shaping, the
// direct drawing) and with a shaped one; with style sheets, set after the painter first
// painted, on the views or on the application, that give the items rules or not; and under
// one style, others (one that sets the text further in) and the first again, changed on the
// same views.
TEST(DelegadoFilas, LasFilasSePintanComoLasPintaQt) {
    const auto modelo = ModeloVariado();
    QFont lista;  // the list's font, as the window sets it
    lista.setBold(true);
    lista.setPointSize(10);
    lista.setStyleStrategy(QFont::PreferNoShaping);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
    TextoSangrado sangrado;
    const char* const kConItems = "QTreeView::item { padding-left: 3px; color: #236; }";
    const struct {
        const char* vista;
        const char* aplicacion;
    } hojas[] = {{"", ""},
                 {"QHeaderView::section { background: #dde; }", ""},
                 {kConItems, ""},
                 {"", kConItems},
                 {"QTreeView::item:alternate { color: #a33; }", ""},
                 {"QTreeView::item { font: italic; }", ""},
                 {"QTreeView::item { border: 2px solid red; padding: 4px; }", ""},
                 {"QTreeView::item:!selected { color: #a33; }", ""},
                 {"QTreeView { color: #a33; }", ""}};
    int comparadas = 0;
    for (const QFont& letra : {lista, QFont()}) {
        for (const auto& hoja : hojas) {
            QWidget ventana;  // one window: both views active alike
            ventana.resize(860, 220);
            QTreeView propia(&ventana), deQt(&ventana);
            for (QTreeView* vista : {&propia, &deQt}) {
                vista->setFont(letra);
                vista->setRootIsDecorated(false);
                vista->setUniformRowHeights(true);
                vista->setAlternatingRowColors(true);
                vista->setModel(modelo.get());
                vista->setGeometry(vista == &propia ? 0 : 430, 0, 420, 200);
                vista->setColumnWidth(0, 90);
                vista->setColumnWidth(1, 170);
                vista->setColumnWidth(2, 120);
                vista->selectionModel()->setCurrentIndex(
                    modelo->index(1, 0),
                    QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows);
            }
            propia.setItemDelegate(new lookup::DelegadoFilas(&propia));
            deQt.setItemDelegate(new QStyledItemDelegate(&deQt));
            ventana.show();
            propia.viewport()->grab();  // painted once before the sheets and styles
            propia.setStyleSheet(hoja.vista);
            deQt.setStyleSheet(hoja.vista);
            qApp->setStyleSheet(hoja.aplicacion);
            for (QStyle* estilo :
                 {fusion.get(), windows.get(), static_cast<QStyle*>(&sangrado), fusion.get()}) {
                propia.setStyle(estilo);
                deQt.setStyle(estilo);
                const QImage conPropia = propia.viewport()->grab().toImage();
                const QImage conQt = deQt.viewport()->grab().toImage();
                ASSERT_FALSE(conPropia.isNull());
                EXPECT_EQ(Diferencias(conPropia, conQt), QRect())
                    << estilo->name().toStdString() << (estilo == &sangrado ? "+" : "") << " "
                    << letra.toString().toStdString() << " " << hoja.vista << " / "
                    << hoja.aplicacion;
                ++comparadas;
            }
            qApp->setStyleSheet(QString());
        }
    }
    EXPECT_EQ(comparadas, 2 * 9 * 4);
}
