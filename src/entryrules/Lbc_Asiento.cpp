#include "Lbc_Asiento.h"

#include "DB_Dll.h"
#include "NumerosTexto.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using namespace helperlib;
using namespace data;

namespace entryrules {

namespace {

/// Whole-number comparison of a column with 1 (Null and text are not 1).
bool EsUno(const Campo& c) {
    return !c.EsNulo() && ValorNumerico(c.Texto()) == Moneda::DesdeEntero(1);
}

}  // namespace

Lbc_Asiento::Lbc_Asiento(DB_Dll& db, entryrules::ServiciosSesion servicios,
                         ReporteroRutina reportero)
    : db_(db), servicios_(std::move(servicios)), reportero_(std::move(reportero)) {
    if (!servicios_.Cfg || !servicios_.ArmarNroComprobante)
        throw ErrorEjecucion(errnum::kArgumentoInvalido,
                             "Las reglas de asientos necesitan la lectura de la configuración y "
                             "el armado del número de comprobante",
                             "Lbc_Asiento");
    periodo_ = entryrules::EnteroCortoDeTexto(servicios_.Cfg("PERIODO"),
                                              "el período de la configuración (PERIODO)");
}

int Lbc_Asiento::Reportar(const ErrorEjecucion& e, const char* rutina) const {
    return reportero_ ? reportero_(e, rutina) : respuesta::kAbortar;
}

Reportero Lbc_Asiento::ReporteroDe(const char* rutina) const {
    return [this, rutina](const ErrorEjecucion& e) { return Reportar(e, rutina); };
}

void Lbc_Asiento::Abrir(std::string sql, Recordset& rs) {
    db_.AbrirRecordset(sql, rs, nullptr, cursor::kDinamico, bloqueo::kOptimista);
}

bool Lbc_Asiento::CuentaImputable(const std::string& cuenta) {
    const Reportero reportero = [this](const ErrorEjecucion& e) {
        return Reportar(e, "CuentaImputable");
    };
    bool resultado = false;
    bool hallada = false;
    Recordset rs;
    std::string codigo;
    EjecutarPasos({[&] { codigo = texto::Recortar(QuitarCaracter(cuenta, std::string(1, '\0'))); },
                   [&] {
                       std::string sql = "SELECT * FROM MA_CUENTAS WHERE CODIGO ='" +
                                         texto::DuplicarApostrofes(codigo) +
                                         "' AND DADA_DE_BAJA=0 AND BLOQUEO = 0";
                       db_.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance,
                                          bloqueo::kSoloLectura);
                   },
                   [&] { hallada = rs.State() == 1 && !rs.BOF(); },
                   [&] {
                       if (hallada) resultado = !ValorBooleano(rs.Fields("Titulo").Value());
                   }},
                  reportero);
    db_.CierraRecordset(rs);
    return resultado;
}

bool Lbc_Asiento::ExisteCuentas(const std::string& valorBuscado, DatosCuenta* datos) {
    const Reportero reportero = [this](const ErrorEjecucion& e) {
        return Reportar(e, "ExisteCuentas");
    };
    bool resultado = false;
    bool seguir = true;  // false once the answer is known
    Recordset rs;
    EjecutarPasos(
        {[&] {
             std::string sql = "SELECT * FROM MA_CUENTAS WHERE Codigo = '" +
                               texto::DuplicarApostrofes(texto::Recortar(valorBuscado)) + "'";
             db_.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
         },
         [&] {
             seguir = rs.State() == 1 && !rs.BOF();
             resultado = seguir;
         },
         [&] {
             if (!seguir) return;
             seguir = false;  // an ignored failure of the test ends with false
             if (EsUno(rs.Fields("DADA_DE_BAJA")) || EsUno(rs.Fields("BLOQUEO"))) {
                 resultado = false;
                 return;
             }
             seguir = true;
         },
         [&] {
             if (!seguir) resultado = false;
             if (!seguir || datos == nullptr) return;
             DatosCuenta leidos;
             leidos.Tipo = rs.Fields("Titulo").Value();
             leidos.NombreLeido = rs.Fields("Descripcion").Value();
             leidos.BiendeUso = rs.Fields("BIENES").Value();
             leidos.Ajustable = rs.Fields("Ajuste").Value();
             *datos = std::move(leidos);
         }},
        reportero);
    db_.CierraRecordset(rs);
    return resultado;
}

namespace {

/// Opens the account query by one of the two codes; true when a row came back.
bool BuscarPor(DB_Dll& db, Recordset& rs, const char* columna, const std::string& codigo,
               bool soloLectura) {
    std::string sql = std::string("SELECT * FROM MA_CUENTAS WHERE ") + columna + " =  '" +
                      texto::DuplicarApostrofes(codigo) + "'";
    if (soloLectura)
        db.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
    else
        db.AbrirRecordset(sql, rs, nullptr, cursor::kDinamico, bloqueo::kOptimista);
    return rs.State() == 1 && !rs.BOF();
}

}  // namespace

bool BuscarCuenta(DB_Dll& db, std::string& codigo, Recordset* rs, bool soloLectura,
                  bool& porCodigoOpcional) {
    Recordset propio;
    Recordset& trabajo = rs ? *rs : propio;
    bool hallada;
    if (porCodigoOpcional) {
        hallada = BuscarPor(db, trabajo, "CodigoOpcional", codigo, soloLectura);
        if (hallada)
            codigo = trabajo.Fields("Codigo").Texto();
        else
            hallada = BuscarPor(db, trabajo, "Codigo", codigo, soloLectura);
    } else {
        hallada = BuscarPor(db, trabajo, "Codigo", codigo, soloLectura);
        if (!hallada) {
            hallada = BuscarPor(db, trabajo, "CodigoOpcional", codigo, soloLectura);
            if (hallada) {
                porCodigoOpcional = true;
                codigo = trabajo.Fields("Codigo").Texto();
            }
        }
    }
    if (!rs) db.CierraRecordset(propio);
    return hallada;
}

}  // namespace entryrules
