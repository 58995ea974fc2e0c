#include "CalendarView.h"
#include "ui/look/ViewStyle.h"

#include "CalendarDayCell.h"
#include "ElidedLabel.h"
#include "EmptyDaySlot.h"
#include "NavArrowButton.h"
#include "PanelBar.h"
#include "PanelStyle.h"
#include "SeparatorLine.h"
#include "TodayButtonStyle.h"
#include "ui/look/Palette.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace {

constexpr int headerHeight = 52;
constexpr int headerPadding = 16;
constexpr int weekdayPadding = 8;
constexpr int columns = 5;

} // namespace

CalendarView::CalendarView(RecordsByDay ipos, QDateTime selectedMonth, QStringList dayLabels,
                           Clock clock, QWidget *parent)
    : QWidget(parent)
    , m_ipos(std::move(ipos))
    , m_selectedMonth(std::move(selectedMonth))
    , m_dayLabels(std::move(dayLabels))
    , m_clock(std::move(clock)) {
    setObjectName(QStringLiteral("calendarView"));

    auto *header = new PanelBar(headerHeight, false, this);
    m_title = new ElidedLabel({}, header);
    m_title->setObjectName(QStringLiteral("monthTitle"));
    m_title->setTextFont(ViewStyle::font(14, QFont::Bold, -0.4));
    m_previous = new NavArrowButton(
        QStringLiteral("chevron.left"), [this] { showPreviousMonth(); }, header);
    m_previous->setObjectName(QStringLiteral("previousMonthButton"));
    m_today = new TodayButtonStyle(tr("Today", "calendar button: back to this month"), header);
    m_today->setObjectName(QStringLiteral("todayButton"));
    connect(m_today, &QAbstractButton::clicked, this, &CalendarView::showToday);
    m_next = new NavArrowButton(
        QStringLiteral("chevron.right"), [this] { showNextMonth(); }, header);
    m_next->setObjectName(QStringLiteral("nextMonthButton"));

    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(headerPadding, 0, headerPadding, 0);
    headerRow->setSpacing(4);
    headerRow->addWidget(m_title, 1);
    headerRow->addWidget(m_previous);
    headerRow->addWidget(m_today);
    headerRow->addWidget(m_next);

    m_weekdays = new QWidget(this);
    auto *weekdayRow = new QHBoxLayout(m_weekdays);
    weekdayRow->setContentsMargins(0, weekdayPadding, 0, weekdayPadding);
    weekdayRow->setSpacing(0);
    for (const QString &label : std::as_const(m_dayLabels)) {
        auto *heading = new ElidedLabel(label, m_weekdays);
        heading->setObjectName(QStringLiteral("weekdayLabel"));
        heading->setTextFont(ViewStyle::font(10, QFont::DemiBold, 0.5));
        heading->setAlignment(Qt::AlignCenter);
        heading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        weekdayRow->addWidget(heading, 1);
        m_weekdayLabels.append(heading);
    }

    m_grid = new QWidget(this);
    m_gridLayout = new QGridLayout(m_grid);
    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_gridLayout->setSpacing(0);
    for (int column = 0; column < columns; ++column)
        m_gridLayout->setColumnStretch(column, 1);

    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(header);
    stack->addWidget(new SeparatorLine(this));
    stack->addWidget(m_weekdays);
    stack->addWidget(new SeparatorLine(this));
    stack->addWidget(m_grid);

    rebuild();
}

void CalendarView::setIpos(RecordsByDay ipos) {
    m_ipos = std::move(ipos);
    rebuildGrid();
}

void CalendarView::setSelectedMonth(const QDateTime &month) {
    if (!month.isValid() || month == m_selectedMonth)
        return;
    m_selectedMonth = month;
    m_title->setText(monthTitle(m_selectedMonth, QLocale()));
    rebuildGrid();
    emit selectedMonthChanged(m_selectedMonth);
}

QString CalendarView::title() const {
    return m_title->text();
}

QList<CalendarDayCell *> CalendarView::dayCells() const {
    return m_grid->findChildren<CalendarDayCell *>(Qt::FindDirectChildrenOnly);
}

void CalendarView::showPreviousMonth() {
    setSelectedMonth(addingMonths(m_selectedMonth, -1));
}

void CalendarView::showNextMonth() {
    setSelectedMonth(addingMonths(m_selectedMonth, 1));
}

void CalendarView::showToday() {
    setSelectedMonth(marketCalendar().startOfDay(m_clock()));
}

void CalendarView::rebuild() {
    m_title->setText(monthTitle(m_selectedMonth, QLocale()));
    applyHeaderColors();
    rebuildGrid();
}

void CalendarView::applyHeaderColors() {
    m_title->setTextColor(ViewStyle::tone(PaletteColor::textPrimary));
    const ViewStyle::ColorSource heading = [] {
        return PanelStyle::withOpacity(ViewStyle::color(PaletteColor::textSecondary), 0.7);
    };
    for (ElidedLabel *label : std::as_const(m_weekdayLabels))
        label->setTextColor(heading);
    update();
}

void CalendarView::rebuildGrid() {
    // Thirty widgets at most; building them afresh keeps every cell a plain function of the
    // records, the month and the clock.
    while (QLayoutItem *item = m_gridLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QDateTime now = m_clock();
    const QList<WeekRow> rows = weekRows(m_selectedMonth);
    int gridHeight = 0;
    for (int row = 0; row < rows.size(); ++row) {
        const WeekRow &week = rows.at(row);
        const int height = rowHeight(week, m_ipos);
        gridHeight += height;
        for (int column = 0; column < week.size() && column < columns; ++column) {
            const std::optional<QDateTime> &day = week.at(column);
            QWidget *slot =
                day ? static_cast<QWidget *>(new CalendarDayCell(*day, recordsOn(*day, m_ipos),
                                                                 isMarketToday(*day, now), m_grid))
                    : new EmptyDaySlot(m_grid);
            slot->setFixedHeight(height);
            m_gridLayout->addWidget(slot, row, column);
        }
    }
    m_rowCount = static_cast<int>(rows.size());
    // Fixed heights all the way up, so the panel around can size itself to the month shown.
    m_grid->setFixedHeight(gridHeight);
    setFixedHeight(headerHeight + 1 + m_weekdays->sizeHint().height() + 1 + gridHeight);
}
