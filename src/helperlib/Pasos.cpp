#include "Pasos.h"

#include <exception>

#include "Plataforma.h"

namespace helperlib {

bool EjecutarPaso(PasoRef paso, const Reportero& reportero) {
    for (;;) {
        int r;
        try {
            paso();
            return true;
        } catch (const ErrorEjecucion& e) {
            r = reportero(e);
        } catch (const ProgramaTerminado&) {
            throw;
        } catch (const std::exception& e) {
            r = reportero(ErrorEjecucion(errnum::kArgumentoInvalido, e.what()));
        }
        if (r == respuesta::kReintentar) continue;
        return r == respuesta::kIgnorar;
    }
}

Desenlace EjecutarPasos(const std::vector<std::function<void()>>& pasos,
                        const Reportero& reportero) {
    for (const auto& paso : pasos)
        if (!EjecutarPaso(paso, reportero)) return Desenlace::Abandonado;
    return Desenlace::Completo;
}

Desenlace EjecutarPasos(std::initializer_list<PasoRef> pasos, const Reportero& reportero) {
    // The steps are run where they stand, through references: no step's closure is copied.
    for (const auto& paso : pasos)
        if (!EjecutarPaso(paso, reportero)) return Desenlace::Abandonado;
    return Desenlace::Completo;
}

int IgnorarSiempre(const ErrorEjecucion&) { return respuesta::kIgnorar; }
int AbandonarSiempre(const ErrorEjecucion&) { return respuesta::kAbortar; }

}  // namespace helperlib
