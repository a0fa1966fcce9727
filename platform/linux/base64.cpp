#include "platform/linux/base64.h"

namespace relivo {

namespace {
constexpr char kAlfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Valor(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}
}  // namespace

std::string ABase64(const std::vector<uint8_t>& datos) {
    std::string t;
    size_t i = 0;
    for (; i + 2 < datos.size(); i += 3) {
        const uint32_t v =
            (uint32_t{datos[i]} << 16) | (uint32_t{datos[i + 1]} << 8) | datos[i + 2];
        t += kAlfabeto[(v >> 18) & 63];
        t += kAlfabeto[(v >> 12) & 63];
        t += kAlfabeto[(v >> 6) & 63];
        t += kAlfabeto[v & 63];
    }
    if (i < datos.size()) {
        uint32_t v = uint32_t{datos[i]} << 16;
        if (i + 1 < datos.size()) v |= uint32_t{datos[i + 1]} << 8;
        t += kAlfabeto[(v >> 18) & 63];
        t += kAlfabeto[(v >> 12) & 63];
        t += i + 1 < datos.size() ? kAlfabeto[(v >> 6) & 63] : '=';
        t += '=';
    }
    return t;
}

std::optional<std::vector<uint8_t>> DeBase64(std::string_view texto) {
    std::vector<uint8_t> datos;
    uint32_t acumulado = 0;
    int bits = 0;
    bool relleno = false;
    for (char c : texto) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        if (c == '=') {
            relleno = true;
            continue;
        }
        const int v = Valor(c);
        if (v < 0 || relleno) return std::nullopt;
        acumulado = (acumulado << 6) | static_cast<uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            datos.push_back(static_cast<uint8_t>((acumulado >> bits) & 0xFF));
        }
    }
    return datos;
}

}  // namespace relivo
