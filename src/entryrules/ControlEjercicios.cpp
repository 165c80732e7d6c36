// Fiscal years and periods: the range of a year, collisions between years, whether the
// current period is open, lines outside a period, operative dates, adjustment entries, and the
// checks that relate subledgers, summary entries and voucher types.
#include "DB_Dll.h"
#include "Lbc_Asiento.h"
#include "LiteralFecha.h"
#include "NumerosTexto.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "SentenciasAsiento.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using helperlib::Fecha;
using helperlib::FechaDeTexto;
namespace sentencias = entryrules::sentencias;

using namespace helperlib;
using namespace data;

namespace entryrules {
namespace {

constexpr const char* kSinEjercicios =
    "No se han creado Ejercicios!!!\rPara crear un Ejercicio debe hacerlo desde la configuración "
    "del sistema";

/// A date column: nullopt for Null or blanks; a text that is not a date throws 13.
std::optional<Fecha> FechaDeCampo(const Campo& c) {
    if (ValorVacio(c.Value())) return std::nullopt;
    return FechaDeTexto(c.Texto());
}

/// A date column as "dd/mm/yyyy" ("" for Null).
std::string TextoFechaDe(const Campo& c) {
    const auto f = FechaDeCampo(c);
    return f ? helperlib::FormatoDiaMesAnio(*f) : std::string();
}

/// True when `f` lies between the two limits, both included; a missing limit contains nothing.
bool Entre(const Fecha& f, const std::optional<Fecha>& desde, const std::optional<Fecha>& hasta) {
    return desde && hasta && *desde <= f && f <= *hasta;
}

/// A year's number as the rules compare it (a column that is not a number counts as 0).
int32_t PeriodoDe(const Recordset& rs) { return NumeroDeTexto(rs.Fields("Periodo").Texto()); }

}  // namespace

void Lbc_Asiento::EjercicioRango(std::string& FhDesde, std::string& FhHasta,
                                 std::optional<int>* Periodo) {
    const int periodo = Periodo != nullptr && Periodo->has_value() ? **Periodo : periodo_;
    if (Periodo != nullptr) *Periodo = periodo;
    FhDesde.clear();
    FhHasta.clear();
    Recordset rs;
    Abrir(sentencias::Ejercicio(periodo), rs);
    if (rs.BOF()) {
        plataforma().MsgBox(entryrules::kSinEjercicios, estilo::kSoloOk, "");
    } else {
        FhDesde = entryrules::TextoFechaDe(rs.Fields("Fecha Desde"));
        FhHasta = entryrules::TextoFechaDe(rs.Fields("fecha hasta"));
    }
    db_.CierraRecordset(rs);
}

bool Lbc_Asiento::ValidaRangoFechaEjercicio(std::string_view Fecha_Desde,
                                            std::string_view Fecha_Hasta,
                                            std::optional<int> lPeriodo) {
    Recordset rs;
    Abrir(sentencias::kEjercicios, rs);
    if (rs.BOF()) return true;
    const Fecha desde = FechaDeTexto(Fecha_Desde);
    const Fecha hasta = FechaDeTexto(Fecha_Hasta);
    for (; !rs.EOF(); rs.MoveNext()) {
        if (lPeriodo && *lPeriodo == entryrules::PeriodoDe(rs)) continue;
        const auto inicio = entryrules::FechaDeCampo(rs.Fields("Fecha Desde"));
        const auto fin = entryrules::FechaDeCampo(rs.Fields("fecha hasta"));
        if (entryrules::Entre(desde, inicio, fin) || entryrules::Entre(hasta, inicio, fin)) {
            db_.CierraRecordset(rs);
            return false;
        }
    }
    db_.CierraRecordset(rs);
    return true;
}

bool Lbc_Asiento::ValidaEstadoPeriodoActual(std::string& Mensaje, bool* lCierre, bool* lCancelacion,
                                            bool* lNoCreado, std::string_view Periodo) {
    bool resultado = false;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {[&] {
             if (!texto::Recortar(Periodo).empty())
                 periodo_ = entryrules::EnteroCortoDeTexto(Periodo, "el período");
         },
         [&] { Abrir(sentencias::kEjercicios, rs); },
         [&] {
             resultado = false;
             if (rs.BOF()) {
                 Mensaje = entryrules::kSinEjercicios;
                 if (lNoCreado != nullptr) *lNoCreado = true;
                 return;
             }
             // The year of the current period, and the one before it in the list.
             std::optional<std::pair<std::string, bool>> anterior;  // number, books closed
             for (; !rs.EOF(); rs.MoveNext()) {
                 if (entryrules::PeriodoDe(rs) == periodo_) break;
                 anterior.emplace(TextoDeValor(rs.Fields("Periodo")),
                                  ValorBooleano(rs.Fields("Cerrado").Value()));
             }
             if (rs.EOF()) {
                 resultado = true;
                 return;
             }
             const bool cerrado = ValorBooleano(rs.Fields("Cerrado").Value());
             const bool cancelado = ValorBooleano(rs.Fields("Cancelacion").Value());
             if (lCierre != nullptr) *lCierre = cerrado;
             if (lCancelacion != nullptr) *lCancelacion = cancelado;
             if (cerrado && cancelado)
                 Mensaje =
                     "El Periodo tiene realizado el Cierre y la Cancelacion de saldos de "
                     "cuentas de resultados";
             else if (cerrado)
                 Mensaje = "El Periodo tiene realizado el Cierre de libros contables ";
             else if (cancelado)
                 Mensaje =
                     "El Periodo tiene realizada la Cancelacion de saldos de cuentas de "
                     "resultados";
             else if (anterior && !anterior->second)
                 Mensaje =
                     "El Periodo anterior (" + anterior->first + ") no tiene realizado el cierre";
             else
                 resultado = true;
         }},
        ReporteroDe("ValidaEstadoPeriodoActual"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? false : resultado;
}

std::optional<Fecha> Lbc_Asiento::FechaHastaUltimoPeriodo() {
    std::optional<Fecha> resultado;
    Recordset rs;
    const Desenlace d = EjecutarPasos({[&] { Abrir(sentencias::kEjercicios, rs); },
                                       [&] {
                                           if (rs.BOF()) return;
                                           rs.MoveLast();
                                           resultado =
                                               entryrules::FechaDeCampo(rs.Fields("fecha hasta"));
                                       }},
                                      ReporteroDe("FechaHastaUltimoPeriodo"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? std::nullopt : resultado;
}

bool Lbc_Asiento::EjercicioAnteriorCerrado(std::string& QueEjercicio) {
    if (Moneda::Leer(QueEjercicio) == Moneda::DesdeEntero(-1))
        QueEjercicio = std::to_string(periodo_);
    const int32_t ejercicio = entryrules::EnteroDeTexto(QueEjercicio, "el ejercicio");
    Recordset rs;
    Abrir(sentencias::EjerciciosAnteriores(ejercicio), rs);
    if (rs.BOF()) return true;
    rs.MoveLast();  // the latest earlier year decides
    const bool cerrado =
        ValorBooleano(rs.Fields("Cierre").Value()) || ValorBooleano(rs.Fields("Cerrado").Value());
    db_.CierraRecordset(rs);
    return cerrado;
}

bool Lbc_Asiento::ExistenMovFueraPeriodo(int Periodo, std::string_view NFecha_Desde,
                                         std::string_view NFecha_Hasta) {
    bool resultado = false;
    std::string sql;
    Recordset rs;
    const Desenlace d =
        EjecutarPasos({[&] {
                           // Date literals of the connected engine: the statement must read the
                           // same days on the suite's server and on the embedded database.
                           const Dialecto dialecto = db_.gCnn.DialectoSql();
                           sql = sentencias::MovimientosFueraPeriodo(
                               Periodo, data::LiteralFecha(FechaDeTexto(NFecha_Desde), dialecto),
                               data::LiteralFecha(FechaDeTexto(NFecha_Hasta), dialecto));
                       },
                       [&] {
                           if (!sql.empty()) Abrir(sql, rs);
                       },
                       [&] { resultado = rs.State() == 1 && !rs.BOF(); }},
                      ReporteroDe("ExistenMovFueraPeriodo"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? false : resultado;
}

void Lbc_Asiento::FechaValidada(std::string_view Campo, std::string& Mensaje, bool& lhayError) {
    const auto fecha = helperlib::LeerFecha(Campo);
    if (texto::Recortar(Campo).empty()) {
        lhayError = true;
        Mensaje = "Debe ingresar una fecha";
    } else if (!fecha) {
        lhayError = true;
        Mensaje = "La fecha ingresada no es correcta!!";
    } else if (!lhayError) {
        const Fecha desde = FechaDeTexto(servicios_.Cfg("FECHAOPERDESDE"));
        const Fecha hasta = FechaDeTexto(servicios_.Cfg("FECHAOPERHASTA"));
        if (*fecha < desde || hasta < *fecha) {
            Mensaje = "La fecha ingresada No es una Fecha Operativa posible!";
            lhayError = true;
        }
    }
}

int16_t Lbc_Asiento::UltimoDiaMes(std::string_view Mes, std::string_view Anio) {
    const std::string resto = "/" + texto::Recortar(Mes) + "/" + texto::Recortar(Anio);
    for (int dia = 31; dia >= 1; --dia)
        if (helperlib::LeerFecha(std::to_string(dia) + resto)) return static_cast<int16_t>(dia);
    // No day converts: the month or the year is not one. Trying lower days would never end.
    throw ErrorEjecucion(errnum::kTiposNoCoinciden, "No coinciden los tipos: el mes '" +
                                                        std::string(Mes) + "' del año '" +
                                                        std::string(Anio) + "' no es una fecha");
}

void Lbc_Asiento::UltimoAjuste(std::string& fecha, std::string& Periodo, int32_t& NroAsiento) {
    fecha.clear();
    Periodo.clear();
    NroAsiento = 0;
    Recordset rs;
    Abrir(sentencias::UltimoAjuste(periodo_), rs);
    if (!rs.BOF()) {
        fecha = entryrules::TextoFechaDe(rs.Fields("fecha"));
        Periodo = TextoDeValor(rs.Fields("Ajuste_Hasta"));
        NroAsiento = NumeroDeTexto(rs.Fields("numero asiento").Texto());
    }
    db_.CierraRecordset(rs);
}

bool Lbc_Asiento::ValidaFechaSubdiario(std::string_view fecha, std::string_view Subdiario) {
    Recordset rs;
    Abrir(sentencias::ResumenesSubdiario(texto::Recortar(Subdiario), periodo_), rs);
    const Fecha dia = FechaDeTexto(fecha);
    bool resultado = true;
    for (; resultado && !rs.EOF(); rs.MoveNext()) {
        if (ValorBooleano(rs.Fields("Anulado").Value())) continue;
        if (entryrules::Entre(dia, entryrules::FechaDeCampo(rs.Fields("Fecha_Desde")),
                              entryrules::FechaDeCampo(rs.Fields("Fecha_Hasta"))))
            resultado = false;
    }
    db_.CierraRecordset(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaSubdiarioTC(std::string_view Subdiario, std::string_view TC) {
    const std::string tc = texto::Recortar(TC);
    bool resultado = false;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {[&] { Abrir(sentencias::ComprobantesDeSubdiario(texto::Recortar(Subdiario)), rs); },
         [&] {
             for (; !resultado && !rs.EOF(); rs.MoveNext())
                 resultado = texto::IgualesSinCaso(texto::Recortar(rs.Fields("TC").Texto()), tc);
         }},
        ReporteroDe("ValidaSubdiarioTC"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? false : resultado;
}

bool Lbc_Asiento::ValidaTCRegistraciones(std::string_view Tipo) {
    bool resultado = false;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {[&] {
             std::string sql = sentencias::SubdiarioDeComprobante(texto::Recortar(Tipo));
             db_.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
         },
         [&] { resultado = !rs.BOF(); }},
        ReporteroDe("ValidaTCRegistraciones"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? false : resultado;
}

}  // namespace entryrules
