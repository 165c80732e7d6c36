#pragma once
// Starting another program of the suite with the session's connection data, and opening a
// document or web address with the desktop's handler.
#include <string>
#include <string_view>

namespace data {
class DB_Dll;
}

namespace startup {

/// The launch line's parameter text for another program of the suite, built from the data
/// access object's server, database, user and password:
/// " ; @server=S; @dbname=D; @usuario=U; @Password=P; @ParametroAdicional=A; omni@ ;".
/// The password travels in the clear, as the suite's launch format requires.
std::string ParametrosParaPrograma(const data::DB_Dll& db, std::string_view parametroAdicional);

/// Starts the program named by `lineaMenu` from its seventh character on ("SHELL:V_TA_TABLAS"
/// starts "V_TA_TABLAS") from this program's own folder, followed directly by
/// ParametrosParaPrograma() as one argument. `idProceso` receives the started process's id;
/// when the start gives none (0) the operator is told "Opcion no Implementada!". A program
/// that cannot be started raises ErrorEjecucion to the caller (idProceso is then 0).
void EjecutarPrograma(data::DB_Dll& db, std::string_view lineaMenu,
                      std::string_view parametroAdicional, long& idProceso);

/// Opens a document or web address with the desktop's handler. The text is passed on whole,
/// blanks included (no quoting is needed to keep it in one piece). `mostrar` chooses the
/// display value passed on (6 when true, 0 otherwise).
void AbrirDocumento(std::string_view ruta, bool mostrar);

}  // namespace startup
