// Text of the platform (UTF-8) for the wide-character Windows calls.
#pragma once

#include <string>
#include <string_view>

namespace relivo {

std::wstring AUtf16(std::string_view texto);

}  // namespace relivo
