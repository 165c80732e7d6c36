#include "LogicaEncabezado.h"

#include "AlmacenModelos.h"
#include "DB_Dll.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace editor {

LogicaEncabezado::LogicaEncabezado(AlmacenModelos& almacen, DB_Dll& db)
    : almacen_(almacen), db_(db) {}

bool LogicaEncabezado::ValidarNombre(const std::string& texto, std::string& mensaje) {
    if (texto.empty()) {
        mensaje = mensaje_encabezado::kSinNombre;
        return false;
    }
    const bool existe = db_.ExisteEnTabla(
        "MA_MODELOS", texto, "NOMBRE", &almacen_.RegistroTrabajo, tipodato::kTexto,
        " WHERE LTRIM(RTRIM(NOMBRE)) = '" + texto::DuplicarApostrofes(texto) + "'", false);
    if (!almacen_.Grabando) {
        if (LimpiarLineas) LimpiarLineas();
        almacen_.ModoBorrar = false;
        almacen_.ModeloExistente = existe;
        if (existe) almacen_.AsignarDatos();
    }
    CargaIniciada = true;
    return true;
}

bool LogicaEncabezado::ValidarCodigo(const std::string& tabla, const std::string& columna,
                                     const std::string& texto, std::string& descripcion,
                                     std::string& mensaje) {
    if (texto.empty()) {
        descripcion = mensaje_encabezado::kSinDescripcion;
        return true;
    }
    Recordset rs;
    if (!db_.ExisteEnTabla(tabla, texto, columna, &rs, tipodato::kTexto, "", true)) {
        descripcion = mensaje_encabezado::kSinDescripcion;
        mensaje = mensaje_encabezado::kCpteInexistente;
        return false;
    }
    descripcion = TextoDeValor(rs.Fields("Descripcion"));
    return true;
}

bool LogicaEncabezado::ValidarCampo(int indice, bool mostrar) {
    almacen_.ErrorValidacion = false;
    if (indice < 0 || indice >= static_cast<int>(almacen_.txtFields.size())) return true;
    const CampoEncabezado& campo = almacen_.txtFields[static_cast<size_t>(indice)];
    const std::string texto = texto::Recortar(campo.Texto);
    std::string mensaje;
    bool ok = true;
    if (texto::IgualesSinCaso(campo.CampoDatos, "NOMBRE")) {
        ok = ValidarNombre(texto, mensaje);
    } else if (texto::IgualesSinCaso(campo.CampoDatos, "TC")) {
        ok = ValidarCodigo("V_TA_CPTE", "CODIGO", texto, almacen_.lblTC, mensaje);
    } else if (texto::IgualesSinCaso(campo.CampoDatos, "IDMOTIVO")) {
        ok = ValidarCodigo("V_TA_MotivoCpra", "IdMotivoCpra", texto, LblDescMotivo, mensaje);
    }
    if (!ok) {
        almacen_.ErrorValidacion = true;
        if (mostrar && !mensaje.empty())
            plataforma().MsgBox(mensaje, estilo::kExclamacion, "Aviso al Operador");
    }
    return ok;
}

}  // namespace editor
