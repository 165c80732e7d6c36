#pragma once
// Common ground of the template store tests: a database of the test's own, a data access object
// connected to it, a scripted desktop, a window stand-in that records what the store asked of
// it, and helpers to fill a template and read its rows back.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../entryrules/BaseTemporal.h"
#include "AlmacenModelos.h"
#include "PlataformaGuionada.h"
#include "Texto.h"

using namespace helperlib;
using namespace data;
using namespace editor;

/// Records the store's requests to the window.
class VistaRegistrada : public VistaAlmacen {
  public:
    std::vector<int> lineasMostradas;
    int limpiezas = 0;
    std::vector<std::pair<int, ColumnaLinea>> focos;
    void MostrarLinea(int k) override { lineasMostradas.push_back(k); }
    void Limpiar() override { ++limpiezas; }
    void EnfocarCelda(int k, ColumnaLinea c) override { focos.emplace_back(k, c); }
};

/// A line as typed: account, debit, credit, VAT rate.
struct LineaTipeada {
    const char* cuenta;
    const char* debe;
    const char* haber;
    const char* iva;
};

class AlmacenTest : public ::testing::Test {
  protected:
    AlmacenTest() : almacen(db, &vista) {
        base.Conectar(db);
        db.VincularUsuarioSesion(usuario);
        almacen.Generar(almacen.NombreTabla);
    }

    /// Confirms the name as the name field does: the working recordset is left on the
    /// template's first row (or empty) and, when it exists, the template is loaded.
    bool ConfirmarNombre(const std::string& nombre) {
        almacen.TextoCampo("NOMBRE") = nombre;
        const std::string t = texto::Recortar(nombre);
        const bool existe = db.ExisteEnTabla(
            "MA_MODELOS", t, "NOMBRE", &almacen.RegistroTrabajo, 8,
            " WHERE LTRIM(RTRIM(NOMBRE)) = '" + texto::DuplicarApostrofes(t) + "'", false);
        almacen.ModoBorrar = false;
        almacen.Lineas.Reiniciar(1);
        almacen.ModeloExistente = existe;
        if (existe) almacen.AsignarDatos();
        return existe;
    }

    /// Puts the typed lines in grid rows 1.. (a null account leaves the row empty) and one
    /// empty element after them, as the grid keeps it.
    void Tipear(const std::vector<LineaTipeada>& lineas) {
        almacen.Lineas.Reiniciar(static_cast<int>(lineas.size()) + 2);
        for (size_t i = 0; i < lineas.size(); ++i) {
            LineaModelo& l = almacen.Lineas[static_cast<int>(i) + 1];
            if (!lineas[i].cuenta) continue;
            l.Cuenta = lineas[i].cuenta;
            l.Debe = lineas[i].debe;
            l.Haber = lineas[i].haber;
            l.AlicIVA = lineas[i].iva;
        }
    }

    /// SECUENCIA, CUENTA, side, IMPORTE of a template's rows in line order.
    std::vector<std::vector<std::string>> Renglones(const std::string& nombre) {
        return base.Filas(
            "SELECT SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE FROM MA_MODELOS WHERE NOMBRE = '" +
            texto::DuplicarApostrofes(nombre) + "' ORDER BY SECUENCIA");
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    const std::string usuario = "DEMO";  // the session user
    DB_Dll db;
    VistaRegistrada vista;
    AlmacenModelos almacen;
};
