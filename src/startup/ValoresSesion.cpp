#include "ValoresSesion.h"

ValoresSesion& sesion() {
    static ValoresSesion valores;
    return valores;
}

void ReiniciarSesion() { sesion() = ValoresSesion{}; }

std::function<void(const PreparacionConsultas&)>& GanchoConsultas() {
    static std::function<void(const PreparacionConsultas&)> gancho;
    return gancho;
}
