#pragma once
// The one seam between the program's logic and the desktop: message boxes, input boxes,
// letting pending events run, ending the program, file choosers, documents and processes,
// machine and user names. The application installs the Qt implementation at start-up; tests
// install a scripted one. Logic code never includes Qt just to talk to the user.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace helperlib {

/// Message-box answer codes (the Windows convention the program's callers key on).
namespace respuesta {
inline constexpr int kOk = 1;
inline constexpr int kCancelar = 2;
inline constexpr int kAbortar = 3;
inline constexpr int kReintentar = 4;
inline constexpr int kIgnorar = 5;
inline constexpr int kSi = 6;
inline constexpr int kNo = 7;
}  // namespace respuesta

/// Message-box style numbers: button set (low nibble), icon (0x10..0x40), default button
/// (0x100, 0x200).
namespace estilo {
inline constexpr int kSoloOk = 0;
inline constexpr int kOkCancelar = 1;
inline constexpr int kAbortarReintentarIgnorar = 2;
inline constexpr int kSiNoCancelar = 3;
inline constexpr int kSiNo = 4;
inline constexpr int kReintentarCancelar = 5;
inline constexpr int kCritico = 16;
inline constexpr int kPregunta = 32;
inline constexpr int kExclamacion = 48;
inline constexpr int kInformacion = 64;
inline constexpr int kBotonDefecto2 = 256;
inline constexpr int kBotonDefecto3 = 512;
}  // namespace estilo

/// Thrown by implementations of Plataforma::Terminar that must not end the process (tests):
/// it unwinds everything up to the test, which sees the exit code.
struct ProgramaTerminado {
    int codigo;
};

class Plataforma {
  public:
    virtual ~Plataforma() = default;

    /// Shows a modal message box with the style number's buttons and icon; returns the answer
    /// code of the button pressed (see `respuesta`).
    virtual int MsgBox(const std::string& texto, int estilo, const std::string& titulo) = 0;
    /// Asks for one line of text; returns "" when cancelled (as the classic InputBox).
    virtual std::string InputBox(const std::string& mensaje, const std::string& titulo,
                                 const std::string& defecto) = 0;
    /// Lets pending user-interface events run once.
    virtual void DoEvents() = 0;
    /// Lets the windows repaint what is pending, and nothing else: no key, mouse or timer
    /// event runs, so it is safe in the middle of any work (a statement waiting for a lock).
    virtual void RepintarPendientes() = 0;
    /// Ends the program at once with `codigo`. Never returns (a test implementation throws
    /// ProgramaTerminado).
    [[noreturn]] virtual void Terminar(int codigo) = 0;
    /// Open-file chooser; nullopt when cancelled.
    virtual std::optional<std::string> ElegirArchivo(const std::string& titulo,
                                                     const std::string& filtro) = 0;
    /// Opens a document with the program associated to its type; false when nothing opened it.
    virtual bool AbrirDocumento(const std::string& ruta) = 0;
    /// Starts the program file `programa` with `argumentos`, each handed over as one argument
    /// as it is (no word splitting, no quoting), without waiting; returns the process id (0
    /// when it started without one). Throws ErrorEjecucion (53) when it cannot be started.
    virtual long IniciarProceso(const std::string& programa,
                                const std::vector<std::string>& argumentos) = 0;
    /// Computer name and operating-system user name.
    virtual std::string NombreMaquina() = 0;
    virtual std::string UsuarioSistema() = 0;
    /// Full path of the running executable ("" when unknown).
    virtual std::string RutaEjecutable() = 0;
    /// Busy indicator (wait cursor) on or off.
    virtual void IndicadorOcupado(bool encendido) = 0;
};

/// The installed implementation. When none has been installed, a console implementation is
/// used that writes every message to the standard error and answers with the default button.
Plataforma& plataforma();
/// Installs `p` for the rest of the process (or until replaced); returns the previous one.
std::unique_ptr<Plataforma> InstalarPlataforma(std::unique_ptr<Plataforma> p);

/// The answer a message box with this style gives when its default button is taken
/// (style bits 0x100 / 0x200 choose the second / third button).
int RespuestaPorDefecto(int estilo);

}  // namespace helperlib
