#include "relivo/platform/colors.h"

#include <array>

namespace relivo {

namespace {

// The system colours, by index (scroll bar, desktop, active caption,
// inactive caption, menu, window, window frame, menu text, window text,
// caption text, active border, inactive border, application workspace,
// highlight, highlight text, button face, button shadow, grey text, button
// text, inactive caption text, button highlight, 3-D dark shadow, 3-D light,
// tooltip text, tooltip background), as r + 256g + 65536b.
constexpr std::array<ColorOle, 25> kSistema = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225),
};

}  // namespace

std::optional<ColorOle> ResolverColor(ColorOle color) {
    const uint32_t v = static_cast<uint32_t>(color);
    if (v <= 0xFFFFFFu) return color;
    if ((v & 0xFF000000u) == 0x02000000u) return static_cast<ColorOle>(v & 0xFFFFFFu);
    if ((v & 0xFFFFFF00u) == 0x80000000u && (v & 0xFFu) < kSistema.size()) {
        return kSistema[v & 0xFFu];
    }
    return std::nullopt;
}

}  // namespace relivo
