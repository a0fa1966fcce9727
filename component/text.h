// Text across the component boundary: BSTR (UTF-16) to and from the engine's
// UTF-8 text. A lone surrogate travels as its own three-byte sequence, so
// that any BSTR comes back unchanged.
#pragma once

#include <string>
#include <string_view>

#include "component/win32.h"

namespace relivo::com {

std::string AUtf8(const wchar_t* texto, size_t longitud);
std::string AUtf8(BSTR texto);  // null: ""
std::wstring AUtf16(std::string_view texto);
// A new BSTR (null when memory runs out).
BSTR NuevoBstr(std::string_view texto);

}  // namespace relivo::com
