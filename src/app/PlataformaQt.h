#pragma once
// The desktop seam on Qt Widgets: real message boxes, input boxes, file chooser, processes.
#include "Plataforma.h"

namespace app {

class PlataformaQt final : public helperlib::Plataforma {
  public:
    int MsgBox(const std::string& texto, int estilo, const std::string& titulo) override;
    std::string InputBox(const std::string& mensaje, const std::string& titulo,
                         const std::string& defecto) override;
    void DoEvents() override;
    void RepintarPendientes() override;
    [[noreturn]] void Terminar(int codigo) override;
    std::optional<std::string> ElegirArchivo(const std::string& titulo,
                                             const std::string& filtro) override;
    bool AbrirDocumento(const std::string& ruta) override;
    long IniciarProceso(const std::string& programa,
                        const std::vector<std::string>& argumentos) override;
    std::string NombreMaquina() override;
    std::string UsuarioSistema() override;
    std::string RutaEjecutable() override;
    void IndicadorOcupado(bool encendido) override;
};

}  // namespace app
