// The auxiliary subledger: for every journal entry of one register type within a date range,
// one row of AUX_SUBDIARIOS per pair of a debit and a credit line, side by side.
//
// The work is done in few round trips: the lines of many consecutive entries are read with one
// prepared statement (entries of one operative month, a range of entry numbers), the account
// names are read once per run for the accounts met, and the rows are inserted by batches of
// one prepared multi-row INSERT, all inside the one transaction. The result is the one the
// entry-by-entry reading gives: each entry's debit and credit lines in account order, paired
// from the first, the longer list driving.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Conexion.h"
#include "DB_Dll.h"
#include "Fecha.h"
#include "Lbc_Asiento.h"
#include "LiteralFecha.h"
#include "NumerosTexto.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "SentenciasAsiento.h"
#include "Subdiarios.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace entryrules {

namespace {

constexpr const char* kRutina = "GeneraAuxiliarSubdiarios";
constexpr const char* kFechaInicial = "01/01/1990";
constexpr const char* kLineaProgreso = "Generando el Reporte";
/// Entries whose lines one statement reads (all of one operative month).
constexpr size_t kAsientosPorLectura = 400;
/// Rows one INSERT writes: 17 values each stays under the server's 2,100 parameters.
constexpr size_t kFilasPorInsercion = 100;
/// Account codes one name query asks for.
constexpr size_t kCuentasPorConsulta = 500;
constexpr size_t kValoresPorFila = sentencias::kValoresFilaAuxiliar;

/// Columns of the line reading, in this order.
enum Col {
    cPeriodo,
    cMes,
    cNumero,
    cDebeHaber,
    cFecha,
    cTc,
    cSucursal,
    cNroCpte,
    cLetra,
    cCabImporte,
    cCuenta,
    cImporte,
    cDetalle
};

/// A whole-number column value (a key of the entry); Null reads as 0.
long long Entero(const ValorSql& v) { return v ? std::strtoll(v->c_str(), nullptr, 10) : 0; }

/// How the work table stores the date of a row driven by a credit line: the line's day (the
/// time of day dropped, as writing it as "dd/mm/yy" did), in the engine's own date form.
/// The "dd/mm/yy" text itself is not stored: in a date column of the embedded engine it would
/// neither sort nor compare as a date, and a server reading it back through a two-digit year
/// window would move dates of 2030 on to 1930.
ValorSql DiaDeFecha(const ValorSql& fecha, Dialecto motor) {
    if (!fecha || texto::Recortar(*fecha).empty()) return std::nullopt;
    const auto f = helperlib::LeerFecha(*fecha);
    if (!f) return fecha;  // not a date this program reads: kept as it came
    helperlib::Fecha dia = *f;
    dia.Hora = dia.Minuto = dia.Segundo = 0;
    // The engine's date literal without its apostrophes is the value the engine stores.
    const std::string literal = data::LiteralFecha(dia, motor);
    if (literal.size() < 2 || literal.front() != '\'' || literal.back() != '\'') return fecha;
    return literal.substr(1, literal.size() - 2);
}

/// A date typed or configured by the user as the connected engine's date literal (a text that
/// is not a date is error 13).
std::string LiteralFecha(const std::string& fecha, Dialecto motor) {
    return data::LiteralFecha(helperlib::FechaDeTexto(fecha), motor);
}

/// The key under which the server's collation finds an account code: letter case and
/// trailing blanks ignored.
std::string ClaveCuenta(const ValorSql& cuenta) {
    return texto::Mayusculas(texto::RecortarDer(cuenta.value_or(std::string())));
}

struct Asiento {
    std::string periodo, mes, numero;  // as the entry query gave them
    long long nMes = 0, nNumero = 0;
    std::vector<const std::vector<ValorSql>*> debe, haber;
};

/// The one run of the generation: the steps of the procedure and what they share.
class Generacion {
  public:
    Generacion(DB_Dll& db, const EntornoSubdiarios& entorno, Reportero reportero)
        : db_(db),
          cn_(db.gCnn),
          entorno_(entorno),
          reportero_(std::move(reportero)),
          motor_(cn_.DialectoSql()) {}

    ~Generacion() { Terminar(); }

    void Correr(std::string& desde, const std::string& hasta, const std::string& tipo,
                bool archivoLegal) {
        tipo_ = texto::Recortar(tipo);
        titulo_ = archivoLegal ? kTituloArchivoLegal : kTituloSubdiarios;
        if (!Paso([&] { transaccion_.emplace(cn_); })) return;
        if (!Paso([&] {
                cn_.Execute(sentencias::BorrarAuxiliarDeUsuario(texto::Recortar(entorno_.usuario)));
            }))
            return;
        if (texto::Recortar(desde).empty()) desde = kFechaInicial;
        if (!Paso([&] { LeerAsientos(desde, hasta); })) return;
        if (asientos_.empty()) {
            Paso([&] { Confirmar(); });
            return;
        }
        cartelAbierto_ = true;  // from here on the notice is closed on every way out
        if (!Paso([&] { entorno_.cartel.CartelInicio(titulo_, true); })) return;
        IndicadorOcupado(true);
        ocupado_ = true;
        for (size_t i = 0; i < asientos_.size(); ++i) {
            bool abortar = false;
            if (!Paso([&] { abortar = MostrarYPreguntar(asientos_[i]); })) return;
            if (abortar) break;
            if (i == leidosHasta_ && !Paso([&] { LeerLineas(i); })) return;
            if (!Paso([&] { Emparejar(asientos_[i]); })) return;
            if (pendientes_.size() >= kFilasPorInsercion * kValoresPorFila && !Insertar()) return;
        }
        if (!Insertar()) return;
        Terminar();
        Paso([&] { Confirmar(); });
    }

  private:
    /// One step under the reporter; false when the procedure is to be left (the transaction
    /// is then rolled back by its guard).
    bool Paso(const std::function<void()>& paso) { return EjecutarPaso(paso, reportero_); }

    void Confirmar() {
        if (transaccion_) transaccion_->Confirmar();
    }

    /// Busy indicator off and notice closed, once, whatever way the run ends.
    void Terminar() noexcept {
        try {
            if (ocupado_) IndicadorOcupado(false);
            ocupado_ = false;
            if (cartelAbierto_) entorno_.cartel.CartelCerrar();
            cartelAbierto_ = false;
        } catch (...) {  // leaving must not fail: the notice's own window goes with its owner
        }
    }

    void LeerAsientos(const std::string& desde, const std::string& hasta) {
        const ResultadoSql r = cn_.Consultar(db_.SS_TSinonimos(sentencias::AsientosDeSubdiario(
            tipo_, LiteralFecha(desde, motor_), LiteralFecha(hasta, motor_))));
        asientos_.clear();
        asientos_.reserve(r.Filas.size());
        for (const auto& f : r.Filas) {
            Asiento a;
            a.periodo = texto::Recortar(f[0].value_or(""));
            a.mes = texto::Recortar(f[1].value_or(""));
            a.numero = texto::Recortar(f[2].value_or(""));
            a.nMes = Entero(f[1]);
            a.nNumero = Entero(f[2]);
            asientos_.push_back(std::move(a));
        }
    }

    /// Shows the entry on the notice when the interval has passed (and always for the first),
    /// and handles a cancel. True when the user chose to stop.
    bool MostrarYPreguntar(const Asiento& a) {
        const auto ahora = std::chrono::steady_clock::now();
        if (mostrado_ && ahora - ultimoCartel_ < entorno_.intervaloCartel) return false;
        const std::string segunda = ConCeros(a.nMes, 4) + "-" + ConCeros(a.nNumero, 7);
        bool cancelado = false;
        entorno_.cartel.CartelMostrar(cancelado, kLineaProgreso, segunda);
        mostrado_ = true;
        ultimoCartel_ = std::chrono::steady_clock::now();
        if (!cancelado) return false;
        entorno_.cartel.Siempre_Visible(false);
        const int r = plataforma().MsgBox(kPreguntaAbortar, estilo::kPregunta | estilo::kSiNo, "");
        if (r == respuesta::kSi) return true;
        entorno_.cartel.CartelCerrar();
        entorno_.cartel.CartelInicio(titulo_, true);
        entorno_.cartel.CartelMostrar(cancelado, std::string(kLineaProgreso) + " ", segunda);
        entorno_.cartel.Siempre_Visible(true);
        ultimoCartel_ = std::chrono::steady_clock::now();
        return false;
    }

    /// Reads the lines of the entries from `desde` on: up to kAsientosPorLectura consecutive
    /// entries of the same operative month, with one statement.
    void LeerLineas(size_t desde) {
        size_t hasta = desde + 1;
        while (hasta < asientos_.size() && hasta - desde < kAsientosPorLectura &&
               asientos_[hasta].nMes == asientos_[desde].nMes)
            ++hasta;
        leidosHasta_ = hasta;  // set first: an ignored failure leaves these entries without lines
        lineas_.clear();
        const std::string sql = db_.SS_TSinonimos(sentencias::LineasDeAsientos(tipo_));
        ResultadoSql r = cn_.Consultar(
            sql, {asientos_[desde].mes, asientos_[desde].numero, asientos_[hasta - 1].numero});
        lineas_ = std::move(r.Filas);

        // Each line joins its entry (same period, month and number); lines of entries outside
        // the chosen ones (another period, or out of the date range) are left out.
        std::map<std::pair<std::string, long long>, Asiento*> porClave;
        for (size_t i = desde; i < hasta; ++i) {
            asientos_[i].debe.clear();
            asientos_[i].haber.clear();
            porClave[{asientos_[i].periodo, asientos_[i].nNumero}] = &asientos_[i];
        }
        std::vector<ValorSql> faltantes;
        for (const auto& l : lineas_) {
            const auto it =
                porClave.find({texto::Recortar(l[cPeriodo].value_or("")), Entero(l[cNumero])});
            if (it == porClave.end() || Entero(l[cMes]) != asientos_[desde].nMes) continue;
            const std::string lado =
                texto::Mayusculas(texto::RecortarDer(l[cDebeHaber].value_or("")));
            (lado == "D" ? it->second->debe : it->second->haber).push_back(&l);
            std::string clave = ClaveCuenta(l[cCuenta]);
            if (!nombres_.count(clave)) {
                nombres_.emplace(std::move(clave), std::nullopt);
                faltantes.push_back(l[cCuenta].value_or(std::string()));
            }
        }
        LeerNombres(faltantes);
    }

    /// Account names, read once per run: a code without an account gets the empty name.
    void LeerNombres(const std::vector<ValorSql>& codigos) {
        for (size_t i = 0; i < codigos.size(); i += kCuentasPorConsulta) {
            const size_t n = std::min(kCuentasPorConsulta, codigos.size() - i);
            const std::vector<ValorSql> parte(codigos.begin() + static_cast<long>(i),
                                              codigos.begin() + static_cast<long>(i + n));
            const ResultadoSql r =
                cn_.Consultar(db_.SS_TSinonimos(sentencias::NombresDeCuentas(n)), parte);
            for (const auto& f : r.Filas) nombres_[ClaveCuenta(f[0])] = f[1].value_or("");
        }
    }

    std::string Nombre(const ValorSql& cuenta) const {
        const auto it = nombres_.find(ClaveCuenta(cuenta));
        return it == nombres_.end() ? std::string() : it->second.value_or(std::string());
    }

    /// The entry's rows: one per line of the longer list (the debit list when both are as
    /// long), each with the debit and credit lines of the same position while there are.
    void Emparejar(const Asiento& a) {
        const bool manda = a.debe.size() >= a.haber.size();
        const auto& guia = manda ? a.debe : a.haber;
        for (size_t k = 0; k < guia.size(); ++k) {
            const auto& g = *guia[k];
            const ValorSql fecha = manda ? g[cFecha] : DiaDeFecha(g[cFecha], motor_);
            const std::vector<ValorSql>* d = k < a.debe.size() ? a.debe[k] : nullptr;
            const std::vector<ValorSql>* h = k < a.haber.size() ? a.haber[k] : nullptr;
            const ValorSql valores[kValoresPorFila] = {
                entorno_.usuario,
                a.periodo,
                a.mes,
                a.numero,
                fecha,
                g[cTc],
                g[cSucursal],
                g[cNroCpte],
                g[cLetra],
                g[cCabImporte],
                d ? (*d)[cCuenta] : std::nullopt,
                d ? ValorSql(Nombre((*d)[cCuenta])) : std::nullopt,
                d ? (*d)[cImporte] : std::nullopt,
                g[cDetalle],
                h ? (*h)[cCuenta] : std::nullopt,
                h ? ValorSql(Nombre((*h)[cCuenta])) : std::nullopt,
                h ? (*h)[cImporte] : std::nullopt,
            };
            pendientes_.insert(pendientes_.end(), std::begin(valores), std::end(valores));
        }
    }

    /// Writes the pending rows in batches. When a batch fails it is written again row by row,
    /// each row a step of its own, so that the user is asked about the failing row and a row
    /// skipped costs only itself. False when the user chose to leave.
    bool Insertar() {
        const size_t total = pendientes_.size() / kValoresPorFila;
        for (size_t i = 0; i < total; i += kFilasPorInsercion) {
            const size_t n = std::min(kFilasPorInsercion, total - i);
            const auto inicio = pendientes_.begin() + static_cast<long>(i * kValoresPorFila);
            const std::vector<ValorSql> lote(inicio,
                                             inicio + static_cast<long>(n * kValoresPorFila));
            try {
                cn_.EjecutarConParametros(sentencias::InsercionAuxiliar(n), lote);
                continue;
            } catch (const ErrorEjecucion&) {
                // A failed statement wrote none of its rows: they go again one by one.
            }
            const std::string sql = sentencias::InsercionAuxiliar(1);
            for (size_t f = 0; f < lote.size(); f += kValoresPorFila) {
                const std::vector<ValorSql> fila(
                    lote.begin() + static_cast<long>(f),
                    lote.begin() + static_cast<long>(f + kValoresPorFila));
                if (!Paso([&] { cn_.EjecutarConParametros(sql, fila); })) return false;
            }
        }
        pendientes_.clear();
        return true;
    }

    DB_Dll& db_;
    Conexion& cn_;
    const EntornoSubdiarios& entorno_;
    Reportero reportero_;
    Dialecto motor_;
    std::string tipo_;
    std::string titulo_;
    std::optional<GuardaTransaccion> transaccion_;
    std::vector<Asiento> asientos_;
    size_t leidosHasta_ = 0;                     // entries before this one have their lines read
    std::vector<std::vector<ValorSql>> lineas_;  // the lines of the entries being written
    std::unordered_map<std::string, std::optional<std::string>> nombres_;  // account -> name
    std::vector<ValorSql> pendientes_;  // rows not written yet, kValoresPorFila values each
    bool cartelAbierto_ = false;
    bool ocupado_ = false;
    bool mostrado_ = false;
    std::chrono::steady_clock::time_point ultimoCartel_;
};

}  // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(const entryrules::EntornoSubdiarios& entorno,
                                           std::string& Fecha_Desde, const std::string& Fecha_Hasta,
                                           const std::string& TipoSub, bool EsArchivoLegal) {
    entryrules::Generacion g(
        db_, entorno, [this](const ErrorEjecucion& e) { return Reportar(e, entryrules::kRutina); });
    g.Correr(Fecha_Desde, Fecha_Hasta, TipoSub, EsArchivoLegal);
}

}  // namespace entryrules
