#pragma once
// The session: the values the start-up derives from the launch parameters and the INI file,
// the user profile loaded from the configuration table and the user table, and the values the
// lookup driver is primed with. The program's context owns the one set, the start-up fills it
// and everything else reads it through a reference.
#include <cstdint>
#include <string>

namespace startup {

/// What the lookup driver needs from the start-up: the connection string, whether to use the
/// saved-query file and where it lies. The lookup driver reads them through a reference to the
/// session's copy, so a later start-up is seen without being told.
struct PreparacionConsultas {
    std::string gConnString;
    bool gUsarMascarasConsultas = false;
    std::string gRutaMascaraConsultas;
};

struct ValoresSesion {
    // Launch and workstation values.
    std::string gSeccionIni;     // "MACHINE|USER", both upper-cased: the INI section
    bool gFlatToolbars = false;  // INI key "FlatToolbars" is not 0
    std::string gParametroAdicional;
    std::string gMenu;
    std::string gUsuarioLogeado;  // the suite user running the program
    std::string gCaja;
    std::string gCarpetaSesion;  // the program's folder, ending with "/"; "" before start-up

    // User profile.
    bool gEscribeSoloMayusculas = false;
    bool gBloqueoActivo = false;
    std::string gPeriodo;
    std::string gUNegocio;  // four characters once loaded
    bool gConfidencialidad = false;
    int32_t gColorFondo = 0;  // colour value 0x00BBGGRR
    int32_t gColorLetra = 0;
    std::string gIdControlAcceso;  // ID of this session's access-log row; "" when none written

    // Lookup driver priming.
    PreparacionConsultas consultas;
};

}  // namespace startup
