#include "TagBadge.h"

#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int horizontalPadding = 6;
constexpr int verticalPadding = 2;

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

QSize TagBadge::sizeHint() const {
    const QFontMetrics metrics(badgeFont());
    return QSize(metrics.horizontalAdvance(m_text) + 2 * horizontalPadding + 2,
                 metrics.height() + 2 * verticalPadding + 2);
}

QSize TagBadge::minimumSizeHint() const {
    // A long code may be cut short rather than push the panel wider.
    return QSize(qMin(sizeHint().width(), 2 * horizontalPadding + 24), sizeHint().height());
}

void TagBadge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), 1));
    painter.setBrush(ViewStyle::color(PaletteColor::glassFillStrong));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setFont(badgeFont());
    painter.setPen(ViewStyle::color(PaletteColor::textSecondary));
    const int available = width() - 2 * horizontalPadding - 2;
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(m_text, Qt::ElideRight, available));
}
