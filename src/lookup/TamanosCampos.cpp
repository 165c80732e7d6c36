#include "TamanosCampos.h"

#include "Conexion.h"
#include "LogicaLista.h"
#include "Recordset.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace lookup {

std::map<std::string, int> TamanosDefinidos(Conexion& cn, const std::string& fuente) {
    std::map<std::string, int> r;
    const std::string nombre = texto::DuplicarApostrofes(texto::Recortar(fuente));
    if (nombre.empty() || cn.State() != 1) return r;
    try {
        const bool sqlite = cn.DialectoSql() == Dialecto::Sqlite;
        const std::string sentencia =
            sqlite ? "SELECT name, type FROM pragma_table_info('" + nombre + "')"
                   : "SELECT COLUMN_NAME, CHARACTER_MAXIMUM_LENGTH FROM INFORMATION_SCHEMA.COLUMNS "
                     "WHERE TABLE_NAME = '" +
                         nombre + "'";
        Recordset rs = cn.Execute(sentencia);
        if (rs.State() != 1) return r;
        for (; !rs.EOF(); rs.MoveNext()) {
            const std::string campo = texto::Mayusculas(rs.Fields(0).Texto());
            const std::string tipo = rs.Fields(1).Texto();
            const int n = sqlite ? lista::TamanoDeclarado(tipo) : NumeroDeTexto(tipo);
            if (n > 0) r[campo] = n;
        }
    } catch (const std::exception&) {
        r.clear();
    }
    return r;
}

}  // namespace lookup
