#include "Utilidades.h"

#include <limits>

#include "Plataforma.h"
#include "RegistroErrores.h"
#include "Texto.h"

namespace helperlib {

namespace {

[[noreturn]] void Desborde() { throw ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento"); }

}  // namespace

std::string LargoFijo(std::string_view texto, int largo) {
    if (largo <= 0) return {};
    const int n = texto::Largo(texto);
    if (n >= largo) return texto::Izquierda(texto, largo);
    std::string r;  // the text and its padding in one allocation
    r.reserve(texto.size() + static_cast<size_t>(largo - n));
    r.append(texto).append(static_cast<size_t>(largo - n), ' ');
    return r;
}

Moneda ValorNumerico(std::string_view texto) {
    // Leer already trims, takes the sign and either separator; it throws on overflow.
    return Moneda::Leer(texto).value_or(Moneda());
}

int32_t NumeroDeTexto(std::string_view texto) {
    const int64_t crudo = ValorNumerico(texto).Crudo();
    int64_t unidades = crudo / Moneda::kEscala;
    const int64_t resto = crudo % Moneda::kEscala;
    if (resto * 2 >= Moneda::kEscala)
        ++unidades;
    else if (resto * 2 <= -Moneda::kEscala)
        --unidades;
    if (unidades > std::numeric_limits<int32_t>::max() ||
        unidades < std::numeric_limits<int32_t>::min())
        Desborde();
    return static_cast<int32_t>(unidades);
}

bool EsTextoVacio(std::string_view texto) {
    for (char c : texto)
        if (!texto::EsEspacio(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string TextoDeValor(const std::optional<std::string>& valor) { return valor.value_or(""); }
std::string TextoDeValor(std::string_view valor) { return std::string(valor); }
std::string TextoDeValor(const char* valor) { return valor ? std::string(valor) : std::string(); }
std::string TextoDeValor(const std::string& valor) { return valor; }
std::string TextoDeValor(Moneda valor) { return valor.TextoCorto(); }

int ContarPalabras(std::string_view texto) {
    int palabras = 0;
    bool dentro = false;
    for (char c : texto) {
        const bool blanco = texto::EsEspacio(static_cast<unsigned char>(c));
        if (!blanco && !dentro) ++palabras;
        dentro = !blanco;
    }
    return palabras;
}

std::string QuitarCaracter(std::string_view texto, std::string_view c1, std::string_view c2,
                           std::string_view c3) {
    const std::u32string quitar =
        texto::AUtf32(std::string(c1) + std::string(c2) + std::string(c3));
    std::u32string resto;
    for (char32_t c : texto::AUtf32(texto))
        if (quitar.find(c) == std::u32string::npos) resto.push_back(c);
    return texto::AUtf8(resto);
}

std::string ReemplazarCaracter(std::string_view texto, std::string_view de, std::string_view por) {
    return texto::Reemplazar(texto, de, por);
}

std::string ReemplazarTexto(std::string_view texto, std::string_view de, std::string_view por) {
    return texto::ReemplazarSinCaso(texto, de, por);
}

std::string AjustarAncho(std::string_view texto, std::optional<int> ancho) {
    // Codes brought to a width are compared by the suite's server, which ignores trailing
    // blanks, so padding on the right never changes what a comparison finds.
    if (!ancho || *ancho < 0) return std::string(texto);
    return LargoFijo(texto, *ancho);
}

std::string NormalizarCarpeta(std::string_view carpeta) {
    std::string c = texto::Reemplazar(carpeta, "\\", "/");
    if (!c.empty() && c.back() != '/') c.push_back('/');
    return c;
}

int MostrarErrorConOpciones(const ErrorEjecucion& error, std::string_view rutina) {
    const std::string titulo = rutina.empty() ? "Error" : "Error en " + std::string(rutina);
    const int r = plataforma().MsgBox(MensajeDeError(error.Numero(), error.Descripcion()),
                                      estilo::kAbortarReintentarIgnorar | estilo::kCritico, titulo);
    if (r == respuesta::kReintentar || r == respuesta::kIgnorar) return r;
    return respuesta::kAbortar;
}

Reportero ReporteroConOpciones(std::string rutina) {
    return [rutina = std::move(rutina)](const ErrorEjecucion& e) {
        return MostrarErrorConOpciones(e, rutina);
    };
}

void IndicadorOcupado(bool encendido) { plataforma().IndicadorOcupado(encendido); }

Ocupado::~Ocupado() noexcept {
    try {
        IndicadorOcupado(false);
    } catch (...) {
        // A destructor must not throw; a cursor left busy is the only consequence.
    }
}

}  // namespace helperlib
