#include "component/text.h"

namespace relivo::com {

std::string AUtf8(const wchar_t* texto, size_t longitud) {
    std::string r;
    r.reserve(longitud);
    for (size_t i = 0; i < longitud; ++i) {
        uint32_t c = static_cast<uint16_t>(texto[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < longitud) {
            const uint32_t d = static_cast<uint16_t>(texto[i + 1]);
            if (d >= 0xDC00 && d <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            r.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            r.push_back(static_cast<char>(0xC0 | (c >> 6)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            r.push_back(static_cast<char>(0xE0 | (c >> 12)));
            r.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            r.push_back(static_cast<char>(0xF0 | (c >> 18)));
            r.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return r;
}

std::string AUtf8(BSTR texto) {
    if (!texto) return {};
    return AUtf8(texto, SysStringLen(texto));
}

std::wstring AUtf16(std::string_view t) {
    std::wstring r;
    r.reserve(t.size());
    size_t i = 0;
    while (i < t.size()) {
        const auto b = static_cast<unsigned char>(t[i]);
        uint32_t c = 0;
        size_t n = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            n = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            n = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            n = 3;
        } else {
            r.push_back(0xFFFD);  // not the start of a sequence
            ++i;
            continue;
        }
        bool valida = i + n < t.size();
        for (size_t k = 1; valida && k <= n; ++k) {
            const auto s = static_cast<unsigned char>(t[i + k]);
            if ((s & 0xC0) != 0x80) {
                valida = false;
            } else {
                c = (c << 6) | (s & 0x3F);
            }
        }
        if (!valida) {
            r.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += n + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            r.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            r.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            r.push_back(static_cast<wchar_t>(c));
        }
    }
    return r;
}

BSTR NuevoBstr(std::string_view texto) {
    const std::wstring w = AUtf16(texto);
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

}  // namespace relivo::com
