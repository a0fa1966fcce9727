#include "tests/support/cli_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "tests/support/recording.h"

namespace relivo::prueba {

std::string Citado(const std::string& texto) {
    std::string r = "'";
    // Up to the first NUL byte, where an argument of any program ends.
    for (const char c : std::string_view(texto.c_str()))
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

SalidaCli CorrerCli(const std::vector<std::string>& argumentos, const std::string& entrada,
                    const std::string& carpeta) {
    // RELIVO_CLI in the environment runs another build of the program (for
    // example an older one, to record outputs before a change).
    const char* otro = std::getenv("RELIVO_CLI");
    std::string orden = "exec " + Citado(otro != nullptr ? otro : RELIVO_CLI);
    for (const std::string& a : argumentos) orden += " " + Citado(a);
    // Standard input and both outputs are files of the test's own.
    static int llamadas = 0;
    const std::string base =
        (fs::temp_directory_path() /
         ("relivo-cli-" + std::to_string(getpid()) + "-" + std::to_string(++llamadas)))
            .string();
    std::ofstream(base + ".in", std::ios::binary) << entrada;
    orden +=
        " <" + Citado(base + ".in") + " >" + Citado(base + ".out") + " 2>" + Citado(base + ".err");
    if (!carpeta.empty()) orden = "cd " + Citado(carpeta) + " && " + orden;
    const int st = std::system(orden.c_str());
    SalidaCli s{Leer(base + ".out"), Leer(base + ".err"), WIFEXITED(st) ? WEXITSTATUS(st) : -1};
    for (const char* ext : {".in", ".out", ".err"}) std::remove((base + ext).c_str());
    return s;
}

}  // namespace relivo::prueba
