#include "AlmacenModelos.h"

#include <chrono>
#include <ctime>
#include <optional>

#include "AnclarEnMenu.h"
#include "DB_Dll.h"
#include "Lbc_Asiento.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;

namespace editor {

namespace {

bool TieneCampo(const Recordset& rs, const std::string& nombre) {
    for (const auto& n : rs.NombresCampos())
        if (texto::IgualesSinCaso(n, nombre)) return true;
    return false;
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

/// A reporter that never lets the procedure go on past the failed step: "ignore" leaves too.
Reportero SinIgnorar(Reportero r) {
    return [r = std::move(r)](const ErrorEjecucion& e) {
        const int a = r(e);
        return a == respuesta::kIgnorar ? respuesta::kAbortar : a;
    };
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

void AlmacenModelos::CargarFila() {
    auto& rs = RegistroTrabajo;
    const std::string cuenta = TextoDeValor(rs.Fields("CUENTA"));
    if (EsTextoVacio(cuenta)) return;  // a row without account takes no grid row
    const std::string recortada = texto::Recortar(cuenta);
    const int k = Lineas.Superior();
    LineaModelo& l = Lineas[k];
    l.Cuenta = recortada;
    l.DV = std::to_string(Lbc_Asiento::CalculoDV(recortada));
    l.AlicIVA = TextoDeValor(rs.Fields("AlicIVA"));
    // The detail text has no column in the editor, but a save rewrites the template whole:
    // it travels with its line so that saving again does not erase it.
    if (TieneCampo(rs, "DETALLE")) l.Detalle = TextoDeValor(rs.Fields("DETALLE"));
    l.Descripcion =
        db_.DatosTabla("MA_CUENTAS", recortada, "DESCRIPCION", "CODIGO", 8).value_or("");
    const std::string lado = texto::Recortar(TextoDeValor(rs.Fields("Debe-Haber")));
    const std::string importe = TextoDeValor(rs.Fields("IMPORTE"));
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
             const auto columnas = rs.NombresCampos();
             for (auto& campo : txtFields)
                 for (const auto& c : columnas)
                     if (texto::IgualesSinCaso(c, campo.CampoDatos))
                         campo.Texto = TextoDeValor(rs.Fields(c));
         },
         [&] {
             if (hayFilas) Lineas.Reiniciar(2);
         },
         [&] {
             if (hayFilas) rs.MoveFirst();
         }},
        reportero);
    if (d == Desenlace::Abandonado || !hayFilas) return;
    while (!rs.EOF()) {
        if (!EjecutarPaso([&] { CargarFila(); }, reportero)) return;
        if (!EjecutarPaso([&] { rs.MoveNext(); }, reportero)) return;
    }
}

// ---- Saving and deleting ------------------------------------------------------------------

int AlmacenModelos::ReportarFallaGrabacion(const ErrorEjecucion& e) {
    ErrorValidacion = true;
    IndicadorOcupado(false);
    ErrorValidacion = true;
    if (e.Numero() == kConversion) {
        plataforma().MsgBox(MensajeErrorConversion("Linea " + std::to_string(lineaEnCurso_) + "/" +
                                                   NombreColumna(columnaEnCurso_)),
                            estilo::kCritico, "Error en conversion de datos");
        if (vista_) vista_->EnfocarCelda(lineaEnCurso_, columnaEnCurso_);
        return respuesta::kAbortar;
    }
    return MostrarErrorConOpciones(e, "ActualizarDatos");
}

void AlmacenModelos::EjecutarComprobado(std::string sql) {
    db_.gCnn.Errors().Clear();
    long afectadas = 0;
    const bool ok = db_.EjecutaConsultaSQL(sql, afectadas);
    if (db_.gCnn.Errors().Count() > 0) {
        const ErrorAdo& e = db_.gCnn.Errors().Item(0);
        throw ErrorEjecucion(e.Numero, e.Descripcion, e.Origen);
    }
    if (!ok) throw ErrorEjecucion(errnum::kEFail, "No se pudo ejecutar la sentencia: " + sql);
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

void AlmacenModelos::Revertir(GuardaTransaccion* transaccion) {
    if (RegistroTrabajo.State() == 1 && RegistroTrabajo.EdicionPendiente())
        RegistroTrabajo.CancelUpdate();
    if (!transaccion) return;
    try {
        transaccion->Revertir();
    } catch (const ErrorEjecucion& e) {
        MostrarErrorConOpciones(e, "ActualizarDatos");
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

void AlmacenModelos::Grabar() {
    const Reportero reportero = [this](const ErrorEjecucion& e) {
        return ReportarFallaGrabacion(e);
    };
    // Beginning, deleting and committing are all-or-nothing: going on past one of them would
    // write the new lines beside the old ones or outside the transaction.
    const Reportero estricto = SinIgnorar(reportero);
    const std::string ahora = FechaHoraActual();
    // The guard rolls back whatever leaves this function before the commit, an unexpected
    // exception included; the early returns roll back themselves to show a failed roll-back.
    std::optional<GuardaTransaccion> transaccion;
    if (!EjecutarPaso([&] { transaccion.emplace(db_.gCnn); }, estricto)) return Revertir(nullptr);
    if (ModeloExistente && !EjecutarPaso(
                               [&] {
                                   EjecutarComprobado("DELETE " + NombreTabla +
                                                      " WHERE LTRIM(RTRIM(NOMBRE)) = '" +
                                                      Q(texto::Recortar(txtFields[0].Texto)) + "'");
                               },
                               estricto))
        return Revertir(&*transaccion);
    for (int i = 0; i <= Lineas.Superior(); ++i)
        if (!EjecutarPaso([&] { GrabarLinea(i, ahora); }, reportero))
            return Revertir(&*transaccion);
    if (!EjecutarPaso([&] { transaccion->Confirmar(); }, estricto)) return Revertir(&*transaccion);
    AnclarEnMenu(db_, DatosParaAnclar());
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
        const Reportero reportero = [this](const ErrorEjecucion& e) {
            return ReportarFallaGrabacion(e);
        };
        EjecutarPasos(
            {[&] {
                 EjecutarComprobado("DELETE  " + NombreTabla + " WHERE LTRIM(NOMBRE) = '" +
                                    Q(texto::Recortar(NombreCargado)) + "'");
             },
             [&] { Casillas.chkAlMenu = 0; }, [&] { AnclarEnMenu(db_, DatosParaAnclar()); }},
            reportero);
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
