#pragma once
// The user profile loaded at start-up and the process access check that logs every start of
// the program in Control_Acceso.
#include <string>
#include <string_view>

namespace data {
class DB_Dll;
}

namespace startup {

struct ValoresSesion;

/// How the program ends when the access check refuses the user.
inline constexpr int kFinSinAcceso = 2;

/// Loads the session profile into `s`: the capitals-only, lock and confidentiality flags
/// (the latter also into db.gConfidencialidad, which the name translation reads),
/// the period, the user's business unit from ta_usuarios (default "   1") and the background
/// and text colours (background default 0xFFFF00). A failing step is shown in the helper
/// library's error dialog ("IniContable"): retry repeats it, ignore goes on, any other answer
/// stops and leaves the later values as they were.
void IniContable(data::DB_Dll& db, ValoresSesion& s);

/// The access statement for `usuario` running `ejecutable` (both with apostrophes doubled).
std::string SentenciaControlAcceso(std::string_view usuario, std::string_view ejecutable);

/// Checks that the session user (s.gUsuarioLogeado, or the login name when empty, which
/// is then kept as the session user) holds a menu right whose process mentions this program,
/// and writes the access-log row, storing its ID in s.gIdControlAcceso. Every step that
/// fails is skipped silently. With `rechazar` and no right (and a program other than
/// "LD000PR") the operator is told and the program ends through plataforma().Terminar
/// (kFinSinAcceso) before anything is logged.
void ControlAcceso(data::DB_Dll& db, ValoresSesion& s, bool rechazar = false);

}  // namespace startup
