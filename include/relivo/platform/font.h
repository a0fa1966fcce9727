// The font object: a font description passed by value.
//
// `Name` is a family name resolved by the platform (an unknown or empty name
// falls back to the platform's default sans-serif family); `Size` is in
// points (1/72 inch).
#pragma once

#include <string>

namespace relivo {

struct Fuente {
    std::string Name = "DejaVu Sans";
    float Size = 9.0f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;

    bool operator==(const Fuente&) const = default;
};

}  // namespace relivo
