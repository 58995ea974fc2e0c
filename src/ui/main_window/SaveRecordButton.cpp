#include "SaveRecordButton.h"

#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int buttonHeight = 36;
// The shadow falls below the button, inside the widget.
constexpr int shadowRoom = 4;
constexpr int symbolSize = 12;
constexpr int symbolToTitle = 6;

QFont titleFont() {
    return ViewStyle::font(13, QFont::Medium, -0.2);
}

QString titleFor(SaveRecordButton::Feedback feedback) {
    switch (feedback) {
    case SaveRecordButton::Feedback::none:
        return SaveRecordButton::tr("保存记录");
    case SaveRecordButton::Feedback::saved:
        return SaveRecordButton::tr("已保存");
    case SaveRecordButton::Feedback::failed:
        return SaveRecordButton::tr("保存失败");
    }
    return {};
}

QString symbolFor(SaveRecordButton::Feedback feedback) {
    switch (feedback) {
    case SaveRecordButton::Feedback::none:
        return QStringLiteral("square.and.arrow.down");
    case SaveRecordButton::Feedback::saved:
        return QStringLiteral("checkmark");
    case SaveRecordButton::Feedback::failed:
        return QStringLiteral("xmark");
    }
    return {};
}

} // namespace

SaveRecordButton::SaveRecordButton(QWidget *parent)
    : SymbolButton(symbolFor(Feedback::none), titleFor(Feedback::none), parent) {
    setObjectName(QStringLiteral("SaveRecordButton"));
    setFixedHeight(buttonHeight + shadowRoom);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SaveRecordButton::setFeedback(Feedback feedback) {
    if (feedback == m_feedback)
        return;
    m_feedback = feedback;
    setSymbolName(symbolFor(feedback));
    setTitle(titleFor(feedback));
}

QSize SaveRecordButton::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    return QSize(symbolSize + symbolToTitle + metrics.horizontalAdvance(title()) + 32,
                 buttonHeight + shadowRoom);
}

QSize SaveRecordButton::minimumSizeHint() const {
    return sizeHint();
}

void SaveRecordButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill;
    switch (m_feedback) {
    case Feedback::none:
        fill = ViewStyle::color(PaletteColor::accentGreen);
        break;
    case Feedback::saved:
        fill = ViewStyle::color(PaletteColor::controlFill);
        break;
    case Feedback::failed:
        fill = ViewStyle::failureRed();
        break;
    }
    // Pressed darkens by 8 %, hovering fades in half of that.
    if (isDown())
        fill = fill.darker(108);
    else if (hoverProgress() > 0)
        fill = fill.darker(100 + qRound(4 * hoverProgress()));
    const QRectF button(0, 0, width(), buttonHeight);
    ViewStyle::fillRoundedWithShadow(painter, button, 8, fill, 0.06, 3, 1);

    const QColor foreground = ViewStyle::color(PaletteColor::textPrimary);
    const QFont font = titleFont();
    const QFontMetrics metrics(font);
    const QString shownTitle = title();
    const int contentWidth = symbolSize + symbolToTitle + metrics.horizontalAdvance(shownTitle);
    const int left = (width() - contentWidth) / 2;
    const int centreY = qRound(button.center().y());
    painter.drawPixmap(
        QRect(left, centreY - symbolSize / 2, symbolSize, symbolSize),
        ViewStyle::symbol(symbolName(), foreground, symbolSize, devicePixelRatioF()));
    painter.setFont(font);
    painter.setPen(foreground);
    painter.drawText(QRect(left + symbolSize + symbolToTitle, 0,
                           metrics.horizontalAdvance(shownTitle) + 2, qRound(button.height())),
                     Qt::AlignLeft | Qt::AlignVCenter, shownTitle);
    paintFocusRing(painter, button.adjusted(0.75, 0.75, -0.75, -0.75), 8);
}
