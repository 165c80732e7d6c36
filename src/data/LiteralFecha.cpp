#include "LiteralFecha.h"

#include <cstdio>

using namespace helperlib;

namespace data {

std::string LiteralFecha(const helperlib::Fecha& f, Dialecto destino) {
    char buf[80];
    switch (destino) {
        case Dialecto::SqlServer:
            std::snprintf(buf, sizeof buf, "'%04d%02d%02d %02d:%02d:%02d'", f.Anio, f.Mes, f.Dia,
                          f.Hora, f.Minuto, f.Segundo);
            break;
        case Dialecto::Oracle:
            std::snprintf(buf, sizeof buf,
                          "TO_DATE('%04d-%02d-%02d %02d:%02d:%02d','YYYY-MM-DD HH24:MI:SS')",
                          f.Anio, f.Mes, f.Dia, f.Hora, f.Minuto, f.Segundo);
            break;
        case Dialecto::Sqlite:
        default:
            std::snprintf(buf, sizeof buf, "'%04d-%02d-%02d %02d:%02d:%02d'", f.Anio, f.Mes, f.Dia,
                          f.Hora, f.Minuto, f.Segundo);
            break;
    }
    return buf;
}

}  // namespace data
