// Long and deeply nested test texts: a piece repeated n times.
#pragma once

#include <string>

namespace relivo::prueba {

inline std::string Repetir(const std::string& s, int n) {
    std::string r;
    r.reserve(s.size() * static_cast<size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

}  // namespace relivo::prueba
