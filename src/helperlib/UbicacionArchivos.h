#pragma once
// Where the files that belong in the program's folder (the connection list, the list widths,
// the error log, ...) are read and written. A program that runs from a folder it may write
// keeps them there, as the suite always did. An installed program never writes beside itself:
// its folder belongs to the system (under /usr or /opt, even for root) or cannot be written;
// then they are written to the user's data folder, and read from there once the user has a
// copy, else from the program's folder (what the installation ships).
#include <string>
#include <string_view>

namespace helperlib {

/// The user's data folder for the program, ending with "/": $XDG_DATA_HOME/asientos-modelo/
/// (when that variable holds an absolute path) or $HOME/.local/share/asientos-modelo/; "" when
/// neither is known. Not created here.
std::string CarpetaDatosUsuario();

/// True when the program may write files into `carpeta`: it is an existing folder this process
/// can write to and it is not part of a system installation (a folder under /usr or /opt).
bool SePuedeEscribirEnCarpeta(std::string_view carpeta);

class UbicacionArchivos {
  public:
    /// Folders end with "/" or are made to. `escribeEnPrograma`: files are written into the
    /// program's folder; otherwise into the user's folder.
    UbicacionArchivos(std::string carpetaPrograma, std::string carpetaUsuario,
                      bool escribeEnPrograma);
    /// For the program whose folder is `carpetaPrograma`: written there when
    /// SePuedeEscribirEnCarpeta, else into CarpetaDatosUsuario().
    static UbicacionArchivos Para(const std::string& carpetaPrograma);

    const std::string& CarpetaPrograma() const { return programa_; }
    const std::string& CarpetaUsuario() const { return usuario_; }
    bool EscribeEnPrograma() const { return enPrograma_; }
    /// The folder files are written to.
    const std::string& CarpetaEscritura() const { return enPrograma_ ? programa_ : usuario_; }

    /// Full path to read `nombre` from: the copy in the folder written to when it exists,
    /// else the one in the other folder when that exists, else the path in the folder written
    /// to (a missing file, as the caller would find it).
    std::string ParaLeer(std::string_view nombre) const;
    /// Full path to write `nombre` to, in the folder written to (created when missing). When
    /// that folder has no copy yet but the other folder has one, it is copied first, so
    /// appending to or rewriting the file keeps what was read. Throws ErrorEjecucion (76, path
    /// not found) when there is no folder to write to or it cannot be created, (70) when the
    /// copy fails.
    std::string ParaEscribir(std::string_view nombre) const;

  private:
    std::string programa_, usuario_;
    bool enPrograma_;
};

}  // namespace helperlib
