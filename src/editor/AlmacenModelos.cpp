#include "AlmacenModelos.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>
#include <vector>

#include "AnclarEnMenu.h"
#include "DB_Dll.h"
#include "Lbc_Asiento.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "RegistroErrores.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;

namespace editor {

namespace {

/// Position of the column `nombre` (case ignored) among `nombres`; -1 when none.
int Posicion(const std::vector<ColumnaResultado>& columnas, std::string_view nombre) {
    for (size_t i = 0; i < columnas.size(); ++i)
        if (texto::IgualesSinCaso(columnas[i].Nombre, nombre)) return static_cast<int>(i);
    return -1;
}

constexpr long kSinRegistroActual = 3021;  // no current record
constexpr long kConversion = 3421;         // a value of the wrong type for a field
constexpr long kFueraDeRango = 9;

std::string Q(const std::string& s) { return texto::DuplicarApostrofes(s); }

/// The date-time of a save, as the database reads it.
std::string FechaHoraActual() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    localtime_r(&t, &tm);
    char b[32];
    std::strftime(b, sizeof b, "%Y-%m-%d %H:%M:%S", &tm);
    return b;
}

const char* NombreColumna(ColumnaLinea c) {
    switch (c) {
        case ColumnaLinea::Cuenta:
            return "Cuenta";
        case ColumnaLinea::Debe:
            return "Debe";
        case ColumnaLinea::Haber:
            return "Haber";
        case ColumnaLinea::AlicIVA:
            return "AlicIVA";
    }
    return "";
}

/// The box value of a flag column: unchecked for Null or blanks, else checked when true.
int16_t Casilla(const Campo& c) { return ValorBooleano(c.Value()) ? 1 : 0; }

}  // namespace

std::string MensajeErrorConversion(const std::string& campo) {
    return "Verifique las siguientes opciones: \r\n\r\n"
           "1) Ha ingresado letras donde debe ingresar numeros\r\n\r\n"
           "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
           "En el campo: " +
           campo;
}

AlmacenModelos::AlmacenModelos(DB_Dll& db, VistaAlmacen* vista) : db_(db), vista_(vista) {
    txtFields[0] = {"NOMBRE", "MA_MODELOS", ""};
    txtFields[1] = {"TC", "V_TA_CPTE", ""};
    txtFields[2] = {"idMotivo", "V_TA_MotivoCpra", ""};
}

int AlmacenModelos::IndiceDeCampo(std::string_view campo) const {
    for (size_t i = 0; i < txtFields.size(); ++i)
        if (texto::IgualesSinCaso(txtFields[i].CampoDatos, campo)) return static_cast<int>(i);
    return -1;
}

std::string& AlmacenModelos::TextoCampo(std::string_view campo) {
    const int i = IndiceDeCampo(campo);
    if (i < 0) throw ErrorEjecucion(kFueraDeRango, "El subíndice está fuera del intervalo");
    return txtFields[static_cast<size_t>(i)].Texto;
}

void AlmacenModelos::LimpiarEstado() {
    ModoBorrar = false;
    ModeloExistente = false;
    NombreCargado.clear();  // no template is on screen any more
    AdoptarHuella("", HuellaModelo{});
    for (auto& c : txtFields) c.Texto.clear();
    lblTC.clear();
    Casillas = CasillasModelo{};
    Lineas.Reiniciar(1);
}

void AlmacenModelos::Mostrar(int k) {
    if (vista_) vista_->MostrarLinea(k);
}

// ---- Opening and loading ----------------------------------------------------------------

void AlmacenModelos::Generar(const std::string& tabla) {
    EjecutarPasos({[&] {
                      std::string sql = "SELECT top 1 * FROM " + tabla;
                      db_.AbrirRecordset(sql, RegistroTrabajo, nullptr, cursor::kDinamico,
                                         bloqueo::kOptimista);
                  }},
                  ReporteroConOpciones("Generar"));
}

void AlmacenModelos::AsignarDatos() {
    const Reportero reportero = [](const ErrorEjecucion& e) {
        if (e.Numero() == kSinRegistroActual) return respuesta::kAbortar;  // silently
        return MostrarErrorConOpciones(e, "AsignarDatos");
    };
    auto& rs = RegistroTrabajo;
    auto casilla = [&rs](int16_t& destino, const char* columna) {
        return [&rs, &destino, columna] { destino = Casilla(rs.Fields(columna)); };
    };
    EjecutarPasos(
        {[&] { ModeloExistente = true; },
         [&] { NombreCargado = TextoDeValor(rs.Fields("Nombre")); },
         [&] { TextoCampo("tc") = TextoDeValor(rs.Fields("tcdefault")); },
         [&] {
             lblTC = db_.DatosTabla("V_TA_CPTE", TextoCampo("tc"), "DESCRIPCION", "CODIGO", 8)
                         .value_or("");
         },
         casilla(Casillas.chkCpte, "MODIFICATC"), casilla(Casillas.chkModCuentas, "MODIFICACTAS"),
         casilla(Casillas.chkAgrCuentas, "AGREGACTAS"), casilla(Casillas.chkAlMenu, "Anclarenmenu"),
         casilla(Casillas.chkLibroIva, "allibrodeiva"),
         casilla(Casillas.chkLiqTarjetas, "esliqtarjetas"),
         [&] { Cargar_Modelo(TextoDeValor(rs.Fields("Nombre"))); }},
        reportero);
}

void AlmacenModelos::CargarFila(const ColumnasLinea& columnas) {
    auto& rs = RegistroTrabajo;
    const std::string cuenta = TextoDeValor(rs.Fields(columnas.cuenta));
    if (EsTextoVacio(cuenta)) return;  // a row without account takes no grid row
    const std::string recortada = texto::Recortar(cuenta);
    const int k = Lineas.Superior();
    LineaModelo& l = Lineas[k];
    l.Cuenta = recortada;
    l.DV = std::to_string(Lbc_Asiento::CalculoDV(recortada));
    l.AlicIVA = TextoDeValor(rs.Fields(columnas.alicIva));
    // The detail text has no column in the editor, but a save rewrites the template whole:
    // it travels with its line so that saving again does not erase it.
    if (columnas.detalle >= 0) l.Detalle = TextoDeValor(rs.Fields(columnas.detalle));
    l.Descripcion =
        db_.DatosTabla("MA_CUENTAS", recortada, "DESCRIPCION", "CODIGO", 8).value_or("");
    const std::string lado = texto::Recortar(TextoDeValor(rs.Fields(columnas.lado)));
    const std::string importe = TextoDeValor(rs.Fields(columnas.importe));
    if (texto::IgualesSinCaso(lado, "D")) {
        l.Debe = FormatoImporte(importe);
        l.Haber.clear();
    } else if (texto::IgualesSinCaso(lado, "H")) {
        l.Haber = FormatoImporte(importe);
        l.Debe.clear();
    }
    Mostrar(k);
    Lineas.Agregar();
}

void AlmacenModelos::Cargar_Modelo(const std::string& nombre) {
    const Reportero reportero = ReporteroConOpciones("Cargar_Modelo");
    auto& rs = RegistroTrabajo;
    bool hayFilas = false;
    const Desenlace d = EjecutarPasos(
        {[&] {
             std::string sql = "SELECT * FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = '" +
                               Q(texto::Recortar(nombre)) + "' ORDER BY SECUENCIA";
             db_.AbrirRecordset(sql, rs, nullptr, cursor::kDinamico, bloqueo::kOptimista);
         },
         [&] { hayFilas = rs.State() == 1 && !rs.BOF(); },
         [&] {
             if (!hayFilas) return;
             rs.MoveFirst();
             for (auto& campo : txtFields)
                 for (const auto& c : rs.Columnas())
                     if (texto::IgualesSinCaso(c.Nombre, campo.CampoDatos))
                         campo.Texto = TextoDeValor(rs.Fields(c.Nombre));
         },
         [&] {
             if (hayFilas) Lineas.Reiniciar(2);
         },
         [&] {
             if (hayFilas) rs.MoveFirst();
         }},
        reportero);
    if (d == Desenlace::Abandonado) return;
    if (!hayFilas) return AdoptarHuella(texto::Recortar(nombre), HuellaModelo{});
    // The same columns for every row: looked up by name once. A missing one (other than the
    // optional DETALLE) fails at each row as a look-up by name would.
    const std::vector<ColumnaResultado>& nombres = rs.Columnas();
    ColumnasLinea columnas;
    columnas.cuenta = Posicion(nombres, "CUENTA");
    columnas.alicIva = Posicion(nombres, "AlicIVA");
    columnas.detalle = Posicion(nombres, "DETALLE");
    columnas.lado = Posicion(nombres, "Debe-Haber");
    columnas.importe = Posicion(nombres, "IMPORTE");
    while (!rs.EOF()) {
        if (!EjecutarPaso([&] { CargarFila(columnas); }, reportero)) return;
        if (!EjecutarPaso([&] { rs.MoveNext(); }, reportero)) return;
    }
    // What a save will compare with to tell whether someone else saved the template since.
    EjecutarPaso([&] { AdoptarHuella(texto::Recortar(nombre), editor::HuellaDeFilas(rs)); },
                 reportero);
}

// ---- Telling whether someone else saved the template ---------------------------------------

HuellaModelo HuellaDeFilas(Recordset& rs) {
    HuellaModelo h;
    if (rs.State() != 1 || (rs.BOF() && rs.EOF())) return h;
    constexpr uint64_t kInicio = 14695981039346656037ull;  // FNV-1a, 64 bits
    const auto mezclar = [](uint64_t d, unsigned char c) { return (d ^ c) * 1099511628211ull; };
    // Each row is digested on its own, straight from the rows the recordset holds; the row
    // digests are then taken in sorted order, so the same rows in another order give the same
    // digest.
    const FilasResultado& valores = rs.Filas();
    const size_t columnas = static_cast<size_t>(rs.FieldCount());
    std::vector<uint64_t> filas;
    filas.reserve(valores.Filas());
    for (size_t f = 0; f < valores.Filas(); ++f) {
        uint64_t d = kInicio;
        for (size_t c = 0; c < columnas; ++c) {
            // Separators no value holds keep "a","bc" apart from "ab","c" and Null from "".
            if (valores.EsNulo(f, c)) {
                d = mezclar(d, 0x1f);
                continue;
            }
            d = mezclar(d, 0x1e);
            for (const char ch : valores.Texto(f, c))
                d = mezclar(d, static_cast<unsigned char>(ch));
        }
        filas.push_back(d);
    }
    rs.MoveLast();  // left at its end, as a walk through its rows leaves it
    rs.MoveNext();
    std::sort(filas.begin(), filas.end());
    uint64_t d = kInicio;
    for (const uint64_t f : filas)
        for (int b = 0; b < 8; ++b) d = mezclar(d, static_cast<unsigned char>(f >> (8 * b)));
    h.filas = static_cast<long>(filas.size());
    h.digesto = d;
    return h;
}

HuellaModelo AlmacenModelos::LeerHuella(const std::string& nombre) {
    // Read on the connection directly: inside the transaction nothing may reconnect or yield
    // to the window. The hints keep other writers off the rows until the commit (SQL Server).
    Recordset rs;
    rs.Open("SELECT * FROM " + NombreTabla +
                " WITH (UPDLOCK, HOLDLOCK) WHERE LTRIM(RTRIM(NOMBRE)) = '" + Q(nombre) + "'",
            db_.gCnn);
    return editor::HuellaDeFilas(rs);
}

HuellaModelo AlmacenModelos::HuellaCargada(const std::string& nombre) const {
    if (!texto::IgualesSinCaso(nombreHuella_, nombre)) return {};
    return huellaCargada_;
}

void AlmacenModelos::AdoptarHuella(const std::string& nombre, const HuellaModelo& h) {
    nombreHuella_ = nombre;
    huellaCargada_ = h;
}

// ---- Saving and deleting ------------------------------------------------------------------

int AlmacenModelos::ReportarFallaGrabacion(const ErrorEjecucion& e) {
    IndicadorOcupado(false);
    if (e.Numero() == kConversion) {
        plataforma().MsgBox(MensajeErrorConversion("Linea " + std::to_string(lineaEnCurso_) + "/" +
                                                   NombreColumna(columnaEnCurso_)),
                            estilo::kCritico, "Error en conversion de datos");
        if (vista_) vista_->EnfocarCelda(lineaEnCurso_, columnaEnCurso_);
        return respuesta::kAbortar;
    }
    return MostrarErrorConOpciones(e, "ActualizarDatos");
}

int AlmacenModelos::Decidir(int r) {
    if (transaccionAbierta_ && !db_.gCnn.EnTransaccion()) {
        transaccionPerdida_ = true;
        r = respuesta::kAbortar;
    }
    if (r != respuesta::kReintentar) ErrorValidacion = true;
    return r;
}

int AlmacenModelos::AtenderFalla(const ErrorEjecucion& e, bool permiteIgnorar) {
    int r = ReportarFallaGrabacion(e);
    db_.RegistrarError(e, "ActualizarDatos", r);
    if (!permiteIgnorar && r == respuesta::kIgnorar) r = respuesta::kAbortar;
    return Decidir(r);
}

int AlmacenModelos::AtenderFallaMenu(const ErrorEjecucion& e) {
    IndicadorOcupado(false);
    const int r = plataforma().MsgBox(
        MensajeDeError(e.Numero(), e.Descripcion()) +
            "\r\n\r\nEl modelo y su entrada del menú se graban juntos: Reintentar repite el "
            "paso, Cancelar deja todo como estaba.",
        estilo::kReintentarCancelar | estilo::kCritico, kTituloPrograma);
    db_.RegistrarError(e, "AnclarEnMenu", r);
    return Decidir(r == respuesta::kReintentar ? respuesta::kReintentar : respuesta::kAbortar);
}

namespace {

/// The amount a line's text holds; a text that is not a number is a conversion error.
Moneda ImporteDeTexto(const std::string& t) {
    if (EsTextoVacio(t)) return Moneda();
    const auto v = Moneda::Leer(t);
    if (!v) throw ErrorEjecucion(kConversion, "El valor no es un número: " + t);
    return *v;
}

}  // namespace

void AlmacenModelos::GrabarLinea(int i, const std::string& ahora) {
    auto& rs = RegistroTrabajo;
    if (rs.State() == 1 && rs.EdicionPendiente()) rs.CancelUpdate();  // a retried line
    const LineaModelo& l = Lineas[i];
    if (EsTextoVacio(l.Cuenta.Texto())) return;
    if (i > 32767) throw ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento");
    lineaEnCurso_ = i;
    columnaEnCurso_ = ColumnaLinea::AlicIVA;
    const Moneda alicuota = ImporteDeTexto(l.AlicIVA);
    columnaEnCurso_ = ColumnaLinea::Debe;
    const Moneda d = ImporteDeTexto(l.Debe);
    columnaEnCurso_ = ColumnaLinea::Haber;
    const Moneda h = ImporteDeTexto(l.Haber);
    columnaEnCurso_ = ColumnaLinea::Cuenta;

    rs.AddNew();
    rs.Poner("NOMBRE", texto::Recortar(txtFields[0].Texto));
    rs.Poner("CUENTA", l.Cuenta.Recortado());
    rs.Poner("SECUENCIA", std::to_string(i));
    rs.Poner("AlicIVA", alicuota.Formato(4));
    const bool haber = EsTextoVacio(l.Debe) || (d.EsCero() && h > Moneda());
    rs.Poner("Debe-Haber", haber ? "H" : "D");
    rs.Poner("IMPORTE", (haber ? h : d).Formato(4));
    rs.Poner(ModeloExistente ? "fechahora_modificacion" : "fechahora_grabacion", ahora);
    rs.Poner("tipo_reg", "    ");
    rs.Poner("tcdefault", texto::Recortar(TextoCampo("tc")));
    rs.Poner("IdMotivo", texto::Recortar(TextoCampo("IdMotivo")));
    rs.Poner("MODIFICATC", std::to_string(Casillas.chkCpte));
    rs.Poner("MODIFICACTAS", std::to_string(Casillas.chkModCuentas));
    rs.Poner("AGREGACTAS", std::to_string(Casillas.chkAgrCuentas));
    rs.Poner("Anclarenmenu", std::to_string(Casillas.chkAlMenu));
    rs.Poner("allibrodeiva", std::to_string(Casillas.chkLibroIva));
    rs.Poner("esliqtarjetas", std::to_string(Casillas.chkLiqTarjetas));
    if (!l.Detalle.empty()) rs.Poner("DETALLE", l.Detalle);
    rs.Update();
}

void AlmacenModelos::Comenzar(std::optional<GuardaTransaccion>& guarda) {
    guarda.emplace(db_.gCnn);
    transaccionAbierta_ = true;
}

void AlmacenModelos::Deshacer(GuardaTransaccion& guarda) {
    transaccionAbierta_ = false;
    if (RegistroTrabajo.State() == 1 && RegistroTrabajo.EdicionPendiente())
        RegistroTrabajo.CancelUpdate();
    try {
        guarda.Revertir();
    } catch (const ErrorEjecucion& e) {
        const int r = MostrarErrorConOpciones(e, "ActualizarDatos");
        db_.RegistrarError(e, "ActualizarDatos", r);
    }
}

DatosAnclaje AlmacenModelos::DatosParaAnclar() {
    DatosAnclaje d;
    d.Nombre = TextoCampo("Nombre");
    d.AlMenu = Casillas.chkAlMenu == 1;
    d.LiqTarjetas = Casillas.chkLiqTarjetas == 1;
    d.Usuario = db_.UsuarioSesion();
    return d;
}

AlmacenModelos::Intento AlmacenModelos::IntentarGrabar(const std::string& nombre,
                                                       HuellaModelo& actual) {
    const Reportero linea = [this](const ErrorEjecucion& e) { return AtenderFalla(e, true); };
    // Beginning, reading, deleting, the menu and committing are all-or-nothing: going on past
    // one of them would mix old and new lines or store a template without its menu entry.
    const Reportero estricto = [this](const ErrorEjecucion& e) { return AtenderFalla(e, false); };
    const Reportero menu = [this](const ErrorEjecucion& e) { return AtenderFallaMenu(e); };
    const std::string ahora = FechaHoraActual();
    std::optional<GuardaTransaccion> guarda;
    if (!EjecutarPaso([&] { Comenzar(guarda); }, estricto)) return Intento::Fallido;
    bool ok = EjecutarPaso([&] { actual = LeerHuella(nombre); }, estricto);
    if (ok && !(actual == HuellaCargada(nombre))) {
        Deshacer(*guarda);  // nothing written yet; no lock is held while the user answers
        return Intento::CambiadoPorOtro;
    }
    if (ok && (ModeloExistente || actual.filas > 0))
        ok = EjecutarPaso(
            [&] {
                db_.EjecutaConsultaComprobada("DELETE " + NombreTabla +
                                              " WHERE LTRIM(RTRIM(NOMBRE)) = '" + Q(nombre) + "'");
            },
            estricto);
    for (int i = 0; ok && i <= Lineas.Superior(); ++i)
        ok = EjecutarPaso([&] { GrabarLinea(i, ahora); }, linea);
    ok = ok && AnclarEnMenu(db_, DatosParaAnclar(), menu);
    HuellaModelo propia;
    ok = ok && EjecutarPaso([&] { propia = LeerHuella(nombre); }, estricto);
    ok = ok && EjecutarPaso([&] { guarda->Confirmar(); }, estricto);
    if (!ok) {
        Deshacer(*guarda);
        return Intento::Fallido;
    }
    transaccionAbierta_ = false;
    AdoptarHuella(nombre, propia);  // a later save from this form replaces our own rows
    return Intento::Grabado;
}

void AlmacenModelos::Grabar() {
    transaccionPerdida_ = false;
    const std::string nombre = texto::Recortar(txtFields[0].Texto);
    for (;;) {
        HuellaModelo actual;
        const Intento r = IntentarGrabar(nombre, actual);
        if (r == Intento::Grabado) return;
        if (r == Intento::Fallido) {
            ErrorValidacion = true;
            if (transaccionPerdida_)
                plataforma().MsgBox(kMensajeNadaGrabado, estilo::kCritico, kTituloPrograma);
            return;
        }
        IndicadorOcupado(false);
        const int a = plataforma().MsgBox(
            kPreguntaReemplazo, estilo::kSiNo | estilo::kExclamacion | estilo::kBotonDefecto2,
            kTituloPrograma);
        if (a != respuesta::kSi) {
            ErrorValidacion = true;  // the form stays as it is
            return;
        }
        AdoptarHuella(nombre, actual);  // replace what is there now
    }
}

bool AlmacenModelos::ModeloEnPantallaGrabado() const {
    const std::string cargado = texto::Recortar(NombreCargado);
    return !cargado.empty() && texto::IgualesSinCaso(texto::Recortar(txtFields[0].Texto), cargado);
}

void AlmacenModelos::Borrar() {
    // Only the stored template whose name is on screen is deleted. A new name typed after
    // another template was loaded has no rows: nothing is deleted or taken off the menu.
    if (!ModeloEnPantallaGrabado()) {
        plataforma().MsgBox("El modelo " + texto::Recortar(txtFields[0].Texto) +
                                " no está grabado: no hay nada que eliminar",
                            estilo::kSoloOk + estilo::kInformacion, "Aviso al operador");
        LimpiarEstado();
        if (vista_) vista_->Limpiar();
        return;
    }
    const int r = plataforma().MsgBox("Realmente desea eliminar este MODELO",
                                      estilo::kSiNo + estilo::kCritico, "Aviso al operador");
    if (r == respuesta::kSi) {
        transaccionPerdida_ = false;
        const Reportero estricto = [this](const ErrorEjecucion& e) {
            return AtenderFalla(e, false);
        };
        const Reportero menu = [this](const ErrorEjecucion& e) { return AtenderFallaMenu(e); };
        // The rows and the menu entry go together or not at all.
        std::optional<GuardaTransaccion> guarda;
        bool ok = EjecutarPaso([&] { Comenzar(guarda); }, estricto);
        ok = ok && EjecutarPaso(
                       [&] {
                           db_.EjecutaConsultaComprobada("DELETE  " + NombreTabla +
                                                         " WHERE LTRIM(NOMBRE) = '" +
                                                         Q(texto::Recortar(NombreCargado)) + "'");
                       },
                       estricto);
        if (ok) Casillas.chkAlMenu = 0;
        ok = ok && AnclarEnMenu(db_, DatosParaAnclar(), menu);
        ok = ok && EjecutarPaso([&] { guarda->Confirmar(); }, estricto);
        transaccionAbierta_ = false;
        if (!ok && guarda) Deshacer(*guarda);
        if (!ok && transaccionPerdida_)
            plataforma().MsgBox(kMensajeNadaGrabado, estilo::kCritico, kTituloPrograma);
    }
    LimpiarEstado();
    if (vista_) vista_->Limpiar();
}

void AlmacenModelos::ActualizarDatos() {
    ErrorValidacion = false;
    if (ModoBorrar)
        Borrar();
    else
        Grabar();
}

}  // namespace editor
