#include "ElidedLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

QString singleLine(QString text) {
    for (QChar &c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t') ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(singleLine(text))
    , m_font(font()) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString &text) {
    const QString line = singleLine(text);
    if (line == m_text)
        return;
    m_text = line;
    updateGeometry();
    update();
}

QString ElidedLabel::visibleText() const {
    const int room = width() - m_padding.left() - m_padding.right();
    return QFontMetrics(m_font).elidedText(m_text, Qt::ElideRight, std::max(room, 0));
}

void ElidedLabel::setTextFont(const QFont &font) {
    m_font = font;
    updateGeometry();
    update();
}

void ElidedLabel::setTextColor(ViewStyle::ColorSource color) {
    m_textColor = std::move(color);
    update();
}

void ElidedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void ElidedLabel::setPadding(const QMargins &padding) {
    m_padding = padding;
    updateGeometry();
    update();
}

void ElidedLabel::setChip(ViewStyle::ColorSource fill, ViewStyle::ColorSource outline, qreal radius,
                          qreal outlineWidth) {
    m_chipFill = std::move(fill);
    m_chipOutline = std::move(outline);
    m_chipRadius = radius;
    m_chipOutlineWidth = outlineWidth;
    update();
}

QSize ElidedLabel::sizeHint() const {
    const QFontMetrics metrics(m_font);
    // One pixel more than the advance: antialiased glyph edges may reach past it.
    return {metrics.horizontalAdvance(m_text) + 1 + m_padding.left() + m_padding.right(),
            metrics.height() + m_padding.top() + m_padding.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const {
    const QFontMetrics metrics(m_font);
    // The width of the horizontal ellipsis (U+2026) that eliding draws; a measure, not a text.
    const int ellipsis = metrics.horizontalAdvance(QChar(0x2026));
    return {std::min(sizeHint().width(), ellipsis + m_padding.left() + m_padding.right()),
            sizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor chipFill = m_chipFill ? m_chipFill() : QColor(Qt::transparent);
    const QColor chipOutline = m_chipOutline ? m_chipOutline() : QColor(Qt::transparent);
    if (chipFill.alpha() > 0 || (chipOutline.alpha() > 0 && m_chipOutlineWidth > 0)) {
        const qreal inset = m_chipOutlineWidth / 2;
        QPainterPath chip;
        chip.addRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), m_chipRadius,
                            m_chipRadius);
        painter.fillPath(chip, chipFill);
        if (m_chipOutlineWidth > 0 && chipOutline.alpha() > 0)
            painter.strokePath(chip, QPen(chipOutline, m_chipOutlineWidth));
    }
    painter.setFont(m_font);
    painter.setPen(m_textColor());
    painter.drawText(rect().marginsRemoved(m_padding), static_cast<int>(m_alignment),
                     visibleText());
}
