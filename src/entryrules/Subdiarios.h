#pragma once
// What the auxiliary subledger generation needs from its caller besides the class's data
// access object: the user whose rows it replaces and the progress notice it shows.
#include <chrono>
#include <string>

#include "Cartel.h"

namespace entryrules {

struct EntornoSubdiarios {
    /// The session's logged-in user: the work table's rows are tagged with it, and only its
    /// own rows are replaced.
    std::string usuario;
    /// The progress notice (the widget library's, or a test's).
    helperlib::Cartel& cartel;
    /// Least time between two updates of the notice. The notice is also where the cancel
    /// click is taken, so this bounds how late a cancel is seen; 0 updates it at every entry.
    std::chrono::milliseconds intervaloCartel{100};
};

/// Titles of the notice: the subledger journal, or the legal information file.
inline constexpr const char* kTituloSubdiarios = "Generando Reporte de Subdiarios";
inline constexpr const char* kTituloArchivoLegal = "Archivo Legal de Información";
inline constexpr const char* kPreguntaAbortar = "¿Realmente desea abortar el proceso?";

}  // namespace entryrules
