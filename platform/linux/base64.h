// Base64 text of binary data (the standard alphabet, with padding).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace relivo {

std::string ABase64(const std::vector<uint8_t>& datos);
// Nothing when the text is not base64 (blanks and line breaks are skipped).
std::optional<std::vector<uint8_t>> DeBase64(std::string_view texto);

}  // namespace relivo
