#include "CalendarDayCell.h"
#include "ui/look/ViewStyle.h"

#include "IPOTag.h"
#include "PanelStyle.h"
#include "model/MarketCalendar.h"
#include "ui/look/Palette.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int padding = 6;
constexpr int spacing = 5;
constexpr int numberBox = 22;

} // namespace

CalendarDayCell::CalendarDayCell(const QDateTime &date, const QList<IPORecord> &ipos, bool isToday,
                                 QWidget *parent)
    : QWidget(parent)
    , m_date(date)
    , m_isToday(isToday) {
    setObjectName(QStringLiteral("calendarDayCell"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // The day number is painted into the top margin; the tags stack below it.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding + numberBox + spacing, padding, padding);
    column->setSpacing(spacing);
    for (const IPORecord &record : ipos)
        column->addWidget(new IPOTag(record, this), 0, Qt::AlignLeft | Qt::AlignTop);
    column->addStretch(1);
}

int CalendarDayCell::dayNumber() const {
    return marketCalendar().dayOf(m_date).day();
}

QList<IPOTag *> CalendarDayCell::tags() const {
    return findChildren<IPOTag *>(Qt::FindDirectChildrenOnly);
}

void CalendarDayCell::paintOutline(QPainter &painter, const QRect &rect) {
    constexpr qreal width = 0.5;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ViewStyle::color(PaletteColor::borderColor), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect).adjusted(width / 2, width / 2, -width / 2, -width / 2));
    painter.restore();
}

void CalendarDayCell::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor amber = ViewStyle::color(PaletteColor::accentAmber);
    if (m_isToday)
        painter.fillRect(rect(), PanelStyle::withOpacity(amber, 0.12));
    paintOutline(painter, rect());

    const QRectF box(padding, padding, numberBox, numberBox);
    if (m_isToday) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(amber);
        painter.drawEllipse(box);
        painter.setFont(ViewStyle::font(11, QFont::Bold));
        painter.setPen(Qt::white);
    } else {
        painter.setFont(ViewStyle::font(11));
        painter.setPen(ViewStyle::color(PaletteColor::textPrimary));
    }
    painter.drawText(box, Qt::AlignCenter, QString::number(dayNumber()));
}
