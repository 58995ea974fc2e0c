#include "ViewStyle.h"

#include "ui/look/AppearanceMonitor.h"
#include "ui/look/SymbolImage.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace ViewStyle {

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
    QColor value = Palette::color(name, AppearanceMonitor::shared().isDark());
    value.setAlphaF(static_cast<float>(value.alphaF() * opacity));
    return value;
}

QColor resultColor(qint64 cents, bool gainIsRed, PaletteColor zero) {
    if (cents == 0)
        return color(zero);
    return (cents > 0) == gainIsRed ? failureRed() : color(PaletteColor::accentGreen);
}

ColorSource tone(PaletteColor name, qreal opacity) {
    return [name, opacity] {
        return color(name, opacity);
    };
}

QColor failureRed() {
    return AppearanceMonitor::shared().isDark() ? QColor(0xFF, 0x45, 0x3A)
                                                : QColor(0xFF, 0x3B, 0x30);
}

QPixmap symbol(const QString &name, const QColor &color, int points, qreal devicePixelRatio) {
    const QString key = QStringLiteral("orvel.symbol/%1/%2/%3/%4")
                            .arg(name)
                            .arg(color.rgba(), 8, 16, QLatin1Char('0'))
                            .arg(points)
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    cached = SymbolImage::pixmap(name, color, points, devicePixelRatio);
    QPixmapCache::insert(key, cached);
    return cached;
}

QString css(const QColor &color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF(), 0, 'f', 3);
}

void fillRoundedWithShadow(QPainter &painter, const QRectF &rect, qreal cornerRadius,
                           const QColor &fill, qreal shadowOpacity, qreal shadowRadius,
                           qreal offsetY) {
    painter.save();
    painter.setPen(Qt::NoPen);
    // A blur approximated by concentric rings whose opacities add up to the shadow's.
    const int rings = qMax(1, qRound(shadowRadius * 2));
    for (int i = rings; i >= 1; --i) {
        const qreal grow = shadowRadius * i / rings;
        QColor shade(0, 0, 0);
        shade.setAlphaF(static_cast<float>(shadowOpacity / rings));
        painter.setBrush(shade);
        painter.drawRoundedRect(rect.translated(0, offsetY).adjusted(-grow, -grow, grow, grow),
                                cornerRadius + grow, cornerRadius + grow);
    }
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, cornerRadius, cornerRadius);
    painter.restore();
}

} // namespace ViewStyle
