// The reducir command run as a program: text and JSON output, the variable
// table, batches of JSON Lines, errors and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Salida {
    std::string texto;
    int estado;
};

Salida Correr(const std::string& argumentos, const std::string& entrada = "") {
    std::string orden = std::string(RELIVO_CLI) + " reducir " + argumentos + " 2>/dev/null";
    if (!entrada.empty()) orden = "printf '%s' '" + entrada + "' | " + orden;
    FILE* f = popen(orden.c_str(), "r");
    Salida s{"", -1};
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0) s.texto.append(buf.data(), n);
    const int st = pclose(f);
    s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return s;
}

TEST(ReducirCliTest, TextoSimplificado) {
    struct {
        const char* argumentos;
        const char* salida;
        int estado;
    } casos[] = {
        {"--variables X,Y 'L1L*2'", "2*L1L\n", 0},
        {"'_J/2'", "-0.5*J\n", 0},
        {"--variables=X,Y 'L2L+L1L'", "L1L+L2L\n", 0},
        {"--variables y,x 'L2L+L1L'", "L2L+L1L\n", 0},
        {"--variables X -- '-L1L+3'", "3-L1L\n", 0},
        {"'m1'", "0.5*J\n", 0},
        {"--separador , --variables X 'L1L/2'", "0,5*L1L\n", 0},
        {"--variables X 'L1L/0'", "Error 11: División por cero\n", 1},
        {"'L1L+L2L'", "Error 9: El subíndice está fuera del intervalo\n", 1},
    };
    for (const auto& c : casos) {
        const Salida s = Correr(c.argumentos);
        EXPECT_EQ(s.texto, c.salida) << c.argumentos;
        EXPECT_EQ(s.estado, c.estado) << c.argumentos;
    }
}

TEST(ReducirCliTest, Json) {
    Salida s = Correr("--json --variables X,Y 'L1L*L1L+L2L'");
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(nlohmann::json::parse(s.texto),
              nlohmann::json({{"reducido", "L1L^2+L2L"}, {"numeroError", 0}, {"error", ""}}));
    s = Correr("--json '2/0'");
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(
        nlohmann::json::parse(s.texto),
        nlohmann::json({{"reducido", ""}, {"numeroError", 11}, {"error", "División por cero"}}));
}

TEST(ReducirCliTest, Lote) {
    const std::string entrada =
        "{\"texto\": \"L1L*2\", \"variables\": [\"X\", \"Y\"]}\n"
        "\n"
        "{\"texto\": \"n(_L1L)\", \"variables\": [\"X\"]}\n"
        "no es json\n"
        "{\"texto\": \"1E-5\"}\n";
    const Salida s = Correr("--lote", entrada);
    EXPECT_EQ(s.estado, 1);  // one request failed
    std::istringstream lineas(s.texto);
    std::vector<nlohmann::json> r;
    for (std::string l; std::getline(lineas, l);) r.push_back(nlohmann::json::parse(l));
    ASSERT_EQ(r.size(), 4u) << s.texto;
    EXPECT_EQ(r[0]["reducido"], "2*L1L");
    EXPECT_EQ(r[1]["reducido"], "n_L1L");
    EXPECT_EQ(r[2]["numeroError"], 13);
    EXPECT_EQ(r[3]["reducido"], "1E-05");
    EXPECT_EQ(r[3]["numeroError"], 0);
}

TEST(ReducirCliTest, ErroresDeUso) {
    for (const char* argumentos : {"", "--variables", "'L1L' 'L2L'", "--lote 'L1L'", "--nada 'L1L'",
                                   "--separador ab 'L1L'"}) {
        EXPECT_EQ(Correr(argumentos).estado, 2) << argumentos;
    }
}

}  // namespace
