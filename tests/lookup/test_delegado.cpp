// The list's cell painter takes two short cuts: a cell with nothing but its panel is painted
// through the panel alone, and a text that surely fits is not measured. Each must give what
// the long way gives, under plain styles and under style sheets with rules for the items.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QTreeView>
#include <memory>

#include "DelegadoFilas.h"

using namespace lookup;

namespace {

QImage Pintado(QTreeView& vista, const QStyleOptionViewItem& o, bool soloPanel) {
    QImage imagen(o.rect.size() + QSize(4, 4), QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    if (soloPanel)
        vista.style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, &p, &vista);
    else
        vista.style()->drawControl(QStyle::CE_ItemViewItem, &o, &p, &vista);
    return imagen;
}

}  // namespace

TEST(DelegadoFilas, UnaCeldaSinOtrasPartesSePintaIgualConSoloElPanel) {
    struct Variante {
        const char* nombre;
        QStyleOptionViewItem::ViewItemFeatures rasgos;
        QStyle::State estado;
        QStyleOptionViewItem::ViewItemPosition posicion;
        bool fondo;
    };
    using O = QStyleOptionViewItem;
    const QStyle::State comun = QStyle::State_Enabled | QStyle::State_Active;
    const Variante variantes[] = {
        {"plain", O::HasDisplay, comun, O::Middle, false},
        {"alternate", O::HasDisplay | O::Alternate, comun, O::Beginning, false},
        {"hover", O::HasDisplay, comun | QStyle::State_MouseOver, O::End, false},
        {"background", O::HasDisplay, comun, O::OnlyOne, true},
        {"inactive", O::HasDisplay, QStyle::State_Enabled, O::Middle, false},
        {"disabled", O::HasDisplay, QStyle::State_None, O::Middle, false},
        {"selected", O::HasDisplay, comun | QStyle::State_Selected, O::Middle, false},
        {"focus", O::HasDisplay, comun | QStyle::State_HasFocus, O::Middle, false},
        {"check", O::HasDisplay | O::HasCheckIndicator, comun | QStyle::State_Off, O::Middle,
         false},
        {"icon", O::HasDisplay | O::HasDecoration, comun, O::Middle, false},
    };
    const char* const hojas[] = {
        "",
        "QTreeView::item { background: #fe8; border: 1px solid #a33; padding: 2px; }"
        "QTreeView::item:hover { background: #8ef; }"
        "QTreeView::item:alternate { background: #ddd; }"
        "QTreeView::item:first { border-left: 3px solid #0a0; }"
        "QTreeView::item:disabled { background: #999; }",
        "QTreeView { selection-background-color: #c00; selection-color: #fff; }"
        "QHeaderView::section { background: #246; }",
    };
    int soloPanel = 0, conDibujo = 0;
    for (const char* nombreEstilo : {"Fusion", "Windows"}) {
        const std::unique_ptr<QStyle> estilo(QStyleFactory::create(nombreEstilo));
        ASSERT_TRUE(estilo) << nombreEstilo;
        for (const char* hoja : hojas) {
            QTreeView vista;
            vista.setStyle(estilo.get());
            vista.setStyleSheet(hoja);
            vista.ensurePolished();
            for (const Variante& v : variantes) {
                QStyleOptionViewItem o;
                o.initFrom(&vista);
                o.widget = &vista;
                o.rect = QRect(2, 2, 120, 22);
                o.features = v.rasgos;
                o.state = v.estado;
                o.viewItemPosition = v.posicion;
                o.font = vista.font();
                o.decorationSize = QSize(16, 16);
                if (v.fondo) o.backgroundBrush = QColor(30, 200, 90);
                if (!PintaSoloElPanel(o)) continue;
                ++soloPanel;
                const QImage entero = Pintado(vista, o, false);
                EXPECT_EQ(entero, Pintado(vista, o, true))
                    << nombreEstilo << " / " << v.nombre << " / " << hoja;
                QImage vacia(entero.size(), entero.format());
                vacia.fill(Qt::transparent);
                if (entero != vacia) ++conDibujo;
            }
        }
    }
    EXPECT_EQ(soloPanel, 2 * 3 * 6);  // the first six variants, under every style and sheet
    // The item rules under each style, and the background brush under the other sheets.
    EXPECT_EQ(conDibujo, 2 * 6 + 2 * 2);
}

TEST(DelegadoFilas, UnTextoQueCabeSinMedirCabeMedido) {
    QFont lista;
    lista.setBold(true);
    lista.setPointSize(10);
    lista.setStyleStrategy(QFont::PreferNoShaping);
    QFont grande;
    grande.setPointSize(15);
    QFont espaciada = lista;
    espaciada.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    const QString textos[] = {"1.1.01.001",
                              "Caja chica",
                              "WWWWWWWWWW",
                              "@@@@mmmm%%%%",
                              "AVAVAVAV Ty.Wa,Yo LT'",
                              QString::fromUtf8("Ñandú ÁÉÍÓÚ æøß"),
                              "con\ttabulador",
                              QString::fromUtf8("漢字テキスト"),
                              QString::fromUtf8("e\u0301\u0301"),
                              ""};
    int cabenSinMedir = 0;
    for (const QFont& fuente : {lista, grande, espaciada}) {
        const QFontMetrics medida(fuente);
        const int latin1 = AnchoLatin1(medida);
        ASSERT_GT(latin1, 0);  // the test's fonts hold Latin-1
        for (const QString& t : textos) {
            for (int ancho : {0, 8, 60, 120, 400, 2000}) {
                if (!CabeSinMedir(t, fuente, latin1, ancho)) continue;
                ++cabenSinMedir;
                EXPECT_LE(medida.horizontalAdvance(t), ancho)
                    << t.toStdString() << " in " << ancho << " px, "
                    << fuente.toString().toStdString();
            }
            // Characters a fallback font may draw, tabs and added spacing are always measured.
            if (t.contains('\t') || (!t.isEmpty() && t.at(0).unicode() > 0xFF) ||
                fuente.letterSpacing() != 0) {
                EXPECT_FALSE(CabeSinMedir(t, fuente, latin1, 100000));
            }
        }
        EXPECT_FALSE(CabeSinMedir("Caja", fuente, -1, 100000));
    }
    EXPECT_GT(cabenSinMedir, 20);
}
