#include "SettingsStyle.h"

#include "app/AppearanceMonitor.h"

#include <QApplication>
#include <QFontDatabase>

#include <algorithm>

namespace SettingsStyle {

QFont font(int points, QFont::Weight weight, qreal letterSpacing) {
    QFont result = QApplication::font();
    result.setPixelSize(points);
    result.setWeight(weight);
    if (letterSpacing != 0)
        result.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return result;
}

QFont monospacedFont(int points, QFont::Weight weight) {
    QFont result = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    result.setPixelSize(points);
    result.setWeight(weight);
    return result;
}

QColor color(PaletteColor name, qreal opacity) {
    QColor value = Palette::color(name);
    value.setAlphaF(static_cast<float>(value.alphaF() * std::clamp(opacity, 0.0, 1.0)));
    return value;
}

QColor failureRed() {
    return AppearanceMonitor::shared().isDark() ? QColor(0xFF, 0x45, 0x3A)
                                                : QColor(0xFF, 0x3B, 0x30);
}

QString css(const QColor &color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF(), 0, 'f', 3);
}

} // namespace SettingsStyle
