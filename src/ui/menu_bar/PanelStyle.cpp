#include "PanelStyle.h"

#include <algorithm>

QColor PanelStyle::withOpacity(QColor color, qreal opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * std::clamp(opacity, 0.0, 1.0)));
    return color;
}

QColor PanelStyle::blended(const QColor &from, const QColor &to, qreal progress) {
    const float t = static_cast<float>(std::clamp(progress, 0.0, 1.0));
    const auto mix = [t](float a, float b) {
        return a + (b - a) * t;
    };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()), mix(from.alphaF(), to.alphaF()));
}
