// One-call questions to the database: does a row exist, what is a column of the row with this
// key, what are the largest and smallest values of a column. Values placed between apostrophes
// have their apostrophes doubled, so a key typed by a user never breaks the statement.
#include "DB_Dll.h"
#include "MapaErrores.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace data {

namespace {

bool EsNumerico(int tipo) {
    return tipo == tipodato::kEntero || tipo == tipodato::kLargo || tipo == tipodato::kReal;
}

/// A number typed as text, read and written back in its shortest form ("  12.50" -> "12.5").
std::string NumeroNormalizado(const std::string& valor) {
    return ValorNumerico(texto::Recortar(valor)).TextoCorto();
}

std::string Entre(const std::string& valor) { return "'" + texto::DuplicarApostrofes(valor) + "'"; }

/// The key comparison shared by the existence tests, after "<campo>" (trailing blank kept).
std::string ComparacionSimple(const std::string& campo, const std::string& valor, int tipo) {
    if (tipo == tipodato::kFecha) return campo + " = " + texto::Recortar(valor) + " ";
    if (EsNumerico(tipo)) return campo + " = " + NumeroNormalizado(valor) + " ";
    return campo + " = " + valor + " ";
}

std::string ConPalabraWhere(const std::string& condicion) {
    return (texto::ContieneSinCaso(condicion, " WHERE ") ? " " : " WHERE ") + condicion;
}

std::string SentenciaExiste(const std::string& tabla, const std::string& valor,
                            const std::string& campo, int tipo, const std::string& condicion) {
    if (!condicion.empty())
        return "SELECT TOP 1 * FROM " + tabla + " with(nolock) " + ConPalabraWhere(condicion);
    if (tipo == tipodato::kTexto)
        return "SELECT TOP 1  * FROM " + tabla + " with(nolock)  WHERE LTRIM(RTRIM(" + campo +
               ")) =" + Entre(texto::Recortar(valor));
    return "SELECT TOP 1 * FROM " + tabla + " with(nolock)  WHERE " +
           ComparacionSimple(campo, valor, tipo);
}

std::string SentenciaExisteST(const std::string& tabla, const std::string& valor,
                              const std::string& campo, int tipo, const std::string& condicion) {
    if (!condicion.empty())
        return "SELECT * FROM " + tabla + " with(nolock)  " + ConPalabraWhere(condicion);
    if (tipo == tipodato::kTexto)
        return "SELECT * FROM " + tabla + " with(nolock)   WHERE " + campo + " =" + Entre(valor);
    return "SELECT * FROM " + tabla + " with(nolock)   WHERE " +
           ComparacionSimple(campo, valor, tipo);
}

/// `s` without the blanks at either end (a view of it).
std::string_view SinBlancosExtremos(std::string_view s) {
    const size_t desde = s.find_first_not_of(' ');
    if (desde == std::string_view::npos) return {};
    return s.substr(desde, s.find_last_not_of(' ') - desde + 1);
}

/// The statement of a one-column look-up, written into one buffer (a look-up runs for every
/// line of a template). A condition is joined with AND unless it is blank.
std::string SentenciaDatos(const std::string& tabla, const std::string& valor,
                           const std::string& campo, int tipo, const std::string& condicion,
                           bool usaTrim) {
    std::string s;
    s.reserve(64 + tabla.size() + 2 * campo.size() + 2 * valor.size() + condicion.size());
    s.append("SELECT TOP 1 * FROM ").append(tabla).append(" with(nolock)  WHERE ");
    const auto cola = [&] {
        if (!SinBlancosExtremos(condicion).empty()) s.append(" AND ");
        s.append(condicion);
    };
    const auto literal = [&](std::string_view v) {  // apostrophes doubled
        s += '\'';
        for (const char c : v) (c == '\'' ? s.append("''") : s += c);
        s += '\'';
    };
    if (tipo == tipodato::kTexto) {
        if (usaTrim) {
            s.append("LTRIM(RTRIM(").append(campo).append(")) =");
            literal(SinBlancosExtremos(valor));
        } else {
            s.append(campo).append(" =");
            literal(valor);
        }
        s += ' ';
    } else if (tipo == tipodato::kFecha) {
        s.append(campo).append(" = #").append(SinBlancosExtremos(valor)).append("# ");
    } else {
        s.append(campo).append(" = ").append(EsNumerico(tipo) ? NumeroNormalizado(valor) : valor);
    }
    cola();
    return s;
}

std::string CondicionWhere(const std::string& condicion) {
    return texto::Recortar(condicion).empty() ? std::string()
                                              : " WHERE " + texto::Recortar(condicion);
}

}  // namespace

int DB_Dll::ReportarBusqueda(const ErrorEjecucion& e, int& cuenta) {
    if (EnlacePerdido(gCnn.Errors()) && RecuperarConexion(cuenta)) return respuesta::kReintentar;
    return plataforma().MsgBox(
        e.Descripcion(), estilo::kAbortarReintentarIgnorar | estilo::kCritico, "Aviso al Operador");
}

bool DB_Dll::Existe(const std::string& sql, Recordset* Lrcs, bool SoloLectura, bool traducir) {
    bool hallado = false;
    int cuenta = 0;
    const Reportero reportero = [&](const ErrorEjecucion& e) {
        return ReportarBusqueda(e, cuenta);
    };
    if (!Lrcs) {
        Recordset propio;
        EjecutarPasos({
                          [&] {
                              propio.Open(traducir ? ORACLE_Dicc(sql) : sql, gCnn,
                                          cursor::kSoloAvance, bloqueo::kSoloLectura, -1);
                          },
                          [&] { hallado = !propio.BOF(); },
                      },
                      reportero);
        return hallado;
    }
    EjecutarPasos(
        {
            [&] {
                if (Lrcs->State() != estado_objeto::kCerrado) Lrcs->Close();
            },
            [&] {
                const int tipoCursor = SoloLectura ? cursor::kSoloAvance : Lrcs->CursorType;
                const int tipoBloqueo = SoloLectura ? bloqueo::kSoloLectura : Lrcs->LockType;
                Lrcs->Open(sql, gCnn, tipoCursor, tipoBloqueo, -1);
            },
            [&] { hallado = !Lrcs->BOF(); },
        },
        reportero);
    return hallado;
}

bool DB_Dll::ExisteEnTabla(const std::string& Tabla, const std::string& ValorBuscado,
                           const std::string& Campo, Recordset* Lrcs, int Tipodato,
                           const std::string& Condicion, bool SoloLectura) {
    const std::string sql =
        SS_TSinonimos(SentenciaExiste(Tabla, ValorBuscado, Campo, Tipodato, Condicion));
    return Existe(sql, Lrcs, SoloLectura, true);
}

bool DB_Dll::ExisteEnTablaST(const std::string& Tabla, const std::string& ValorBuscado,
                             const std::string& Campo, Recordset* Lrcs, int Tipodato,
                             const std::string& Condicion, bool SoloLectura) {
    return Existe(SentenciaExisteST(Tabla, ValorBuscado, Campo, Tipodato, Condicion), Lrcs,
                  SoloLectura, false);
}

std::optional<std::string> DB_Dll::DatosTabla(const std::string& Tabla,
                                              const std::string& ValorBuscado,
                                              const std::string& CampoDevuelto,
                                              const std::string& Campo, int Tipodato,
                                              const std::string& Condicion, bool UsaTrim,
                                              bool IgnoraError) {
    const int tipo = Tipodato == tipodato::kApostrofe ? tipodato::kTexto : Tipodato;
    std::string sql = SentenciaDatos(Tabla, ValorBuscado, Campo, tipo, Condicion, UsaTrim);
    std::optional<std::string> resultado;
    Recordset rs;
    bool sinConexion = false;
    // The reporter holds one reference, so that making it allocates nothing.
    struct Falla {
        DB_Dll& db;
        bool ignorar;
        std::optional<std::string>& resultado;
        int cuenta = 0;
    } falla{*this, IgnoraError, resultado};
    const Reportero reportero = [&falla](const ErrorEjecucion& e) -> int {
        if (!falla.ignorar) return falla.db.ReportarBusqueda(e, falla.cuenta);
        falla.resultado = std::string();
        return respuesta::kAbortar;
    };
    // Each step runs while the previous ones went on and the connection was usable.
    const auto paso = [&](PasoRef p) { return EjecutarPaso(p, reportero) && !sinConexion; };
    paso([&] {
        if (IgnoraError) {  // silent: no dialog of the recordset opening either
            sql = SS_TSinonimos(sql);
            AbrirTraducido(sql, rs, gCnn, cursor::kSoloAvance, bloqueo::kSoloLectura, -1, true);
        } else {
            AbrirRecordset(sql, rs, &gCnn, cursor::kSoloAvance, bloqueo::kSoloLectura, -1, true);
        }
    }) &&
        // A failure AbrirRecordset already reported (and the operator answered) leaves the
        // recordset closed: the result stays Empty.
        paso([&] { sinConexion = !gOpenFlag || rs.State() == estado_objeto::kCerrado; }) &&
        paso([&] {
            resultado = rs.BOF() ? std::string() : TextoDeValor(rs.Fields(CampoDevuelto));
        }) &&
        paso([&] { CierraRecordset(rs); });
    return resultado;
}

std::optional<Moneda> DB_Dll::BuscaUltimoCodigo(const std::string& QueTabla,
                                                const std::string& QueCampo, long,
                                                const std::string& Condicion) {
    const std::string sql = "SELECT MAX(" + QueCampo + ") AS MAYOR FROM " + QueTabla +
                            (texto::Recortar(Condicion).empty() ? "" : " WHERE " + Condicion);
    Recordset rs;
    rs.Open(sql, gCnn, cursor::kSoloAvance, bloqueo::kSoloLectura, -1);
    // MAX over no rows gives one row holding Null: there is no last code then.
    if (rs.BOF() || rs.Fields("MAYOR").EsNulo()) return std::nullopt;
    return ValorNumerico(TextoDeValor(rs.Fields("MAYOR")));
}

std::optional<std::string> DB_Dll::BuscaMaximo(const std::string& QueTabla,
                                               const std::string& QueCampo, std::optional<int> Tipo,
                                               const std::string& Condicion) {
    const auto consulta = [&](const std::string& condicion) -> std::optional<std::string> {
        Recordset rs;
        rs.Open(
            "SELECT MAX(" + QueCampo + ") AS MAYOR FROM " + QueTabla + CondicionWhere(condicion),
            gCnn, cursor::kSoloAvance, bloqueo::kSoloLectura, -1);
        if (rs.BOF()) return std::nullopt;
        return TextoDeValor(rs.Fields("MAYOR"));
    };
    auto maximo = consulta(Condicion);
    // Article codes that start with "0" do not count as the highest code.
    if (maximo && texto::IgualesSinCaso(texto::Recortar(QueTabla), "V_MA_ARTICULOS") &&
        texto::Izquierda(texto::Recortar(*maximo), 1) == "0") {
        const std::string filtro = "substring(ltrim(idarticulo),1,1)<>'0'";
        maximo = consulta(texto::Recortar(Condicion).empty() ? " " + filtro
                                                             : Condicion + " and " + filtro);
    }
    if (maximo && Tipo && EsNumerico(*Tipo)) return ValorNumerico(*maximo).TextoCorto();
    return maximo;
}

std::optional<Moneda> DB_Dll::BuscaMinimo(const std::string& QueTabla, const std::string& QueCampo,
                                          std::optional<int>, const std::string& Condicion) {
    Recordset rs;
    rs.Open("SELECT MIN(" + QueCampo + ") AS MENOR FROM " + QueTabla + "  with(nolock) " +
                CondicionWhere(Condicion),
            gCnn, cursor::kSoloAvance, bloqueo::kSoloLectura, -1);
    if (rs.BOF() || rs.Fields("MENOR").EsNulo()) return std::nullopt;
    return ValorNumerico(TextoDeValor(rs.Fields("MENOR")));
}

}  // namespace data
