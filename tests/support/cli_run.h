// Runs the relivo command line as a user would: a program with its
// arguments (each quoted for the shell, so any bytes reach it as they are)
// and an optional standard input; returns what it printed and its exit
// status.
#pragma once

#include <string>
#include <vector>

namespace relivo::prueba {

struct SalidaCli {
    std::string salida;   // standard output
    std::string errores;  // standard error
    int estado = -1;      // exit status; -1 when it did not exit normally
};

// A text quoted for the shell: it reaches the command as it is, up to its
// first NUL byte.
std::string Citado(const std::string& texto);

// `carpeta`, when given, is the program's working folder.
SalidaCli CorrerCli(const std::vector<std::string>& argumentos, const std::string& entrada = "",
                    const std::string& carpeta = "");

}  // namespace relivo::prueba
