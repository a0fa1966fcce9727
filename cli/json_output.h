// Helpers shared by the subcommands for JSON and text output.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace relivo::cli {

// A double as JSON that reads back to the same value (integral values as
// integers, negative zero as 0).
nlohmann::ordered_json NumeroJson(double valor);

// Writes one JSON value on a line, or indented by `sangria` spaces a level;
// invalid UTF-8 is replaced, never fatal.
std::string Volcar(const nlohmann::ordered_json& valor, int sangria = -1);

// Answers JSON Lines on standard input, one result object a line; blank
// lines are skipped. Exit status 0 when no answer has a "numeroError".
int LoteJson(const std::function<nlohmann::ordered_json(const std::string& linea)>& responder);

// The "--separador C" / "--separador=C" option at args[i] (advancing i past
// its value): sets the decimal separator and returns true; false when args[i]
// is another argument. Throws std::invalid_argument for a value that is not
// one character.
bool OpcionSeparador(const Argumentos& args, size_t& i);

// Joins names with ", ".
std::string Unir(const std::vector<std::string>& nombres);
std::string Unir(const nlohmann::ordered_json& nombres);

}  // namespace relivo::cli
