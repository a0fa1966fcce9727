// The command line's outputs on a recorded corpus, byte for byte: every
// seed expression through `evaluar --lote` and `canonizar --json`, the
// requests of tests/data/evaluar_casos.jsonl through `evaluar --lote`, every
// canonical seed through `reducir --lote`, and a set of plots with their
// whole trace (every polygon with its points and colours, the events, ZMin
// and ZMax) and their PNG. The expected files were reviewed when recorded;
// RELIVO_REGRABAR=1 writes them anew from the build under test, for a change
// that is meant to alter them (review the difference before committing).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/recording.h"

namespace {

namespace fs = std::filesystem;
using relivo::prueba::Comparar;
using relivo::prueba::CompararArchivo;
using relivo::prueba::CorrerCli;
using relivo::prueba::Leer;
using relivo::prueba::Lineas;

const fs::path kCarpeta = fs::path(RELIVO_TEST_DATA) / "recorded";

// Each batch through its subcommand: the seed expressions, the requests of
// tests/data/evaluar_casos.jsonl (Funcion, Substituir, then each Valor, and
// everything read back) and the canonical seeds.
TEST(RecordedTest, EnLote) {
    const struct {
        const char* orden;
        fs::path entrada;
        const char* salida;
    } kLotes[] = {
        {"evaluar", kCarpeta / "evaluar_in.jsonl", "evaluar_out.jsonl"},
        {"evaluar", fs::path(RELIVO_TEST_DATA) / "evaluar_casos.jsonl", "evaluar_casos_out.jsonl"},
        {"reducir", kCarpeta / "reducir_in.jsonl", "reducir_out.jsonl"},
    };
    for (const auto& l : kLotes) {
        const std::string entrada = Leer(l.entrada);
        Comparar(CorrerCli({l.orden, "--lote"}, entrada).salida, kCarpeta / l.salida,
                 Lineas(entrada));
    }
}

TEST(RecordedTest, Canonizar) {
    std::string salida;
    const std::vector<std::string> entradas = Lineas(Leer(kCarpeta / "canonizar_in.jsonl"));
    for (const std::string& linea : entradas)
        salida += CorrerCli({"canonizar", "--json", "--", nlohmann::json::parse(linea)}).salida;
    Comparar(salida, kCarpeta / "canonizar_out.jsonl", entradas);
}

TEST(RecordedTest, Graficar) {
    const fs::path temporal =
        fs::temp_directory_path() / ("relivo-grabado-" + std::to_string(getpid()));
    fs::create_directories(temporal);
    const std::vector<std::string> casos = Lineas(Leer(kCarpeta / "graficar_casos.jsonl"));
    std::string estados;
    for (size_t k = 0; k < casos.size(); ++k) {
        const std::string nombre = "graficar_" + std::to_string(k + 1);
        std::vector<std::string> args{"graficar"};
        for (const auto& a : nlohmann::json::parse(casos[k])) args.push_back(a);
        args.insert(args.end(),
                    {"--sin-rotulos", "--traza", (temporal / (nombre + ".json")).string(), "-o",
                     (temporal / (nombre + ".png")).string()});
        const auto r = CorrerCli(args);
        estados += nombre + " " + std::to_string(r.estado) + "\n";
        // A run that writes no file (a usage error) has no recording; a
        // failed one leaves its picture under the name of an incomplete one.
        for (const char* ext : {".json", ".png", ".incompleta.png"}) {
            CompararArchivo(temporal / (nombre + ext), kCarpeta / (nombre + ext), casos[k]);
        }
    }
    Comparar(estados, kCarpeta / "graficar_estados.txt", casos);
    fs::remove_all(temporal);
}

}  // namespace
