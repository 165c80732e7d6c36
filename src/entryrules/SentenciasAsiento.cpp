#include "SentenciasAsiento.h"

#include "Texto.h"

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

}  // namespace entryrules::sentencias
