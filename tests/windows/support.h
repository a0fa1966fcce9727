// What every test program under Wine shares: its command-line arguments
// (after GoogleTest's own), text conversions, and a main that initialises
// COM around the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/win32.h"

namespace prueba {

inline std::vector<std::string>& Argumentos() {
    static std::vector<std::string> a;
    return a;
}

inline std::string Utf8(std::wstring_view w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

inline std::string DeBstr(BSTR b) {
    return b ? Utf8(std::wstring_view(b, SysStringLen(b))) : "";
}

inline std::wstring Utf16(std::string_view s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// A condition the rest of a test depends on: a failure where it is checked,
// and the answer, so that the test skips only what needs it.
inline bool Cumple(bool condicion, const char* archivo, int linea, const std::string& que) {
    if (!condicion) ADD_FAILURE_AT(archivo, linea) << que;
    return condicion;
}

// Runs the tests with COM (or, for `ole`, OLE) initialised in a
// single-threaded apartment. `uso`
// names the arguments; there must be from `minimo` to `maximo` of them.
inline int Principal(int argc, char** argv, const char* uso, size_t minimo, size_t maximo,
                     bool ole = false) {
    testing::InitGoogleTest(&argc, argv);
    Argumentos().assign(argv + 1, argv + argc);
    if (Argumentos().size() < minimo || Argumentos().size() > maximo) {
        std::printf("uso: %s %s\n", argv[0], uso);
        return 2;
    }
    if (ole) {
        OleInitialize(nullptr);
    } else {
        CoInitialize(nullptr);
    }
    const int r = RUN_ALL_TESTS();
    if (ole) {
        OleUninitialize();
    } else {
        CoUninitialize();
    }
    return r;
}

}  // namespace prueba

#define RELIVO_CUMPLE(cond, que) ::prueba::Cumple((cond), __FILE__, __LINE__, (que))
