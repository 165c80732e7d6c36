#include "LogicaGrilla.h"

#include <algorithm>

#include "AlmacenModelos.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "ImporteExacto.h"
#include "Lbc_Asiento.h"
#include "MatrizGrilla.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace entryrules;

namespace editor {

namespace {

constexpr int kFilasIniciales = 20;

/// Blank as the grid judges a value: nothing but blanks, tabs and line ends (which covers a
/// text empty after trimming its blanks).
bool EnBlanco(const std::string& s) { return EsTextoVacio(s); }

/// The amount of a text, or nullopt when it holds no number (or one beyond the range).
std::optional<Moneda> ImporteSeguro(const std::string& s) {
    try {
        return Moneda::Leer(s);
    } catch (const ErrorEjecucion&) {
        return std::nullopt;
    }
}

/// An amount of a line as the grid takes it: read once, for the text shown and for the side it
/// closes.
struct ImporteDeLinea {
    bool blanco;
    std::optional<Moneda> valor;  // nullopt when blank or no number
    explicit ImporteDeLinea(const std::string& s)
        : blanco(EnBlanco(s)), valor(blanco ? std::nullopt : ImporteSeguro(s)) {}
    /// The amount as the grid shows it; a text that is no number is shown as it is.
    std::string Mostrado(const std::string& s) const {
        if (blanco) return {};
        return valor ? valor->Formato(2) : texto::Recortar(s);
    }
    /// A positive amount closes the other side of the line.
    bool Positivo() const { return valor && *valor > Moneda(); }
};

Moneda ValorSeguro(const std::string& s) {
    const auto v = ImporteSeguro(s);
    return v ? *v : Moneda();
}

void AvisoOperador(const std::string& mensaje) {
    plataforma().MsgBox(mensaje, estilo::kExclamacion, mensaje_grilla::kTitulo);
}

}  // namespace

LogicaGrilla::LogicaGrilla(AlmacenModelos& almacen, DB_Dll& db, MatrizGrilla& grilla)
    : almacen_(almacen), db_(db), grilla_(grilla) {
    LeerDigito = [this] { return Cfg(db_, "USADIGITOVERIFICADOR"); };
}

bool LogicaGrilla::UsaDigito() const { return EsSi(ValorDigito); }
bool LogicaGrilla::DigitoEsNo() const { return texto::IgualesSinCaso(ValorDigito, "NO"); }

void LogicaGrilla::MsFlex_Inicializa(bool releerDigito) {
    if (releerDigito || ValorDigito.empty())
        ValorDigito = LeerDigito ? LeerDigito() : std::string(" ");
    const bool dv = UsaDigito();
    // Encabezado, Campo, Tabla, Ancho, Habilitada, Obligatoria
    Columnas[0] = {"Linea", "", "", 5, false, true};
    Columnas[1] = {"Cuenta", "CUENTA", "MA_CUENTAS", 13, true, false};
    Columnas[2] = {"Dv", "DV", "MA_CUENTAS", static_cast<int16_t>(dv ? 3 : 0), dv, dv};
    Columnas[3] = {"Descripción", "", "", static_cast<int16_t>(dv ? 40 : 45), false, false};
    Columnas[4] = {"Debe           ", "DEBE", "", 12, false, false};
    Columnas[5] = {"Haber          ", "HABER", "", 12, false, false};
    Columnas[6] = {"Alic.IVA ", "ALICIVA", "", 6, false, false};
    FilaActual = 0;
    // A grid untouched since it was last built with this layout is what building it makes:
    // the view is not told of a rebuild that changes nothing (a template's load rebuilds the
    // grid the form's reset has just built).
    if (reconstruida_ && grilla_.Cambios() == cambiosAlReconstruir_ && dv == dvAlReconstruir_)
        return;

    // The grid's view hears of the new layout once, when it is complete.
    MatrizGrilla::Lote lote(grilla_);
    grilla_.Clear();
    grilla_.Cols(columna::kCantidad);
    grilla_.Rows(kFilasIniciales);
    grilla_.Celda(0, 0);
    grilla_.TopRow(1);
    for (int c = 0; c < columna::kCantidad; ++c) {
        const bool oculta = c == columna::kDv && !dv;
        grilla_.ColWidth(c, oculta ? 0 : (Columnas[c].Ancho + 1) * 100);
        const bool importe = c == columna::kDebe || c == columna::kHaber;
        grilla_.ColAlignment(c, importe ? alineacion::kDerechaAbajo : alineacion::kIzquierdaCentro);
        grilla_.TextMatrix(0, c, Columnas[c].Encabezado);
    }
    for (int r = 1; r < grilla_.Rows(); ++r) grilla_.TextMatrix(r, 0, std::to_string(r));
    reconstruida_ = true;
    cambiosAlReconstruir_ = grilla_.Cambios();
    dvAlReconstruir_ = dv;
}

PropiedadesEditor LogicaGrilla::Brw_Propiedades(double columnaPedida) const {
    const int c = static_cast<int>(columnaPedida);
    if (columnaPedida < 0 || c >= columna::kCantidad)
        throw ErrorEjecucion(9, "El subíndice está fuera del intervalo");
    const ColumnaGrilla& col = Columnas[static_cast<size_t>(c)];
    return {col.Campo, col.Habilitada, col.Ancho, col.Tabla};
}

void LogicaGrilla::MostrarLinea(int fila) {
    Columnas[columna::kCuenta].Habilitada = true;
    auto& lineas = almacen_.Lineas;
    if (fila <= 0 || fila > lineas.Superior()) return;
    if (fila >= grilla_.Rows()) grilla_.Rows(fila + 1);
    const LineaModelo& l = lineas[fila];
    grilla_.TextMatrix(fila, columna::kLinea, std::to_string(fila));
    grilla_.TextMatrix(fila, columna::kCuenta, l.Cuenta.Recortado());
    grilla_.TextMatrix(fila, columna::kDv, l.DV.Recortado());
    grilla_.TextMatrix(fila, columna::kDescripcion, l.Descripcion.Recortado());
    const ImporteDeLinea debe(l.Debe), haber(l.Haber);
    grilla_.TextMatrix(fila, columna::kDebe, debe.Mostrado(l.Debe));
    grilla_.TextMatrix(fila, columna::kHaber, haber.Mostrado(l.Haber));
    grilla_.TextMatrix(fila, columna::kAlicIva, texto::Recortar(l.AlicIVA));

    const bool dv = UsaDigito();
    Columnas[columna::kDv].Habilitada = dv;
    const bool datos = dv ? !EnBlanco(l.DV.Texto()) : !EnBlanco(l.Cuenta.Texto());
    for (int c = columna::kDescripcion; c <= columna::kAlicIva; ++c) Columnas[c].Habilitada = datos;
    // One side at a time: a positive amount on one side closes the other.
    if (debe.Positivo()) Columnas[columna::kHaber].Habilitada = false;
    if (haber.Positivo()) Columnas[columna::kDebe].Habilitada = false;
    Columnas[columna::kDescripcion].Habilitada = false;
}

void LogicaGrilla::MostrarDesde(int desde, int hasta) {
    for (int f = std::max(desde, 1); f <= hasta; ++f) {
        if (f <= almacen_.Lineas.Superior()) {
            MostrarLinea(f);
        } else if (f < grilla_.Rows()) {
            for (int c = 1; c < grilla_.Cols(); ++c) grilla_.TextMatrix(f, c, "");
        }
    }
}

// ---- Validation -----------------------------------------------------------------------------

bool LogicaGrilla::ValidarCuenta(std::string& texto, bool mostrar, std::string& mensaje) {
    LineaModelo& l = almacen_.Lineas[FilaActual];
    if (!mostrar) {
        l.Cuenta = texto;
        return true;
    }
    std::string codigo = texto;
    bool porOpcional = false;
    if (!BuscarCuenta(db_, codigo, nullptr, true, porOpcional)) {
        mensaje = mensaje_grilla::kNoImputable;
        return false;
    }
    texto = texto::Recortar(codigo);
    const auto titulo = db_.DatosTabla("MA_CUENTAS", texto, "TITULO", "CODIGO");
    if (texto.empty() || (titulo && ValorBooleano(ValorSql(*titulo)))) {
        mensaje = mensaje_grilla::kNoImputable;
        return false;
    }
    // Another account on the line: its check digit and description no longer apply.
    if (!texto::IgualesSinCaso(l.Cuenta.Recortado(), texto)) {
        l.DV = "";
        l.Descripcion = "";
    }
    l.Cuenta = texto;
    if (DigitoEsNo())
        l.Descripcion = db_.DatosTabla("MA_CUENTAS", texto, "DESCRIPCION", "CODIGO").value_or("");
    int primera = 0;
    if (CuentaRepetida(texto, primera))
        plataforma().MsgBox(mensaje_grilla::kRepetida + std::to_string(primera),
                            estilo::kSoloOk + estilo::kInformacion, "");
    return true;
}

bool LogicaGrilla::ValidarImporte(const std::string& texto, bool esDebe, bool mostrar,
                                  std::string& mensaje) {
    LineaModelo& l = almacen_.Lineas[FilaActual];
    std::string& propio = esDebe ? l.Debe : l.Haber;
    std::string& otro = esDebe ? l.Haber : l.Debe;
    if (!EnBlanco(texto)) {
        try {
            const auto importe = Moneda::Leer(texto);
            if (!importe) {
                mensaje = mensaje_grilla::kImporteInvalido;
                return false;
            }
            // The amount as it will be kept (shown and saved with two decimals when confirmed)
            // must come back from the database as typed, never as another amount.
            const Moneda guardado = mostrar ? importe->Redondeada(2) : *importe;
            if (!data::ImporteExactoEnMotor(guardado, db_.gCnn.DialectoSql())) {
                mensaje = mensaje_grilla::kImporteNoExacto;
                return false;
            }
        } catch (const ErrorEjecucion&) {
            mensaje = mensaje_grilla::kImporteFueraDeRango;
            return false;
        }
    }
    propio = texto;
    if (!EnBlanco(texto) && mostrar) {
        otro.clear();
        propio = FormatoImporte(texto);
    }
    if (!esDebe && EnBlanco(texto) && EnBlanco(l.Debe)) {
        mensaje = mensaje_grilla::kSinImporte;
        return false;
    }
    return true;
}

bool LogicaGrilla::ValidarCampo(std::string& textoEditor, const std::string& campo, bool mostrar) {
    almacen_.ErrorValidacion = false;
    if (FilaActual < 1) return true;  // the header row holds no line
    auto& lineas = almacen_.Lineas;
    while (lineas.Superior() < FilaActual) lineas.Agregar();
    std::string texto = texto::Recortar(textoEditor);
    LineaModelo& l = lineas[FilaActual];
    const LineaModelo antes = l;
    std::string mensaje;
    bool ok = true;

    if (texto::IgualesSinCaso(campo, "CUENTA")) {
        if (texto.empty()) {
            QuitarLinea(FilaActual);
            std::string m;
            RecalcularTotales(m);
            return true;
        }
        ok = ValidarCuenta(texto, mostrar, mensaje);
        if (ok) textoEditor = texto;
    } else if (texto::IgualesSinCaso(campo, "DV")) {
        const std::string guardado = texto::Recortar(
            db_.DatosTabla("MA_CUENTAS", AjustarAncho(l.Cuenta.Recortado(), 15), "DV", "CODIGO")
                .value_or(""));
        l.DV = texto;
        if (guardado != texto && UsaDigito()) {
            mensaje = mensaje_grilla::kDigito;
            ok = false;
        } else {
            l.Descripcion =
                db_.DatosTabla("MA_CUENTAS", l.Cuenta.Recortado(), "DESCRIPCION", "CODIGO")
                    .value_or("");
        }
    } else if (texto::IgualesSinCaso(campo, "DEBE") || texto::IgualesSinCaso(campo, "HABER")) {
        ok = ValidarImporte(texto, texto::IgualesSinCaso(campo, "DEBE"), mostrar, mensaje);
    } else if (texto::IgualesSinCaso(campo, "ALICIVA")) {
        if (!EnBlanco(texto) && !ImporteSeguro(texto)) {
            mensaje = mensaje_grilla::kAlicuotaInvalida;
            ok = false;
        } else {
            l.AlicIVA = texto;
        }
    }

    if (!ok) {
        lineas[FilaActual] = antes;  // a refused value is not kept
        almacen_.ErrorValidacion = true;
    }
    MostrarLinea(FilaActual);
    if (!almacen_.Grabando) {
        std::string m;
        RecalcularTotales(m);
    }
    if (!ok && !mensaje.empty() && mostrar) AvisoOperador(mensaje);
    return ok;
}

bool LogicaGrilla::CuentaRepetida(const std::string& cuenta, int& linea) const {
    const std::string buscada = texto::Recortar(cuenta);
    int encontradas = 0;
    const auto& lineas = almacen_.Lineas;
    for (int i = 0; i <= lineas.Superior(); ++i) {
        // Account codes compare without regard to case, as every comparison of the editor.
        if (buscada.empty() || !texto::IgualesSinCaso(lineas[i].Cuenta.Recortado(), buscada))
            continue;
        if (++encontradas == 1) {
            linea = i;
        } else {
            return true;
        }
    }
    return false;
}

// ---- Totals ---------------------------------------------------------------------------------

void LogicaGrilla::CalcularTotales(Moneda& totalDebe, Moneda& totalHaber) {
    totalDebe = Moneda();
    totalHaber = Moneda();
    for (auto& l : almacen_.Lineas.Elementos()) {
        const Moneda d = ValorSeguro(l.Debe);
        totalDebe += d;
        if (!d.EsCero()) l.Haber = "0";
        const Moneda h = ValorSeguro(l.Haber);
        totalHaber += h;
        if (!h.EsCero()) l.Debe = "0";
    }
    TotalDebe = totalDebe.Formato(2);
    TotalHaber = totalHaber.Formato(2);
}

void LogicaGrilla::RecalcularTotales(std::string& mensaje) {
    mensaje.clear();
    Moneda d, h;
    try {
        CalcularTotales(d, h);
    } catch (const ErrorEjecucion& e) {
        mensaje = e.Descripcion();
    }
}

// ---- Removing and inserting lines -------------------------------------------------------------

void LogicaGrilla::QuitarLinea(int fila) {
    auto& v = almacen_.Lineas.Elementos();
    if (fila < 1 || fila >= static_cast<int>(v.size())) return;
    const int ultima = static_cast<int>(v.size()) - 1;
    std::move(v.begin() + fila + 1, v.end(), v.begin() + fila);
    v.back() = LineaModelo{};  // the last line moved up: no copy of it stays behind
    MostrarDesde(fila, ultima);
}

void LogicaGrilla::BorrarLinea() {
    if (EnBlanco(grilla_.TextMatrix(1, columna::kCuenta))) return;
    auto& v = almacen_.Lineas.Elementos();
    const int fila = FilaActual;
    if (fila < 1 || fila >= static_cast<int>(v.size())) return;
    v[static_cast<size_t>(fila)] = LineaModelo{};
    for (int c = 1; c < grilla_.Cols(); ++c) grilla_.TextMatrix(fila, c, "");
    if (fila < grilla_.Rows() && grilla_.Rows() > 2) grilla_.RemoveItem(fila);
    v.erase(v.begin() + fila);
    if (v.empty()) v.emplace_back();
    for (int r = fila; r < grilla_.Rows(); ++r) grilla_.TextMatrix(r, 0, std::to_string(r));
}

void LogicaGrilla::InsertarLinea() {
    auto& v = almacen_.Lineas.Elementos();
    const int fila = std::max<int>(FilaActual, 0);
    while (static_cast<int>(v.size()) <= fila) v.emplace_back();
    v.insert(v.begin() + fila + 1, LineaModelo{});
    if (fila + 1 <= grilla_.Rows()) grilla_.AddItem(fila + 1);
    for (int r = fila + 1; r < grilla_.Rows(); ++r) grilla_.TextMatrix(r, 0, std::to_string(r));
}

// ---- Moving the current cell -------------------------------------------------------------------

void LogicaGrilla::SiguienteFila() {
    const int fila = grilla_.Row();
    if (fila < grilla_.Rows() - 1) {
        grilla_.Row(fila + 1);
        return;
    }
    const int nueva = grilla_.Rows();
    grilla_.AddItem(nueva);
    grilla_.TextMatrix(nueva, 0, std::to_string(nueva));
    grilla_.Celda(nueva, columna::kCuenta);
}

void LogicaGrilla::MoverArriba() {
    if (grilla_.Row() > 1) grilla_.Row(grilla_.Row() - 1);
}

void LogicaGrilla::MoverEnter() {
    const int ultima = grilla_.Cols() - 1;
    int desde = grilla_.Col();
    if (desde >= ultima) {
        SiguienteFila();
        desde = 0;
    }
    int c = desde + 1;
    while (c < ultima && !Columnas[c].Habilitada) ++c;
    if (c <= ultima && Columnas[c].Habilitada) {
        grilla_.Col(c);
    } else {
        SiguienteFila();
        grilla_.Col(columna::kCuenta);
    }
}

std::string LogicaGrilla::TextoDeCelda(int col, const std::string& texto, bool vaciarCero) {
    if (col != columna::kDebe && col != columna::kHaber) return texto;
    if (EnBlanco(texto)) return {};
    const auto v = ImporteSeguro(texto);
    if (!v) return texto;
    if (v->EsCero() && vaciarCero) return {};
    return v->Formato(2);
}

void LogicaGrilla::EntrarCelda() {
    const int fila = grilla_.Row();
    if (fila != FilaActual) MostrarLinea(FilaActual);
    FilaActual = static_cast<int16_t>(fila);
    MostrarLinea(fila);
}

}  // namespace editor
