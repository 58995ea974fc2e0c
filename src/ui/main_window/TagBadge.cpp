#include "TagBadge.h"

#include "ui/look/ViewStyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr int horizontalPadding = 6;
constexpr int verticalPadding = 2;
// The outline's pixel on either side.
constexpr int outline = 2;

} // namespace

TagBadge::TagBadge(QString text, bool mono, QWidget *parent)
    : QWidget(parent)
    , m_text(std::move(text))
    , m_mono(mono) {
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    setAccessibleName(m_text);
}

void TagBadge::setText(const QString &text) {
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QFont TagBadge::badgeFont() const {
    return m_mono ? ViewStyle::monospacedFont(10, QFont::Medium)
                  : ViewStyle::font(10, QFont::Medium);
}

int TagBadge::widthFor(const QString &text) const {
    // Rounded up from the exact advance, which is also what the elision measures against: a
    // width rounded down would cut off the last character of a text that has room.
    const QFontMetricsF metrics(badgeFont());
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + 2 * horizontalPadding +
           outline;
}

QSize TagBadge::sizeHint() const {
    const QFontMetricsF metrics(badgeFont());
    return QSize(widthFor(m_text),
                 static_cast<int>(std::ceil(metrics.height())) + 2 * verticalPadding + outline);
}

QSize TagBadge::minimumSizeHint() const {
    // A code of up to wholeCodeLength characters always shows whole; only a longer one may be
    // cut short rather than push the panel wider. A status is a short word and never is.
    const QString whole = m_mono ? m_text.left(wholeCodeLength) : m_text;
    return QSize(widthFor(whole), sizeHint().height());
}

QString TagBadge::shownText() const {
    const QFontMetricsF metrics(badgeFont());
    return metrics.elidedText(m_text, Qt::ElideRight, width() - 2 * horizontalPadding - outline);
}

void TagBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(ViewStyle::color(PaletteColor::glassFillStrong));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setFont(badgeFont());
    painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, shownText());
}
