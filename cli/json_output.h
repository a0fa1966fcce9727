// Helpers shared by the subcommands for JSON and text output.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace relivo::cli {

// A double as JSON that reads back to the same value (integral values as
// integers, negative zero as 0).
nlohmann::ordered_json NumeroJson(double valor);

// Writes one JSON value on a line; invalid UTF-8 is replaced, never fatal.
std::string Volcar(const nlohmann::ordered_json& valor);

// Joins names with ", ".
std::string Unir(const nlohmann::ordered_json& nombres);

}  // namespace relivo::cli
