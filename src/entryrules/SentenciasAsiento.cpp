#include "SentenciasAsiento.h"

#include "Texto.h"

using namespace helperlib;

namespace entryrules::sentencias {

namespace {

std::string Literal(std::string_view valor) { return "'" + texto::DuplicarApostrofes(valor) + "'"; }

}  // namespace

std::string UltimoNumeroAsiento(int mes, int periodo, std::string_view tipoReg) {
    std::string sql =
        "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WHERE "
        "MES_OPERATIVO = " +
        std::to_string(mes) + " AND PERIODO = '" + std::to_string(periodo);
    if (!tipoReg.empty())
        return sql + "' AND TIPO_REG = '" + texto::DuplicarApostrofes(tipoReg) + "' ";
    return sql + "' AND (TIPO_REG = '" + kRegistroComun + "' OR TIPO_REG = '') ";
}

std::string Talonarios(std::string_view codigo, std::optional<std::string_view> unidad) {
    std::string sql = "SELECT * FROM V_TA_CPTE WHERE CODIGO = " + Literal(codigo);
    if (unidad) sql += " AND UNEGOCIO = " + Literal(*unidad);
    return sql + " ORDER BY TALONARIO ASC";
}

std::string TipoComprobante(std::string_view codigo) {
    return "SELECT * FROM TA_COMPROBANTES WHERE CODIGO = " + Literal(codigo);
}

std::string ComprobanteUsado(std::optional<std::string_view> tipoReg, std::string_view codigo,
                             std::string_view sucursal, std::string_view numero,
                             std::string_view letra, std::optional<std::string_view> fecha,
                             std::string_view cuenta) {
    std::string sql = "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE ";
    if (tipoReg) sql += "TIPO_REG = " + Literal(*tipoReg) + " AND  ";
    sql += "TC = " + Literal(codigo) + " AND SUCURSAL = " + Literal(sucursal) +
           " AND NUMERO = " + Literal(numero) + " AND LETRA = " + Literal(letra);
    if (fecha) sql += " and Fecha = " + std::string(*fecha);
    if (!texto::Recortar(cuenta).empty()) sql += " AND CUENTA = " + Literal(cuenta);
    return sql;
}

std::string Ejercicio(int periodo) {
    return "SELECT * FROM MV_EJERCICIOS WHERE PERIODO = " + std::to_string(periodo);
}

std::string EjerciciosAnteriores(int periodo) {
    return "SELECT * FROM MV_EJERCICIOS WHERE PERIODO < " + std::to_string(periodo) +
           " ORDER BY PERIODO";
}

std::string MovimientosFueraPeriodo(int periodo, std::string_view desde, std::string_view hasta) {
    return "SELECT * FROM MV_ASIENTOS WHERE PERIODO = " + std::to_string(periodo) +
           " AND (FECHA <= " + std::string(desde) + " OR FECHA >= " + std::string(hasta) + " )";
}

std::string UltimoAjuste(int periodo) {
    return "SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = " + std::to_string(periodo) +
           " AND EsAjuste = 1";
}

std::string ResumenesSubdiario(std::string_view subdiario, int periodo) {
    return "SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = " + Literal(subdiario) +
           " AND PERIODO = " + std::to_string(periodo);
}

std::string ComprobantesDeSubdiario(std::string_view subdiario) {
    return "SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE RTRIM(LTRIM(SUBDIARIO)) = " +
           Literal(subdiario);
}

std::string SubdiarioDeComprobante(std::string_view tc) {
    return "SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC=" + Literal(tc);
}

std::string BorrarAuxiliarDeUsuario(std::string_view usuario) {
    return "DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = " + Literal(usuario);
}

std::string AsientosDeSubdiario(std::string_view tipoReg, std::string_view desde,
                                std::string_view hasta) {
    return "SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE "
           "RTRIM(LTRIM(TIPO_REG)) = " +
           Literal(tipoReg) + " AND FECHA >= " + std::string(desde) +
           " AND FECHA <= " + std::string(hasta) + " ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]";
}

std::string LineasDeAsientos(std::string_view tipoReg) {
    return "SELECT PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], [DEBE-HABER], FECHA, TC, SUCURSAL, "
           "NUMERO, LETRA, CABIMPORTE, CUENTA, IMPORTE, DETALLE FROM MV_ASIENTOS WHERE "
           "RTRIM(LTRIM(TIPO_REG)) = " +
           Literal(tipoReg) +
           " AND MES_OPERATIVO = ? AND [NUMERO ASIENTO] >= ? AND [NUMERO ASIENTO] <= ? AND "
           "[DEBE-HABER] IN ('D', 'H') ORDER BY [NUMERO ASIENTO], PERIODO, [DEBE-HABER], CUENTA";
}

namespace {

/// "?, ?, ..., ?" with `n` marks.
std::string Marcas(size_t n) {
    std::string r;
    for (size_t i = 0; i < n; ++i) r += i ? ", ?" : "?";
    return r;
}

}  // namespace

std::string NombresDeCuentas(size_t cuentas) {
    return "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO IN (" + Marcas(cuentas) + ")";
}

std::string InsercionAuxiliar(size_t filas) {
    std::string sql =
        "INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Mes_Operativo, [numero asiento], fecha, "
        "TC, Sucursal, Numero, letra, Cabimporte, cuenta_D, descripcion_D, importe_D, Concepto, "
        "cuenta_H, descripcion_H, importe_H) VALUES ";
    const std::string fila = "(" + Marcas(kValoresFilaAuxiliar) + ")";
    for (size_t i = 0; i < filas; ++i) sql += (i ? ", " : "") + fila;
    return sql;
}

namespace {

std::string CondicionComprobante(std::string_view tc, std::string_view sucursal,
                                 std::string_view numero, std::string_view letra) {
    return "TC = " + Literal(texto::Recortar(tc)) + " AND SUCURSAL = " + Literal(sucursal) +
           " AND NUMERO = " + Literal(numero) + " AND LETRA = " + Literal(texto::Recortar(letra));
}

}  // namespace

std::string LineasDeComprobante(std::string_view tc, std::string_view sucursal,
                                std::string_view numero, std::string_view letra,
                                std::optional<std::string_view> proveedor) {
    const std::string condicion = CondicionComprobante(tc, sucursal, numero, letra);
    if (proveedor)
        return "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " + condicion +
               " AND CABCUENTA = " + Literal(*proveedor);
    return "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE " + condicion;
}

std::string LineasDeComprobanteEnAsiento(std::string_view tc, std::string_view sucursal,
                                         std::string_view numero, std::string_view letra,
                                         int32_t nroAsiento, int32_t mes, int32_t periodo,
                                         std::optional<std::string_view> proveedor) {
    const std::string condicion = CondicionComprobante(tc, sucursal, numero, letra) +
                                  " AND [NUMERO ASIENTO] = " + std::to_string(nroAsiento);
    if (proveedor)
        return "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " + condicion +
               " AND MES_OPERATIVO = " + std::to_string(mes) +
               " AND Periodo = " + std::to_string(periodo) +
               " AND CABCUENTA = " + Literal(*proveedor) + " AND (ESRESUMEN = 0)";
    return "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE " + condicion +
           "  AND MES_OPERATIVO = " + std::to_string(mes) + " AND (ESRESUMEN = 0)";
}

std::string ResumenDeSubdiario(std::string_view subdiario, int32_t id, int32_t mes, int periodo) {
    return "SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO=" + Literal(subdiario) +
           " AND ID=" + std::to_string(id) + " AND MONTH(FECHA_DESDE) = " + std::to_string(mes) +
           " AND PERIODO = " + std::to_string(periodo);
}

std::string DatosAdicionales(std::string_view codigo) {
    return "SELECT * FROM MA_CUENTASADIC WHERE Codigo = " + Literal(texto::Recortar(codigo));
}

std::string UltimaNovedadDeBien(int32_t codigo) {
    return "SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = " +
           std::to_string(codigo);
}

}  // namespace entryrules::sentencias
