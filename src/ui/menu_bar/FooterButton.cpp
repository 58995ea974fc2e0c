#include "FooterButton.h"
#include "ui/look/ViewStyle.h"

#include "PanelStyle.h"
#include "ui/look/Palette.h"
#include "ui/look/SymbolImage.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int spacing = 4;
constexpr int symbolSize = 11;

QFont labelFont() {
    return ViewStyle::font(12, QFont::Medium);
}

} // namespace

FooterButton::FooterButton(const QString &label, const QString &icon, std::function<void()> action,
                           QWidget *parent)
    : QAbstractButton(parent)
    , m_icon(icon) {
    setText(label);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

QSize FooterButton::sizeHint() const {
    const QFontMetrics metrics(labelFont());
    return {metrics.horizontalAdvance(text()) + 1 + spacing + symbolSize,
            std::max(metrics.height(), symbolSize)};
}

void FooterButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A plain button gives no frame; pressing dims its content instead.
    if (isDown())
        painter.setOpacity(0.55);
    const QColor color = ViewStyle::color(PaletteColor::textSecondary);
    const QFontMetrics metrics(labelFont());
    const int labelWidth = metrics.horizontalAdvance(text()) + 1;
    painter.setFont(labelFont());
    painter.setPen(color);
    painter.drawText(QRect(0, 0, labelWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
    const QPixmap symbol = SymbolImage::pixmap(m_icon, color, symbolSize, devicePixelRatioF());
    painter.drawPixmap(QPointF(labelWidth + spacing, (height() - symbolSize) / 2.0), symbol);
}
