#include "ImporteExacto.h"

#include <string>

namespace data {

int CifrasSignificativas(const helperlib::Moneda& importe) {
    std::string digitos;
    for (char c : importe.TextoCorto())
        if (c >= '0' && c <= '9') digitos.push_back(c);
    const auto primera = digitos.find_first_not_of('0');
    if (primera == std::string::npos) return 0;
    const auto ultima = digitos.find_last_not_of('0');
    return static_cast<int>(ultima - primera + 1);
}

bool ImporteExactoEnMotor(const helperlib::Moneda& importe, Dialecto dialecto) {
    return dialecto != Dialecto::Sqlite || CifrasSignificativas(importe) <= kCifrasExactasSqlite;
}

}  // namespace data
