// Entry numbers (printed forms, the next free number of a month) and vouchers (letter, voucher
// book data, vouchers entered from outside, the duplicate-voucher check).
#include <array>

#include "DB_Dll.h"
#include "Lbc_Asiento.h"
#include "LiteralFecha.h"
#include "NumerosTexto.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "SentenciasAsiento.h"
#include "Texto.h"
#include "Utilidades.h"

using entryrules::ConCeros;
using entryrules::EnteroCorto;
using entryrules::EnteroDeTexto;
namespace sentencias = entryrules::sentencias;

using namespace helperlib;
using namespace data;

namespace entryrules {
namespace {

/// A number read from a text that must hold one, in its shortest form ("0000045" -> "45").
std::string NumeroCorto(std::string_view texto, std::string_view queEs) {
    const auto n = Moneda::Leer(texto);
    if (!n)
        throw ErrorEjecucion(errnum::kTiposNoCoinciden,
                             "No coinciden los tipos: " + std::string(queEs) + " '" +
                                 std::string(texto) + "' no es un número");
    return n->TextoCorto();
}

/// Letters a voucher book carries columns for.
bool LetraAceptada(std::string_view letra) {
    static constexpr std::string_view kLetras = "ABCXEMR";
    const std::string m = texto::Mayusculas(letra);
    return m.size() == 1 && kLetras.find(m[0]) != std::string_view::npos;
}

/// A column's value as a whole number the way the suite reads amounts: Null and texts that are
/// not numbers count as 0.
int32_t EnteroDe(const Campo& c) { return NumeroDeTexto(c.Texto()); }

/// The voucher number after `numero`, as wide as it was given ("00001523" -> "00001524").
std::string NumeroSiguiente(const std::string& numero) {
    const int64_t n = int64_t{EnteroDeTexto(numero, "el número de comprobante")} + 1;
    return ConCeros(n, texto::Largo(texto::Recortar(numero)));
}

}  // namespace

std::string Lbc_Asiento::FormatDisplayNroAsiento(int32_t NroAsiento, std::string_view fecha) {
    return ConCeros(helperlib::FechaDeTexto(fecha).Mes, 2) + "-" + ConCeros(NroAsiento, 7);
}

std::string Lbc_Asiento::FormatNroAsiento(std::string_view Nro_Con_Formato) {
    const int guion = texto::Posicion(Nro_Con_Formato, "-");
    const std::string numero =
        guion > 0 ? texto::Medio(Nro_Con_Formato, guion + 1) : std::string(Nro_Con_Formato);
    return entryrules::NumeroCorto(numero, "el número de asiento");
}

std::string Lbc_Asiento::FMTNroAsiento(std::string_view NroAsiento) {
    const std::string sinGuiones = texto::Recortar(QuitarCaracter(NroAsiento, "-"));
    if (texto::Largo(sinGuiones) < 3) return std::string(NroAsiento);
    return texto::Recortar(texto::Izquierda(sinGuiones, 2)) + "-" +
           ConCeros(EnteroDeTexto(texto::Medio(sinGuiones, 3), "el número de asiento"), 7);
}

entryrules::ValorAsiento Lbc_Asiento::EliminaCarNroAsiento(std::string_view QueAsiento,
                                                           std::optional<int> Tipo,
                                                           std::optional<std::string_view> Char) {
    const std::string_view separador = Char.value_or("-");
    std::string valor(QueAsiento);
    const int pos = separador.empty() ? 0 : texto::Posicion(QueAsiento, separador);
    if (!QueAsiento.empty() && pos > 0) {
        valor = entryrules::NumeroCorto(texto::Izquierda(QueAsiento, pos - 1), "el mes") +
                entryrules::NumeroCorto(texto::Medio(QueAsiento, pos + texto::Largo(separador)),
                                        "el número de asiento");
    }
    if (Tipo == 3 || Tipo == 2) return EnteroDeTexto(valor, "el número de asiento");
    return valor;
}

int32_t Lbc_Asiento::UltimoNumeroAsiento(int Mes, std::optional<std::string_view> Tipo_Reg,
                                         std::optional<int> Periodo) {
    const int periodo = Periodo.value_or(periodo_);
    const std::string tipo = Tipo_Reg ? texto::Recortar(*Tipo_Reg) : std::string();
    int32_t resultado = 0;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {[&] {
             std::string sql = sentencias::UltimoNumeroAsiento(Mes, periodo, tipo);
             db_.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
         },
         [&] {
             if (rs.BOF() || rs.Fields("NRO_ASIENTO").EsNulo()) {
                 resultado = 1;
                 return;
             }
             const int32_t ultimo =
                 EnteroDeTexto(rs.Fields("NRO_ASIENTO").Texto(), "el último número de asiento");
             if (ultimo == INT32_MAX)
                 throw ErrorEjecucion(errnum::kDesbordamiento,
                                      "Desbordamiento: no hay número de asiento después de " +
                                          std::to_string(ultimo));
             resultado = ultimo + 1;
         }},
        ReporteroDe("UltimoNumeroAsiento"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? 0 : resultado;
}

std::string Lbc_Asiento::DeterminaLetra(std::string_view COND_IVA_CLIEN) {
    const std::string condicionEmpresa = servicios_.Cfg("CONDIVA");
    if (ValorNumerico(condicionEmpresa) == Moneda::DesdeEntero(1))
        return ValorNumerico(COND_IVA_CLIEN) > Moneda::DesdeEntero(2) ? "B" : "A";
    return texto::Recortar(condicionEmpresa).empty() ? "Z" : "C";
}

void Lbc_Asiento::DatosComprobante(std::string_view TC, std::string& suc, std::string& Nro,
                                   std::string& L, std::string_view Uneg) {
    const std::string letra = texto::Recortar(L);
    if (!entryrules::LetraAceptada(letra)) return;
    const std::string codigo = AjustarAncho(texto::Recortar(TC), 4);
    const bool conUnidad = !texto::Recortar(Uneg).empty();
    const std::string unidad = AjustarAncho(Uneg, 4);
    bool hallado = false;
    Recordset rs;
    const auto leer = [&] {
        hallado = !rs.BOF();
        if (!hallado) return;
        suc = ConCeros(entryrules::EnteroDe(rs.Fields(letra + "_SUC_DEFAULT")), 4);
        Nro = ConCeros(entryrules::EnteroDe(rs.Fields(letra + "_ULTIMO_NRO")), 8);
        L = letra;
        gTalonario = EnteroCorto(entryrules::EnteroDe(rs.Fields("talonario")), "el talonario");
    };
    EjecutarPasos(
        {[&] {
             Abrir(sentencias::Talonarios(
                       codigo, conUnidad ? std::optional<std::string_view>(unidad) : std::nullopt),
                   rs);
         },
         leer,
         [&] {
             if (!hallado && conUnidad) Abrir(sentencias::Talonarios(codigo, std::nullopt), rs);
         },
         [&] {
             if (!hallado && conUnidad) leer();
         },
         [&] {
             if (hallado) return;
             suc.clear();
             Nro.clear();
             L.clear();
             gTalonario = 0;
         }},
        ReporteroDe("DatosComprobante"));
    db_.CierraRecordset(rs);
}

bool Lbc_Asiento::ComprobanteEntrada(std::string_view TC) {
    static constexpr std::array<std::string_view, 5> kDeEntrada = {"FCC", "NDC", "NCC", "FPC",
                                                                   "NCCP"};
    static constexpr std::array<std::string_view, 7> kPropios = {"FC",   "ND",   "NC",  "FP",
                                                                 "NCFP", "CBFP", "PGFP"};
    const std::string codigo = texto::Recortar(TC);
    for (std::string_view c : kDeEntrada)
        if (texto::IgualesSinCaso(codigo, c)) return true;
    for (std::string_view c : kPropios)
        if (texto::IgualesSinCaso(codigo, c)) return false;

    bool resultado = false;
    Recordset rs;
    const Desenlace d = EjecutarPasos(
        {[&] {
             std::string sql = sentencias::TipoComprobante(AjustarAncho(codigo, 4));
             db_.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
         },
         [&] {
             if (rs.BOF()) return;
             // The last letter of the type decides: entered from outside when it has no
             // numbering of its own.
             for (char32_t c : texto::AUtf32(texto::Recortar(rs.Fields("Letras").Texto()))) {
                 const std::string l = texto::AUtf8(std::u32string(1, c));
                 resultado = ValorNumerico(rs.Fields(l + "_ULTIMO_NRO").Texto()).EsCero() &&
                             ValorNumerico(rs.Fields(l + "_NRO_DESDE").Texto()).EsCero() &&
                             ValorNumerico(rs.Fields(l + "_NRO_HASTA").Texto()).EsCero();
             }
         }},
        ReporteroDe("ComprobanteEntrada"));
    db_.CierraRecordset(rs);
    return d == Desenlace::Abandonado ? false : resultado;
}

bool Lbc_Asiento::BuscarComprobante(std::optional<std::string_view> tipoReg,
                                    std::string_view codigo, std::string_view sucursal,
                                    std::string_view numero, std::string_view letra,
                                    std::optional<std::string_view> fecha, std::string_view cuenta,
                                    Recordset& rs) {
    Abrir(sentencias::ComprobanteUsado(tipoReg, codigo, sucursal, numero, letra, fecha, cuenta),
          rs);
    return !rs.BOF();
}

bool Lbc_Asiento::ValidaComprobante(std::string_view TC, std::string_view Sucursal,
                                    std::string& Numero, std::string_view letra,
                                    entryrules::ComprobanteRegistrado& salida,
                                    std::string_view FechaAsto, std::string_view Cuenta) {
    const std::string numeroOriginal = Numero;
    Recordset rs;
    try {
        const std::string tc = texto::Recortar(TC);
        const std::string codigo = AjustarAncho(tc, 4);
        const std::string letraR = texto::Recortar(letra);
        const std::string subdiario =
            db_.DatosTabla("MA_SUBDIARIOSCOMPROBANTES", tc, "SUBDIARIO", "TC").value_or("");
        // A text that is not a date never equals a stored date: that search cannot find
        // anything and is skipped.
        std::optional<std::string> fecha;
        if (const auto f = helperlib::LeerFecha(FechaAsto))
            fecha = data::LiteralFecha(*f, db_.gCnn.DialectoSql());
        std::optional<bool> cambiaNumero;  // read once, when a voucher is found

        for (;;) {
            const bool hallado = (fecha && BuscarComprobante(subdiario, codigo, Sucursal, Numero,
                                                             letraR, *fecha, Cuenta, rs)) ||
                                 BuscarComprobante(subdiario, codigo, Sucursal, Numero, letraR,
                                                   std::nullopt, Cuenta, rs) ||
                                 BuscarComprobante(std::nullopt, codigo, Sucursal, Numero, letraR,
                                                   std::nullopt, Cuenta, rs);
            if (!hallado) {
                db_.CierraRecordset(rs);
                return true;
            }
            if (!cambiaNumero) {
                const std::string modifica = texto::Mayusculas(texto::Recortar(
                    db_.DatosTabla("TA_COMPROBANTES", tc, "ModificaNumeracion", "CODIGO")
                        .value_or("")));
                cambiaNumero = modifica == "FALSO" || modifica == "FALSE" || modifica == "0";
            }
            if (!*cambiaNumero) {
                salida.MesOP = TextoDeValor(rs.Fields("Mes_Operativo"));
                salida.NroAsiento = TextoDeValor(rs.Fields("NUMERO ASIENTO"));
                salida.PeriodoModif = TextoDeValor(rs.Fields("PERIODO"));
                const std::string tipoReg = texto::Recortar(TextoDeValor(rs.Fields("Tipo_Reg")));
                salida.Mensaje = "Comprobante registrado en el Asiento " + salida.MesOP + "-" +
                                 salida.NroAsiento;
                if (!tipoReg.empty()) salida.Mensaje += "\r\n Para el subdiario: " + tipoReg;
                db_.CierraRecordset(rs);
                return false;
            }
            // The type lets the number change: the next one is proposed and, when accepted,
            // checked in turn, so that the answer is about the number the caller keeps.
            const std::string siguiente = entryrules::NumeroSiguiente(Numero);
            const int r =
                plataforma().MsgBox("El Comprobante Duplicado, el nuevo numero es: " +
                                        servicios_.ArmarNroComprobante(Sucursal, siguiente, letra),
                                    estilo::kSiNo + estilo::kExclamacion, "Atencion");
            if (r != respuesta::kSi) {
                Numero = numeroOriginal;
                salida.Mensaje = "Comprobante duplicado";
                db_.CierraRecordset(rs);
                return false;
            }
            Numero = siguiente;
        }
    } catch (const ErrorEjecucion& e) {
        Numero = numeroOriginal;
        db_.CierraRecordset(rs);
        plataforma().MsgBox(e.Descripcion(), estilo::kSoloOk, "");
        return false;
    } catch (const std::exception& e) {
        Numero = numeroOriginal;
        db_.CierraRecordset(rs);
        plataforma().MsgBox(e.what(), estilo::kSoloOk, "");
        return false;
    }
}

}  // namespace entryrules
