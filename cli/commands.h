// Subcommands of the relivo command-line program. Each takes the arguments
// that follow its name and returns the exit status (0 ok, 1 failure, 2 usage).
#pragma once

#include <string>
#include <vector>

namespace relivo::cli {

using Argumentos = std::vector<std::string>;

int ComandoEvaluar(const Argumentos& args);
int ComandoCanonizar(const Argumentos& args);
int ComandoReducir(const Argumentos& args);
int ComandoGraficar(const Argumentos& args);

}  // namespace relivo::cli
