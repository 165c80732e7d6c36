// The list model keeps every text in one buffer: cells must stay with their rows through
// edits and sorts, and display strings must come out of the UTF-8 texts intact.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "ModeloFilas.h"

using namespace lookup;

namespace {

ModeloFilas::Lote Lote(const std::vector<std::vector<std::string>>& filas) {
    ModeloFilas::Lote l;
    l.Reservar(filas.size(), 2);
    for (const auto& f : filas) {
        l.NuevaFila();
        for (const auto& t : f) l.Agregar(t);
    }
    return l;
}

QString Celda(const ModeloFilas& m, int fila, int columna) {
    return m.data(m.index(fila, columna), Qt::DisplayRole).toString();
}

}  // namespace

TEST(ModeloFilas, TextosLeidosSeMuestranEnteros) {
    ModeloFilas m;
    m.Cargar({"CODIGO", "DESCRIPCION"}, Lote({{"1.01", "Caja en pesos ñandú"}, {"1.02", ""}}));
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(Celda(m, 0, 1), QString::fromUtf8("Caja en pesos ñandú"));
    EXPECT_EQ(Celda(m, 1, 0), "1.02");
    EXPECT_EQ(Celda(m, 1, 1), "");
    EXPECT_EQ(m.Texto(0, 1), "Caja en pesos ñandú");
    EXPECT_EQ(m.Texto(5, 0), "");  // outside the rows
    EXPECT_EQ(m.Texto(0, 7), "");  // outside the columns
    EXPECT_EQ(m.Texto(-1, -1), "");
    m.Vaciar();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.columnCount(), 2);  // the columns stay until the next load
}

TEST(ModeloFilas, FilasDeLaConsultaSeMuestranSinCopiarse) {
    // Rows as a query reads them (three columns); the first column is shown without its edge
    // blanks, Null as nothing, every other text as read.
    data::FilasResultado leidas(3);
    leidas.Agregar(std::string_view("  1.01 "));
    leidas.Agregar(std::string_view("Caja en pesos ñandú"));
    leidas.Agregar(std::string_view("1234.5600"));
    leidas.Agregar(std::string_view(" "));
    leidas.AgregarNulo();
    leidas.Agregar(std::string_view("2024-01-31 00:00:00"));
    ModeloFilas m;
    m.Cargar({"CODIGO", "DESCRIPCION", "DATO"}, ModeloFilas::Lote(std::move(leidas), true));
    struct Caso {
        int fila, columna;
        const char* texto;
    };
    const Caso casos[] = {{0, 0, "1.01"},      {0, 1, "Caja en pesos ñandú"},
                          {0, 2, "1234.5600"}, {1, 0, ""},
                          {1, 1, ""},          {1, 2, "2024-01-31 00:00:00"}};
    ASSERT_EQ(m.rowCount(), 2);
    for (const auto& c : casos) {
        EXPECT_EQ(Celda(m, c.fila, c.columna), QString::fromUtf8(c.texto)) << c.fila << c.columna;
        EXPECT_EQ(m.Texto(c.fila, c.columna), c.texto) << c.fila << c.columna;
    }
    m.FijarTexto(1, 1, "7");  // an edited cell follows its row through a sort
    m.sort(2, Qt::DescendingOrder);
    EXPECT_EQ(m.Texto(0, 1), "7");
    EXPECT_EQ(m.Texto(1, 0), "1.01");
}

TEST(ModeloFilas, CantidadEditadaSigueASuFilaAlOrdenar) {
    ModeloFilas m;
    m.Cargar({"Descripcion", "Cantidad"},
             Lote({{"tornillo", "0"}, {"Arandela", "0"}, {"clavo", "0"}, {"arandela", "0"}}));
    QSignalSpy cambios(&m, &QAbstractItemModel::dataChanged);
    m.FijarTexto(0, 1, "12");
    m.FijarTexto(0, 1, "13");  // a second edit of the same cell replaces the first
    m.FijarTexto(2, 1, "5");
    m.FijarTexto(2, 9, "x");  // no such column: nothing changes
    EXPECT_EQ(cambios.count(), 3);
    EXPECT_EQ(m.Texto(1, 1), "0");

    m.sort(0, Qt::AscendingOrder);  // case ignored, equal keys keep their order
    EXPECT_EQ(m.Texto(0, 0), "Arandela");
    EXPECT_EQ(m.Texto(1, 0), "arandela");
    EXPECT_EQ(m.Texto(2, 0), "clavo");
    EXPECT_EQ(m.Texto(2, 1), "5");
    EXPECT_EQ(m.Texto(3, 0), "tornillo");
    EXPECT_EQ(m.Texto(3, 1), "13");

    m.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(m.Texto(0, 1), "5");
    EXPECT_EQ(m.Texto(1, 1), "13");
    EXPECT_EQ(m.Texto(1, 0), "tornillo");
}

TEST(ModeloFilas, OpcionesAgregadasConSuMarca) {
    ModeloFilas m;
    m.FijarConMarcas(true);
    m.Cargar({"Opciones"}, {});
    m.AgregarFila("Primera", false);
    m.AgregarFila("Segunda", true);
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.Texto(1, 0), "Segunda");
    EXPECT_FALSE(m.Filas()[0].Marcada);
    EXPECT_EQ(m.data(m.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    m.InvertirMarcas();
    EXPECT_TRUE(m.Filas()[0].Marcada);
    EXPECT_FALSE(m.Filas()[1].Marcada);
}
