// Amounts typed or read as text: any text is a number or not, never a crash; an amount read
// formats back to itself, and the field helpers agree with the reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Comun.h"
#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Utilidades.h"

using namespace helperlib;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string texto(reinterpret_cast<const char*>(datos), largo);
    try {
        const auto m = Moneda::Leer(texto);
        if (m) {
            fuzz::Exigir(Moneda::Leer(m->Formato(4)) == m, "Formato(4) no se lee igual");
            fuzz::Exigir(Moneda::Leer(m->TextoCorto()) == m, "TextoCorto no se lee igual");
            fuzz::Exigir(ValorNumerico(texto) == *m, "ValorNumerico distinto de Leer");
            (void)m->Formato(2);
            (void)m->Redondeada(2);
        } else {
            fuzz::Exigir(ValorNumerico(texto).EsCero(), "un texto que no es numero vale algo");
        }
    } catch (const ErrorEjecucion& e) {
        fuzz::Exigir(e.Numero() == errnum::kDesbordamiento, "un error que no es desbordamiento");
    }
    try {
        (void)NumeroDeTexto(texto);
    } catch (const ErrorEjecucion& e) {
        fuzz::Exigir(e.Numero() == errnum::kDesbordamiento, "un error que no es desbordamiento");
    }
    return 0;
}
