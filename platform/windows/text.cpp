#include "platform/windows/text.h"

#include "platform/windows/win32.h"

namespace relivo {

std::wstring AUtf16(std::string_view texto) {
    if (texto.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), w.data(), n);
    return w;
}

}  // namespace relivo
