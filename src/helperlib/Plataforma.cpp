#include "Plataforma.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace helperlib {

namespace {

int BotonesDe(int estilo, int indice) {
    static const int tabla[6][3] = {
        {respuesta::kOk, 0, 0},
        {respuesta::kOk, respuesta::kCancelar, 0},
        {respuesta::kAbortar, respuesta::kReintentar, respuesta::kIgnorar},
        {respuesta::kSi, respuesta::kNo, respuesta::kCancelar},
        {respuesta::kSi, respuesta::kNo, 0},
        {respuesta::kReintentar, respuesta::kCancelar, 0},
    };
    const int botones = estilo & 0x0F;
    if (botones > 5) return respuesta::kOk;
    const int r = tabla[botones][indice];
    return r != 0 ? r : tabla[botones][0];
}

// Console fallback: used only when nothing else was installed (command-line tools).
class PlataformaConsola final : public Plataforma {
  public:
    int MsgBox(const std::string& texto, int estilo, const std::string& titulo) override {
        std::cerr << titulo << ": " << texto << std::endl;
        return RespuestaPorDefecto(estilo);
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void DoEvents() override {}
    void RepintarPendientes() override {}
    [[noreturn]] void Terminar(int codigo) override { std::exit(codigo); }
    std::optional<std::string> ElegirArchivo(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool AbrirDocumento(const std::string&) override { return false; }
    long IniciarProceso(const std::string&, const std::vector<std::string>&) override { return 0; }
    std::string NombreMaquina() override {
        char buf[256] = {};
        return gethostname(buf, sizeof buf - 1) == 0 ? buf : "";
    }
    std::string UsuarioSistema() override {
        const char* u = std::getenv("USER");
        return u ? u : "";
    }
    std::string RutaEjecutable() override {
        std::error_code ec;
        auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::string() : p.string();
    }
    void IndicadorOcupado(bool) override {}
};

std::unique_ptr<Plataforma>& Instalada() {
    static std::unique_ptr<Plataforma> p = std::make_unique<PlataformaConsola>();
    return p;
}

}  // namespace

int RespuestaPorDefecto(int estilo) {
    const int indice = (estilo & 0x200) ? 2 : (estilo & 0x100) ? 1 : 0;
    return BotonesDe(estilo, indice);
}

Plataforma& plataforma() { return *Instalada(); }

std::unique_ptr<Plataforma> InstalarPlataforma(std::unique_ptr<Plataforma> p) {
    auto anterior = std::move(Instalada());
    Instalada() = p ? std::move(p) : std::make_unique<PlataformaConsola>();
    return anterior;
}

}  // namespace helperlib
