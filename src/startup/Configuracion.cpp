#include "Configuracion.h"

#include "DB_Dll.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace startup {

namespace {

// The reader's error rule: ignore goes on; retry and every other answer end the reading.
int ReportarCfg(const ErrorEjecucion& e) {
    return MostrarErrorConOpciones(e, "Cfg") == respuesta::kIgnorar ? respuesta::kIgnorar
                                                                    : respuesta::kAbortar;
}

}  // namespace

std::string Cfg(DB_Dll& db, std::string_view clave, std::string* valorAux) {
    const std::string limpia = texto::Recortar(clave);
    std::string sql, resultado;
    std::string descartado;
    std::string& aux = valorAux != nullptr ? *valorAux : descartado;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {
            [&] {
                sql = "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = '" +
                      texto::DuplicarApostrofes(limpia) + "'";
            },
            [&] {
                if (texto::IgualesSinCaso(limpia, "[FECHA HASTA]") ||
                    texto::IgualesSinCaso(limpia, "[FECHA DESDE]"))
                    sql = texto::Mayusculas(sql);
            },
            [&] {
                db.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
            },
            [&] {
                if (rs.BOF()) {
                    resultado = " ";
                    aux.clear();
                } else {
                    resultado = TextoDeValor(rs.Fields("Valor"));
                    aux = TextoDeValor(rs.Fields("ValorAux"));
                }
            },
            [&] { db.CierraRecordset(rs); },
        },
        ReportarCfg);
    if (d == Desenlace::Abandonado) return {};
    return resultado;
}

bool EsSi(std::string_view valor) { return texto::IgualesSinCaso(valor, "SI"); }

}  // namespace startup
