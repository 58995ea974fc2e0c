#include "SettingsButton.h"

#include "ui/look/SymbolImage.h"
#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int borderedSymbolSize = 13;
constexpr int plainSymbolSize = 12;
constexpr int horizontalPadding = 12;
constexpr int buttonHeight = 28;
constexpr int spacing = 6;

QFont titleFont() {
    return ViewStyle::font(12, QFont::Medium);
}

} // namespace

SettingsButton::SettingsButton(const QString &symbolName, const QString &title, Look look,
                               QWidget *parent)
    : SymbolButton(symbolName, title, parent)
    , m_look(look) {
    if (look == Look::plain)
        setToolTip(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SettingsButton::sizeHint() const {
    if (m_look == Look::plain)
        return {24, 24};
    const QFontMetrics metrics(titleFont());
    return {horizontalPadding * 2 + borderedSymbolSize + spacing +
                metrics.horizontalAdvance(text()) + 1,
            buttonHeight};
}

void SettingsButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);

    if (m_look == Look::plain) {
        if (const qreal shown = isDown() ? 1.0 : hoverProgress(); shown > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(
                ViewStyle::color(PaletteColor::borderColor, isDown() ? 1 : 0.6 * shown));
            painter.drawRoundedRect(QRectF(rect()), 6, 6);
        }
        const QColor tint = ViewStyle::color(PaletteColor::textSecondary);
        QRect target(0, 0, plainSymbolSize, plainSymbolSize);
        target.moveCenter(rect().center());
        painter.drawPixmap(
            target, SymbolImage::pixmap(symbolName(), tint, plainSymbolSize, devicePixelRatioF()));
        paintFocusRing(painter, QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 6);
        return;
    }

    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(
        ViewStyle::color(isDown() ? PaletteColor::mutedFill : PaletteColor::controlFill));
    painter.drawRoundedRect(frame, 6, 6);
    if (const qreal shown = isEnabled() && !isDown() ? hoverProgress() : 0; shown > 0) {
        painter.setBrush(ViewStyle::color(PaletteColor::subtleFill, shown));
        painter.drawRoundedRect(frame, 6, 6);
    }

    const QColor tint = ViewStyle::color(PaletteColor::textPrimary);
    const int symbolTop = (height() - borderedSymbolSize) / 2;
    painter.drawPixmap(
        QPoint(horizontalPadding, symbolTop),
        SymbolImage::pixmap(symbolName(), tint, borderedSymbolSize, devicePixelRatioF()));
    painter.setFont(titleFont());
    painter.setPen(tint);
    const int textLeft = horizontalPadding + borderedSymbolSize + spacing;
    painter.drawText(QRect(textLeft, 0, width() - textLeft - horizontalPadding + 1, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    paintFocusRing(painter, frame, 6);
}
