// The relivo command line, run as a program: output formats, batches, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace {

struct Salida {
    std::string texto;
    int estado;
};

// Runs the program with a shell command line and optional standard input.
Salida Correr(const std::string& argumentos, const std::string& entrada = "") {
    std::string orden = std::string(RELIVO_CLI) + " " + argumentos;
    if (!entrada.empty()) orden = "printf '%b' '" + entrada + "' | " + orden;
    FILE* f = popen(orden.c_str(), "r");
    Salida s{"", -1};
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0) s.texto.append(buf.data(), n);
    const int st = pclose(f);
    s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return s;
}

TEST(CliTest, EvaluarEnTexto) {
    const Salida s = Correr("evaluar 'x*y+1' x=2 y=3");
    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.texto.find("Variables: X, Y\n"), std::string::npos) << s.texto;
    EXPECT_NE(s.texto.find("Resultado: 7\n"), std::string::npos) << s.texto;
}

TEST(CliTest, EvaluarEnJsonConEventos) {
    const Salida s = Correr("evaluar --json -- '-x^2' x=3 q=1");
    EXPECT_EQ(s.estado, 1);
    const auto j = nlohmann::json::parse(s.texto);
    EXPECT_EQ(j["variables"], nlohmann::json::array({"X"}));
    EXPECT_EQ(j["numeroError"], -2147221498);
    EXPECT_EQ(j["error"], "No existe la variable.");
    ASSERT_EQ(j["eventos"].size(), 1u) << s.texto;  // the bad name; the result stays valid
    EXPECT_EQ(j["resultado"], 9);
    EXPECT_EQ(j["eventos"][0]["NumError"], -2147221498);
}

TEST(CliTest, ErrorYSalida) {
    const Salida s = Correr("evaluar '(x'");
    EXPECT_EQ(s.estado, 1);
    EXPECT_NE(s.texto.find("Error -2147221501: Falta un paréntesis derecho."), std::string::npos)
        << s.texto;
}

TEST(CliTest, SeparadorDecimal) {
    const Salida s = Correr("evaluar --separador , 'x/4' x=1");
    EXPECT_NE(s.texto.find("Resultado: 0,25"), std::string::npos) << s.texto;
    const Salida r = Correr("evaluar --json --separador , '1,5*x' x=2");
    EXPECT_EQ(nlohmann::json::parse(r.texto)["resultado"], 3);
}

TEST(CliTest, NumerosJsonExactos) {
    const Salida s = Correr("evaluar --json 'x/y' x=1 y=3");
    EXPECT_EQ(nlohmann::json::parse(s.texto)["resultado"].get<double>(), 1.0 / 3.0);
}

TEST(CliTest, Substituir) {
    const Salida s = Correr("evaluar --json 'x+1' --substituir x=2*t t=5");
    const auto j = nlohmann::json::parse(s.texto);
    EXPECT_EQ(j["variables"], nlohmann::json::array({"T"}));
    EXPECT_EQ(j["resultado"], 11);
}

TEST(CliTest, Lote) {
    const Salida s =
        Correr("evaluar --lote",
               R"({"funcion": "x*y", "valores": [["x", 1.5], [2, -3]]}\nno es json\n)"
               R"({"funcion": "x", "substituir": [["x", "2*t"]], "valores": [["t", 2]]}\n)");
    std::vector<nlohmann::json> lineas;
    size_t inicio = 0;
    for (size_t fin; (fin = s.texto.find('\n', inicio)) != std::string::npos; inicio = fin + 1) {
        lineas.push_back(nlohmann::json::parse(s.texto.substr(inicio, fin - inicio)));
    }
    ASSERT_EQ(lineas.size(), 3u) << s.texto;
    EXPECT_EQ(lineas[0]["resultado"], -4.5);
    EXPECT_EQ(lineas[1]["numeroError"], 13);
    EXPECT_EQ(lineas[1]["error"], "No coinciden los tipos");
    EXPECT_EQ(lineas[2]["resultado"], 4);
    EXPECT_EQ(s.estado, 1);
}

TEST(CliTest, Canonizar) {
    const Salida s = Correr("canonizar --json '2e+5 + sinx - 2pi x y'");
    const auto j = nlohmann::json::parse(s.texto);
    EXPECT_EQ(j["canonico"], "2E+5+aL1L-2*J*L1L*L2L");
    EXPECT_EQ(j["variables"], nlohmann::json::array({"X", "Y"}));
    EXPECT_EQ(Correr("canonizar 'x$'").estado, 1);
}

TEST(CliTest, ErroresDeUso) {
    for (const char* args : {"", "evaluar", "evaluar --nada x", "evaluar x y", "evaluar x y=z",
                             "evaluar --separador ab x", "orden-rara", "canonizar"}) {
        EXPECT_EQ(Correr(std::string(args) + " 2>/dev/null").estado, 2) << args;
    }
    EXPECT_EQ(Correr("--help").estado, 0);
}

}  // namespace
