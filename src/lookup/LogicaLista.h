#pragma once
// The list window's rules that need no widget: the source name of a statement, the statement of
// a new database search (F5), the prefix search over a column, the stock level of an article
// row, the program that maintains a source, column widths in characters and quantity texts.
#include <string>
#include <utility>
#include <vector>

namespace lookup {

namespace lista {

/// The word after the first "from" (any case) of the statement, trimmed; "" when none.
std::string NombreFuente(const std::string& sentencia);

/// Head and tail of a statement for F5: the tail starts at the first "order by" or "group by"
/// (any case) and the head is what precedes it; without either the tail is "".
std::pair<std::string, std::string> PartirSentencia(const std::string& base);

/// The statement of a new database search on `campo` with the text typed in its box.
/// With `usaLike` the words are searched anywhere ("like '%w1%w2%' "); without it the text
/// (every "*" turned into "%", also written back into `textoCaja`) is searched at the start.
/// Apostrophes in the text are doubled, so a typed value never breaks the statement.
std::string SentenciaNuevaBusqueda(const std::string& base, const std::string& campo,
                                   std::string& textoCaja, bool usaLike);

/// 1-based index of the first of `valores` that starts with `buscado` (both trimmed, case
/// ignored); 0 when none.
int BuscarPrefijo(const std::vector<std::string>& valores, const std::string& buscado);

/// Stock level 1..4 of an article row from its reorder point and stock (as texts).
int NivelStock(const std::string& puntoPedido, const std::string& stock);

/// Menu command and parameter text of the maintenance program of a source ("Nuevo").
std::pair<std::string, std::string> ProgramaNuevo(const std::string& fuente);

/// Width of a column in characters: the defined size (currency and decimal types 6 and 131
/// count 12) capped at 60, plus 10 when `valoresDefault` is "@10" on a list that is not of
/// articles.
int AnchoEnCaracteres(int tipoAdo, int tamanoDefinido, bool listaArticulos,
                      const std::string& valoresDefault);

/// ADO's defined size for a type whose declaration carries no length (integers, dates...).
int TamanoPorTipo(int tipoAdo);
/// The length in a declared type such as "VARCHAR(200)"; 0 when it carries none.
int TamanoDeclarado(const std::string& tipoDeclarado);

/// Quantity texts of the quantity keys: the typed amount ("########0.00"), one more or one
/// less ("########0.0"); `restar` gives "0.00" when the result is not above 0.
std::string CantidadIngresada(const std::string& respuesta);
std::string CantidadSumada(const std::string& actual, int delta);

/// The header of the quantity column.
inline constexpr const char* kColumnaCantidad = "**Cantidad**";

/// Statement of a stock shortage for the article `id` (brought to 25 characters).
std::string SentenciaFaltante(const std::string& fechaHora, const std::string& id,
                              const std::string& descripcion, const std::string& usuario);

}  // namespace lista

}  // namespace lookup
