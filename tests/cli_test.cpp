// The relivo command line run as a program, from the table tests/data/cli.jsonl:
// one invocation a line with its arguments, its standard input, and the exact
// standard output and standard error (when given), the exit status it must
// give, and the files it must leave ("crea") in its working folder, a fresh
// folder of the test's own. "{datos}" in an argument stands for the folder
// tests/data. And relivo graficar from end to end where one invocation is
// not enough: the document round trip and Ctrl-C (the pictures are in the
// recorded corpus, documents that do not read in the table).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/recording.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

// One line of the table: its number and the invocation.
using Invocacion = std::pair<int, json>;

std::vector<Invocacion> LeerInvocaciones() {
    std::vector<Invocacion> casos;
    const auto lineas =
        relivo::prueba::Lineas(relivo::prueba::Leer(std::string(RELIVO_TEST_DATA) + "/cli.jsonl"));
    for (size_t i = 0; i < lineas.size(); ++i) casos.emplace_back(i + 1, json::parse(lineas[i]));
    return casos;
}

class CliTabla : public ::testing::TestWithParam<Invocacion> {};

TEST_P(CliTabla, DaSuSalidaYSuEstado) {
    const json& c = GetParam().second;
    std::vector<std::string> argumentos = c["argumentos"];
    for (std::string& a : argumentos) {
        if (a.rfind("{datos}", 0) == 0) a.replace(0, 7, RELIVO_TEST_DATA);
    }
    const fs::path carpeta =
        fs::path(::testing::TempDir()) / ("relivo_cli_" + std::to_string(getpid()));
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    const auto s =
        relivo::prueba::CorrerCli(argumentos, c.value("entrada", std::string()), carpeta.string());
    // An output the line does not give is not compared.
    EXPECT_EQ(s.salida, c.value("salida", s.salida));
    EXPECT_EQ(s.errores, c.value("errores", s.errores));
    EXPECT_EQ(s.estado, c["estado"].get<int>()) << s.errores;
    std::vector<std::string> creados;
    for (const auto& f : fs::directory_iterator(carpeta))
        creados.push_back(f.path().filename().string());
    std::sort(creados.begin(), creados.end());
    EXPECT_EQ(creados, c.value("crea", std::vector<std::string>()));
    fs::remove_all(carpeta);
}

INSTANTIATE_TEST_SUITE_P(Datos, CliTabla, ::testing::ValuesIn(LeerInvocaciones()),
                         [](const auto& info) {
                             return "Linea" + std::to_string(info.param.first);
                         });

// A file of the test's own in the temporary folder.
std::string En(const char* nombre) {
    return ::testing::TempDir() + "relivo_graficar_" + std::to_string(getpid()) + "_" + nombre;
}

int Graficar(std::vector<std::string> args) {
    args.insert(args.begin(), "graficar");
    return relivo::prueba::CorrerCli(args).estado;
}

TEST(GraficarCli, GuardarYCargarRepitenLaMismaGrafica) {
    ASSERT_EQ(Graficar({"x^2-y^2", "--x", "-2:2", "--y=-1:3", "--z=-4:4", "--lineas", "9,5",
                        "--angulos", "10,0,-20", "--tamano", "300x200", "--guardar", En("b.json")}),
              0);
    const json bolsa = json::parse(relivo::prueba::Leer(En("b.json")));
    EXPECT_EQ(bolsa["AutoEscalaZ"], false);
    EXPECT_EQ(bolsa["ZMin"], -4);
    EXPECT_EQ(bolsa["NumeroLineasY"], 5);
    // An option after the document overrides it. (A document loaded without
    // an expression draws the picture of the guide's example.)
    ASSERT_EQ(Graficar({"--cargar", En("b.json"), "--x=2:-2", "--traza", En("t3.json")}), 0);
    EXPECT_EQ(json::parse(relivo::prueba::Leer(En("t3.json")))["eventos"].size(), 7u + 11u + 2u);
    for (const char* f : {"b.json", "t3.json"}) fs::remove(En(f));
}

// Whether the process has a handler for SIGINT installed.
bool CapturaSigint(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string linea;
    while (std::getline(f, linea)) {
        if (linea.rfind("SigCgt:", 0) == 0) {
            return (std::stoull(linea.substr(7), nullptr, 16) >> (SIGINT - 1)) & 1;
        }
    }
    return false;
}

TEST(GraficarCli, CtrlCCancelaEnElSiguienteCeder) {
    std::string programa = RELIVO_CLI;
    const std::string traza = En("t.json");
    const std::string png = En("c.png");
    // A grid far too large to finish: only the cancellation ends it.
    std::vector<std::string> args{programa,  "graficar", "x*y", "--lineas", "32766",
                                  "--traza", traza,      "-o",  png};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    while (!CapturaSigint(pid)) usleep(1000);
    kill(pid, SIGINT);
    int estado = 0;
    waitpid(pid, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 130);
    // Nothing half drawn is left behind.
    EXPECT_FALSE(fs::exists(png));
    EXPECT_FALSE(fs::exists(En("c.incompleta.png")));
    const json t = json::parse(relivo::prueba::Leer(traza));
    EXPECT_EQ(t["numeroError"], -2147221502);
    EXPECT_EQ(t["error"], "Cancelado por el usuario");
    fs::remove(traza);
}

}  // namespace
