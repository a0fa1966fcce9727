// The user guide's examples: every console block of docs/guia.md that follows
// the line "<!-- ejemplo -->" is run, command by command, in a fresh folder
// of its own, and must print what the guide shows (standard error merged into
// standard output, as a terminal shows them). A command is a line that begins
// with "$ ", run by the shell, so it may feed a batch through a pipe; its
// expected output is the lines up to the next command or the block's end.
// The pictures a block writes to img/ must be the bytes of docs/img. With
// RELIVO_REGRABAR=1 the output lines of the marked blocks and the pictures
// are written anew instead.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/recording.h"

namespace relivo::prueba {
namespace {

const fs::path kDocs = RELIVO_DOCS;
constexpr const char* kMarca = "<!-- ejemplo -->";

// Runs one command line of the guide through the shell, in `carpeta`, with
// "relivo" standing for the program under test. Standard output is line
// buffered, as on a terminal, so that the two streams mix in the same order
// (stdbuf preloads a library, which the sanitizer build must be told to
// accept).
std::string Correr(const std::string& orden, const fs::path& carpeta) {
    const char* otro = std::getenv("RELIVO_CLI");
    const std::string programa = otro != nullptr ? otro : RELIVO_CLI;
    const std::string guion =
        "cd '" + carpeta.string() + "' && export LC_ALL=C && " +
        "export ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\" && " +
        "relivo() { stdbuf -oL '" + programa + "' \"$@\"; } && exec 2>&1 </dev/null && " + orden;
    FILE* tubo = popen(guion.c_str(), "r");
    if (tubo == nullptr) return "popen failed\n";
    std::string salida;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, tubo)) > 0;) salida.append(buf, n);
    pclose(tubo);
    return salida;
}

// Compares (or records) the pictures the block left in its img/ folder.
void CompararImagenes(const fs::path& carpeta, size_t linea) {
    for (const auto& f : fs::directory_iterator(carpeta / "img")) {
        CompararArchivo(f.path(), kDocs / "img" / f.path().filename(),
                        "the picture of the block at line " + std::to_string(linea));
    }
}

TEST(GuiaTest, LosEjemplosDanLoQueMuestraLaGuia) {
    const fs::path guia = kDocs / "guia.md";
    const std::vector<std::string> lineas = Lineas(Leer(guia));
    ASSERT_FALSE(lineas.empty()) << guia;
    std::vector<std::string> nuevas;  // the guide with the outputs obtained
    const fs::path raiz = fs::temp_directory_path() / ("relivo-guia-" + std::to_string(getpid()));
    int bloques = 0;
    for (size_t i = 0; i < lineas.size();) {
        nuevas.push_back(lineas[i]);
        if (lineas[i] != kMarca || i + 1 >= lineas.size() || lineas[i + 1] != "```console") {
            ++i;
            continue;
        }
        nuevas.push_back(lineas[++i]);
        const size_t inicio = ++i;
        const fs::path carpeta = raiz / std::to_string(++bloques);
        fs::create_directories(carpeta / "img");
        while (i < lineas.size() && lineas[i] != "```") {
            ASSERT_TRUE(lineas[i].starts_with("$ "))
                << "guia.md:" << i + 1 << ": a command was expected";
            const size_t orden = i++;
            std::string esperada;
            for (; i < lineas.size() && lineas[i] != "```" && !lineas[i].starts_with("$ "); ++i)
                esperada += lineas[i] + "\n";
            const std::string obtenida = Correr(lineas[orden].substr(2), carpeta);
            nuevas.push_back(lineas[orden]);
            for (const std::string& l : Lineas(obtenida)) nuevas.push_back(l);
            if (!Regrabar()) {
                EXPECT_EQ(obtenida, esperada)
                    << "guia.md:" << orden + 1 << " (RELIVO_REGRABAR=1 records the outputs anew)";
            }
        }
        ASSERT_LT(i, lineas.size()) << "guia.md:" << inicio << ": the block is not closed";
        CompararImagenes(carpeta, inicio);
    }
    fs::remove_all(raiz);
    EXPECT_GT(bloques, 0);
    if (Regrabar()) {
        std::string texto;
        for (const std::string& l : nuevas) texto += l + "\n";
        std::ofstream(guia, std::ios::binary) << texto;
    }
}

}  // namespace
}  // namespace relivo::prueba
