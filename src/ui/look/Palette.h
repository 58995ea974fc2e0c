#pragma once

#include <QColor>

#include <optional>

// The application's named colours. Every view draws with these and nothing else, so light and
// dark appearance stay consistent: warm off-white in light, neutral charcoal in dark, with green
// and amber accents.
enum class PaletteColor {
    canvasBackground,
    cardBackground,
    mutedFill,
    subtleFill,
    glassFillStrong,
    controlFill,
    panelBackground,
    glassFill,
    glassFillLight,
    detailFill,
    detailGlassFill,
    detailFillAlt,
    textPrimary,
    textSecondary,
    borderColor,
    accentGreen,
    accentAmber,
    accentAmberDeep,
};

namespace Palette {

inline constexpr int colorCount = 18;

// The value of `color` in the light or the dark appearance. The table never asks which one is
// shown: whoever paints asks the appearance monitor at paint time (ViewStyle::color does).
QColor color(PaletteColor color, bool dark);

// Whether the desktop asks for dark: the portal's colour scheme when it states one (1 dark,
// 2 light), otherwise dark when the toolkit's window colour is darker than its text colour.
bool prefersDark(std::optional<uint> portalColorScheme, const QColor &windowColor,
                 const QColor &textColor);

} // namespace Palette
