// The relivo command line run as a program, from the table tests/data/cli.jsonl:
// one invocation a line with its arguments, its standard input, and the exact
// standard output and standard error (when given), the exit status it must
// give, and the files it must leave ("crea") in its working folder, a fresh
// folder of the test's own. "{datos}" in an argument stands for the folder
// tests/data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/recording.h"

namespace {

// One line of the table: its number and the invocation.
using Invocacion = std::pair<int, nlohmann::json>;

std::vector<Invocacion> LeerInvocaciones() {
    std::vector<Invocacion> casos;
    const auto lineas =
        relivo::prueba::Lineas(relivo::prueba::Leer(std::string(RELIVO_TEST_DATA) + "/cli.jsonl"));
    for (size_t i = 0; i < lineas.size(); ++i)
        casos.emplace_back(i + 1, nlohmann::json::parse(lineas[i]));
    return casos;
}

class CliTabla : public ::testing::TestWithParam<Invocacion> {};

TEST_P(CliTabla, DaSuSalidaYSuEstado) {
    const nlohmann::json& c = GetParam().second;
    std::vector<std::string> argumentos = c["argumentos"];
    for (std::string& a : argumentos) {
        if (a.rfind("{datos}", 0) == 0) a.replace(0, 7, RELIVO_TEST_DATA);
    }
    const std::filesystem::path carpeta =
        std::filesystem::path(::testing::TempDir()) / ("relivo_cli_" + std::to_string(getpid()));
    std::filesystem::remove_all(carpeta);
    std::filesystem::create_directories(carpeta);
    const auto s =
        relivo::prueba::CorrerCli(argumentos, c.value("entrada", std::string()), carpeta.string());
    if (c.contains("salida")) {
        EXPECT_EQ(s.salida, c["salida"].get<std::string>());
    }
    if (c.contains("errores")) {
        EXPECT_EQ(s.errores, c["errores"].get<std::string>());
    }
    EXPECT_EQ(s.estado, c["estado"].get<int>()) << s.errores;
    std::vector<std::string> creados;
    for (const auto& f : std::filesystem::directory_iterator(carpeta))
        creados.push_back(f.path().filename().string());
    std::sort(creados.begin(), creados.end());
    EXPECT_EQ(creados, c.value("crea", std::vector<std::string>()));
    std::filesystem::remove_all(carpeta);
}

INSTANTIATE_TEST_SUITE_P(Datos, CliTabla, ::testing::ValuesIn(LeerInvocaciones()),
                         [](const auto& info) {
                             return "Linea" + std::to_string(info.param.first);
                         });

}  // namespace
