#pragma once
// The session start-up: the first thing the editor runs. It reads the workstation's settings
// and the launch parameters, opens the database connection with the suite's login convention,
// primes the lookup driver and loads the user profile and the access check.
#include <string>

#include "Pasos.h"

namespace data {
class DB_Dll;
}

namespace startup {

struct ValoresSesion;

/// What the start-up tells the user when the database connected can only be read.
std::string MensajeBaseSoloLectura(const std::string& base);

/// How the program ends when no connection could be opened.
inline constexpr int kFinSinConexion = 1;

/// The start-up's one error rule, as a step reporter: error 5 goes on (5); a launch value too
/// long to read (error 6 from LeerParametro) is shown to the user and goes on, the value not
/// taken; with errors in db's connection error collection it stops (3); error 3265 without
/// them goes on; anything else stops. Nothing else is shown.
helperlib::Reportero ReglaErroresInicio(data::DB_Dll& db);

/// Runs the start-up on `parametros` with `db`, filling the session values `s`, in this order: INI
/// section and the "FlatToolbars" setting; unless `db` is already open, the launch parameters into
/// the session values, the connection data into `db` (login and password = the database name; `db`
/// reads the session user from `s`, which must outlive it), the connection opened (client-side
/// cursors, administrator check, errors shown) and, when it stays closed, the end of the program
/// through plataforma().Terminar(kFinSinConexion); command time-out 360 s and the default database;
/// then a probe of the connection, a warning when the database is read-only
/// (MensajeBaseSoloLectura), the session folder, the lookup driver's values (s.consultas),
/// IniContable and ControlAcceso without refusal. Failures: error 5 (an entry without its closing
/// ";") goes on with the next step; any other error stops the start-up silently, except 3265 with
/// an empty error collection, which goes on.
void IniciarSesion(const std::string& parametros, data::DB_Dll& db, ValoresSesion& s);

}  // namespace startup
