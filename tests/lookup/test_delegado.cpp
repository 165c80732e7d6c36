// The list's cell painter paints a cell with nothing but its panel through the panel alone: it
// must give what the style's whole item gives, under plain styles and under a style sheet with
// rules for the items.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
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
