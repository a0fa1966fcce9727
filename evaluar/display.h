// The display text that the host reads back through Funcion [Get].
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "evaluar/variables.h"

namespace relivo {

// Display text of a canonical or simplified text: TextoVisible's spelling,
// written so that Canonizar reads it back with the same meaning. It departs
// from that literal text only by these forms, each where the literal text
// would read back otherwise:
// - a "-" that negates an operand raised to a power (at the start, or after
//   "(", "*", "/", "%" or "^") wraps the whole power chain: "-L1L^2" ->
//   "-(X^2)", since a typed "-X^2" is (-X)^2; not right after a "(" that
//   opens the text, where the reader keeps "-" as the minus of the term;
// - a "_" that is the sign of a power's base, right after "+" or "-", goes
//   inside parentheses with the base: "1-_L1L^2" -> "1-(-X)^2";
// - a function code followed by "_" writes the sign inside parentheses:
//   "n_L1L" -> "Arccos(-X)";
// - a function whose name would run together with the letters of its operand
//   into another spelling gets its operand in parentheses: "BcL1L" ->
//   "Sqr(TanX)", and "aL1L" with the variable "H" -> "Sin(H)";
// - a "_" with no operand after it is the negated empty operand: "-()".
// - a group that a term multiplies by and that reduces to "0" gets a sign
//   of its own, and the term's sign turns round to make up for it, when
//   something in the term can fail (a function, "/", "^" or "%"):
//   "-2*(L1L-L1L)*aL2L" -> "2*-(X-X)*SinY", "1-2*(L1L-L1L)*aL2L" ->
//   "1+2*-(X-X)*SinY", "(L1L-L1L)*aL2L" -> "-1*-(X-X)*SinY" (a "1" where
//   the sign would merge with the term's). The reducer keeps a negated
//   group as it stands, which is how the first pass left it unreduced;
//   read back without a sign it would reduce to "0" and end the product
//   before the failing factor is looked at. Inside a negated group or a
//   function's operand, which the reducer may also keep as they stand, the
//   text stays literal.
// An even run of signs before an operand is written as it stands ("__L1L"
// -> "--X"): the reader cancels it again. So "-(-...)" is left only where a
// leading "-" wraps a power whose base has a sign ("-_L1L^2" -> "-(-X^2)").
// Raises 9 for a variable index the table does not hold, 6 for a text longer
// than 32,767 characters and 28 for a text nested too deeply.
std::string TextoMostrado(std::string_view canonico, const TablaVariables& tabla);

// The forms above, each a departure from TextoVisible's literal text.
enum FormaMostrada : uint8_t {
    kPotenciaNegada = 1 << 0,     // "-(X^2)"
    kSignoDeLaBase = 1 << 1,      // "1-(-X)^2"
    kSignoDeLaFuncion = 1 << 2,   // "Arccos(-X)"
    kNombreAparte = 1 << 3,       // "Sqr(TanX)"
    kSignoSinOperando = 1 << 4,   // "-()"
    kSignoDelGrupoCero = 1 << 5,  // "2*-(Y-Y)*SgnX"
};

struct Mostrado {
    std::string texto;
    uint8_t formas;  // the FormaMostrada bits used
};

// TextoMostrado without the forms `omitidas`, reporting the forms it used.
// With every form left out it is TextoVisible's literal text.
Mostrado TextoMostradoCon(std::string_view canonico, const TablaVariables& tabla, uint8_t omitidas);

}  // namespace relivo
