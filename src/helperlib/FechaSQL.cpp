// The Jet date literal: dates typed or stored as "dd/mm/yyyy" (the suite's order) or
// "yyyy-mm-dd" (the embedded database's order) become "#mm/dd/yyyy#", the order Jet expects.
#include <cstdio>

#include "Fecha.h"
#include "Utilidades.h"

namespace helperlib {

std::string FechaSQL(std::string_view original) {
    const helperlib::Fecha f = helperlib::FechaDeTexto(original);
    char buf[40];
    if (f.Hora == 0 && f.Minuto == 0 && f.Segundo == 0)
        std::snprintf(buf, sizeof buf, "#%02d/%02d/%04d#", f.Mes, f.Dia, f.Anio);
    else
        std::snprintf(buf, sizeof buf, "#%02d/%02d/%04d %02d:%02d:%02d#", f.Mes, f.Dia, f.Anio,
                      f.Hora, f.Minuto, f.Segundo);
    return buf;
}

}  // namespace helperlib
