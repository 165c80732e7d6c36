#include "Motor.h"

#include "LexicoSql.h"

namespace data {

data::TablaResultado Motor::Leer(const std::string& sql) {
    ResultadoSql r = Ejecutar(sql);
    const size_t columnas = r.Columnas.size();
    data::TablaResultado t{nullptr, data::FilasResultado(columnas), r.Afectadas};
    PonerColumnas(t, std::move(r.Columnas));
    size_t bytes = 0;
    for (const auto& f : r.Filas)
        for (const auto& v : f) bytes += v ? v->size() : 0;
    t.Filas.Reservar(r.Filas.size(), bytes);
    for (const auto& f : r.Filas)
        for (size_t c = 0; c < columnas; ++c) t.Filas.Agregar(c < f.size() ? f[c] : std::nullopt);
    return t;
}

data::TablaResultado Motor::LeerForma(const FormaConsulta& forma,
                                      const std::vector<std::string>& valores) {
    std::string sql;
    CoserLiterales(forma.Partes, valores, sql);
    return Leer(sql);
}

}  // namespace data
