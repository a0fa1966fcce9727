// A small JSON reader for the tests' data files (cases and the Linux
// build's expected outputs, one JSON value per line).
#pragma once

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace prueba {

struct Json {
    enum class Tipo { Nulo, Booleano, Numero, Texto, Lista, Objeto } tipo = Tipo::Nulo;
    bool booleano = false;
    double numero = 0;
    std::string texto;
    std::vector<Json> lista;
    std::vector<std::pair<std::string, Json>> objeto;

    const Json* Campo(const std::string& clave) const {
        for (const auto& [k, v] : objeto) {
            if (k == clave) return &v;
        }
        return nullptr;
    }
    bool Tiene(const std::string& clave) const { return Campo(clave) != nullptr; }
    const Json& operator[](const std::string& clave) const {
        static const Json nulo;
        const Json* c = Campo(clave);
        return c ? *c : nulo;
    }
};

class LectorJson {
public:
    explicit LectorJson(const std::string& texto) : t_(texto) {}

    bool Leer(Json& salida) {
        Blancos();
        if (!Valor(salida)) return false;
        Blancos();
        return i_ == t_.size();
    }

private:
    void Blancos() {
        while (i_ < t_.size() &&
               (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\r' || t_[i_] == '\n')) {
            ++i_;
        }
    }
    bool Literal(const char* s) {
        const std::string l(s);
        if (t_.compare(i_, l.size(), l) != 0) return false;
        i_ += l.size();
        return true;
    }
    static void Codificar(uint32_t c, std::string& s) {
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            s.push_back(static_cast<char>(0xC0 | (c >> 6)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            s.push_back(static_cast<char>(0xE0 | (c >> 12)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            s.push_back(static_cast<char>(0xF0 | (c >> 18)));
            s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    bool Hex4(uint32_t& c) {
        if (i_ + 4 > t_.size()) return false;
        c = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = t_[i_++];
            c <<= 4;
            if (h >= '0' && h <= '9') {
                c |= static_cast<uint32_t>(h - '0');
            } else if (h >= 'a' && h <= 'f') {
                c |= static_cast<uint32_t>(h - 'a' + 10);
            } else if (h >= 'A' && h <= 'F') {
                c |= static_cast<uint32_t>(h - 'A' + 10);
            } else {
                return false;
            }
        }
        return true;
    }
    bool Cadena(std::string& s) {
        if (i_ >= t_.size() || t_[i_] != '"') return false;
        ++i_;
        while (i_ < t_.size() && t_[i_] != '"') {
            char c = t_[i_++];
            if (c != '\\') {
                s.push_back(c);
                continue;
            }
            if (i_ >= t_.size()) return false;
            c = t_[i_++];
            switch (c) {
                case 'n':
                    s.push_back('\n');
                    break;
                case 't':
                    s.push_back('\t');
                    break;
                case 'r':
                    s.push_back('\r');
                    break;
                case 'b':
                    s.push_back('\b');
                    break;
                case 'f':
                    s.push_back('\f');
                    break;
                case 'u': {
                    uint32_t u = 0;
                    if (!Hex4(u)) return false;
                    if (u >= 0xD800 && u <= 0xDBFF && t_.compare(i_, 2, "\\u") == 0) {
                        i_ += 2;
                        uint32_t v = 0;
                        if (!Hex4(v)) return false;
                        u = 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
                    }
                    Codificar(u, s);
                    break;
                }
                default:
                    s.push_back(c);
            }
        }
        if (i_ >= t_.size()) return false;
        ++i_;
        return true;
    }
    bool Valor(Json& v) {
        Blancos();
        if (i_ >= t_.size()) return false;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            v.tipo = Json::Tipo::Objeto;
            Blancos();
            if (i_ < t_.size() && t_[i_] == '}') return ++i_, true;
            for (;;) {
                Blancos();
                std::string k;
                if (!Cadena(k)) return false;
                Blancos();
                if (i_ >= t_.size() || t_[i_++] != ':') return false;
                Json e;
                if (!Valor(e)) return false;
                v.objeto.emplace_back(std::move(k), std::move(e));
                Blancos();
                if (i_ < t_.size() && t_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return i_ < t_.size() && t_[i_++] == '}';
            }
        }
        if (c == '[') {
            ++i_;
            v.tipo = Json::Tipo::Lista;
            Blancos();
            if (i_ < t_.size() && t_[i_] == ']') return ++i_, true;
            for (;;) {
                Json e;
                if (!Valor(e)) return false;
                v.lista.push_back(std::move(e));
                Blancos();
                if (i_ < t_.size() && t_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return i_ < t_.size() && t_[i_++] == ']';
            }
        }
        if (c == '"') {
            v.tipo = Json::Tipo::Texto;
            return Cadena(v.texto);
        }
        if (Literal("true")) {
            v.tipo = Json::Tipo::Booleano;
            v.booleano = true;
            return true;
        }
        if (Literal("false")) {
            v.tipo = Json::Tipo::Booleano;
            return true;
        }
        if (Literal("null")) return true;
        size_t fin = i_;
        while (fin < t_.size() &&
               std::string("+-0123456789.eE").find(t_[fin]) != std::string::npos) {
            ++fin;
        }
        if (fin == i_) return false;
        const std::string n = t_.substr(i_, fin - i_);
        // from_chars reads the shortest form back to the same double.
        const char* a = n.c_str();
        if (*a == '+') ++a;
        const auto r = std::from_chars(a, n.c_str() + n.size(), v.numero);
        if (r.ec != std::errc() || r.ptr != n.c_str() + n.size()) return false;
        v.tipo = Json::Tipo::Numero;
        i_ = fin;
        return true;
    }

    const std::string& t_;
    size_t i_ = 0;
};

// The values of a JSON Lines file (blank lines skipped); false when the
// file cannot be read or a line is not JSON.
inline bool LeerLineasJson(const std::string& ruta, std::vector<Json>& salida) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return false;
    std::string linea;
    while (std::getline(f, linea)) {
        if (linea.find_first_not_of(" \t\r") == std::string::npos) continue;
        Json v;
        if (!LectorJson(linea).Leer(v)) return false;
        salida.push_back(std::move(v));
    }
    return true;
}

}  // namespace prueba
