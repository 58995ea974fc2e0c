#include "Palette.h"

#include <array>

namespace {

struct Pair {
    QColor light;
    QColor dark;
};

QColor rgb(QRgb value, double opacity = 1.0) {
    QColor color = QColor::fromRgb(value);
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

const std::array<Pair, Palette::colorCount> &table() {
    static const std::array<Pair, Palette::colorCount> values{{
        {rgb(0xF8F5EF), rgb(0x181A1D)},             // canvasBackground
        {rgb(0xFCFAF6), rgb(0x1F2124)},             // cardBackground
        {rgb(0xF4F0E9), rgb(0x26282C)},             // mutedFill
        {rgb(0xFAF8F4), rgb(0x1C1E21)},             // subtleFill
        {rgb(0xFFFFFF, 0.9), rgb(0x373A3F, 0.88)},  // glassFillStrong
        {rgb(0xF7F4EE), rgb(0x2B2E32)},             // controlFill
        {rgb(0xFDFBF7), rgb(0x1C1D1F)},             // panelBackground
        {rgb(0xFFFFFF, 0.72), rgb(0x282A2D, 0.9)},  // glassFill
        {rgb(0xFFFFFF, 0.5), rgb(0x34373C, 0.66)},  // glassFillLight
        {rgb(0xF7F5F0), rgb(0x303236, 0.9)},        // detailFill
        {rgb(0xFFFFFF, 0.72), rgb(0x282A2D, 0.82)}, // detailGlassFill
        {rgb(0xFAF9F6), rgb(0x2C2E31, 0.86)},       // detailFillAlt
        {rgb(0x2D3330), rgb(0xECEFF3)},             // textPrimary
        {rgb(0x6B7280), rgb(0xA8B0BC)},             // textSecondary
        {rgb(0xE8E6E1), rgb(0x4A4F57)},             // borderColor
        {rgb(0x22C55E), rgb(0x4ADE80)},             // accentGreen
        {rgb(0xF59E0B), rgb(0xFBBF24)},             // accentAmber
        {rgb(0xD97706), rgb(0xFCD34D)},             // accentAmberDeep
    }};
    return values;
}

} // namespace

QColor Palette::color(PaletteColor color, bool dark) {
    const Pair &pair = table()[static_cast<size_t>(color)];
    return dark ? pair.dark : pair.light;
}

bool Palette::prefersDark(std::optional<uint> portalColorScheme, const QColor &windowColor,
                          const QColor &textColor) {
    if (portalColorScheme == 1u)
        return true;
    if (portalColorScheme == 2u)
        return false;
    return windowColor.lightnessF() < textColor.lightnessF();
}
