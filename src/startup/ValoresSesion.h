#pragma once
// The session: the values the start-up derives from the launch parameters and the INI file,
// the user profile loaded from the configuration table and the user table, and the values the
// lookup driver is primed with. One set per process (sesion()), set during start-up and read
// everywhere afterwards; ReiniciarSesion() brings it back to its initial state (tests).
#include <cstdint>
#include <functional>
#include <string>

/// What the lookup driver needs from the start-up: the connection string, whether to use the
/// saved-query file and where it lies. The lookup library reads these (it depends on this
/// library, never the other way round) and registers GanchoConsultas() to be told when the
/// start-up sets them after the driver already exists.
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

/// The process's session values (created on first use).
ValoresSesion& sesion();
/// Every session value back to its initial state; the lookup hook is kept.
void ReiniciarSesion();

/// Called by the start-up each time it sets sesion().consultas; empty when no lookup driver
/// asked to be told.
std::function<void(const PreparacionConsultas&)>& GanchoConsultas();
