// The number texts made from printf, which the WebAssembly build writes,
// against the C++ library's to_chars, which the other builds write: the same
// text for doubles of every kind (random bit patterns, decimal fractions,
// whole numbers, both ends of the range), negated too.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/numbers.h"

namespace relivo {
namespace {

TEST(TextoDeNumeros, PrintfDaLoQueToChars) {
    std::vector<double> valores = {0.1,    0.5,   2.5,      1e15, 1e16, 123456789012345678.0,
                                   1e-5,   1e-7,  1e21,     1e22, 4.35, 9007199254740993.0,
                                   1 / 3., 1e300, 0.1 + 0.2};
    valores.push_back(std::numeric_limits<double>::denorm_min());
    valores.push_back(std::numeric_limits<double>::min());
    valores.push_back(std::numeric_limits<double>::max());
    std::mt19937_64 azar(7);
    for (int i = 0; i < 3000; ++i) {
        const uint64_t bits = azar();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d) && d != 0) valores.push_back(d);
        valores.push_back(static_cast<double>(azar() % 100000000) *
                          std::pow(10.0, static_cast<int>(azar() % 40) - 20));
    }
    int distintos = 0;
    for (const double v : valores) {
        for (const double s : {v, -v}) {
            if (s == 0) continue;
            char buf[64];
            const std::string corto(buf, std::to_chars(buf, buf + sizeof buf, s).ptr);
            const std::string cientifica(
                buf,
                std::to_chars(buf, buf + sizeof buf, s, std::chars_format::scientific, 14).ptr);
            const bool igual = numeros::MasCortoPorPrintf(s) == corto &&
                               numeros::CientificaPorPrintf(s) == cientifica;
            if (!igual && ++distintos <= 5) {
                ADD_FAILURE() << corto << ": " << numeros::MasCortoPorPrintf(s) << ", "
                              << numeros::CientificaPorPrintf(s);
            }
        }
    }
    EXPECT_EQ(distintos, 0);
}

}  // namespace
}  // namespace relivo
