#include "ContentView.h"
#include "ui/look/ViewStyle.h"

#include "CalendarView.h"
#include "ElidedLabel.h"
#include "FooterButton.h"
#include "MainWindowOpening.h"
#include "ORVELLink.h"
#include "PanelBar.h"
#include "PanelFigures.h"
#include "PanelStyle.h"
#include "SeparatorLine.h"
#include "model/YearFigures.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "ui/look/AppearanceMonitor.h"
#include "ui/look/Palette.h"
#include "ui/main_window/YearResultsText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int barPadding = 16;
// Today's events are at most the opening line and the grey-market line.
constexpr int maximumEvents = 2;

// Made at each build of the panel, so they are always in the language in use.
QStringList weekdayLabels() {
    return {ContentView::tr("一", "calendar heading: Monday, one letter"),
            ContentView::tr("二", "calendar heading: Tuesday, one letter"),
            ContentView::tr("三", "calendar heading: Wednesday, one letter"),
            ContentView::tr("四", "calendar heading: Thursday, one letter"),
            ContentView::tr("五", "calendar heading: Friday, one letter")};
}

ElidedLabel *makeLabel(const QString &objectName, const QFont &font, QWidget *parent) {
    auto *label = new ElidedLabel({}, parent);
    label->setObjectName(objectName);
    label->setTextFont(font);
    return label;
}

} // namespace

ContentView::ContentView(IPORepository &repository, AppSettings &settings, Clock clock,
                         MainWindowOpening *mainWindowOpening, QuitApplication quitApplication,
                         QWidget *parent)
    : QWidget(parent)
    , m_repository(repository)
    , m_settings(settings)
    , m_clock(std::move(clock))
    , m_mainWindowOpening(mainWindowOpening)
    , m_quitApplication(std::move(quitApplication))
    , m_selectedMonth(m_clock()) {
    setObjectName(QStringLiteral("menuBarPanel"));
    setFixedWidth(panelWidth);

    // Header: capital and usage (or the title), then the exchange link at the trailing end.
    auto *header = new PanelBar(headerHeight, true, this);
    m_capitalGroup = new QWidget(header);
    m_capital = makeLabel(QStringLiteral("capitalLabel"),
                          ViewStyle::monospacedFont(14, QFont::Bold), m_capitalGroup);
    m_usage =
        makeLabel(QStringLiteral("usageLabel"), ViewStyle::font(12, QFont::Medium), m_capitalGroup);
    m_fees = makeLabel(QStringLiteral("monthlyFeesLabel"), ViewStyle::font(12), m_capitalGroup);
    auto *capitalRow = new QHBoxLayout;
    capitalRow->setSpacing(4);
    capitalRow->addWidget(m_capital);
    capitalRow->addWidget(m_usage);
    auto *capitalGroupRow = new QHBoxLayout(m_capitalGroup);
    capitalGroupRow->setContentsMargins(0, 0, 0, 0);
    capitalGroupRow->setSpacing(8);
    capitalGroupRow->addLayout(capitalRow);
    capitalGroupRow->addWidget(m_fees);
    m_appTitle =
        makeLabel(QStringLiteral("titleLabel"), ViewStyle::font(12, QFont::Bold, 0.5), header);
    m_appTitle->setText(QStringLiteral("ORVEL"));
    m_yearResult =
        makeLabel(QStringLiteral("yearResultLabel"), ViewStyle::font(12, QFont::Medium), header);
    m_link = new ORVELLink(hkexURL(), header);
    auto *headerRow = new QHBoxLayout(header);
    // The bottom line belongs to the bar's 44 points; keep the row centred above it.
    headerRow->setContentsMargins(barPadding, 0, barPadding, 1);
    headerRow->setSpacing(8);
    headerRow->addWidget(m_capitalGroup);
    headerRow->addWidget(m_appTitle);
    headerRow->addSpacing(8);
    headerRow->addWidget(m_yearResult);
    headerRow->addStretch(1);
    headerRow->addWidget(m_link);

    m_calendar = new CalendarView(recordsByDay(m_repository.records()), m_selectedMonth,
                                  weekdayLabels(), m_clock, this);
    connect(m_calendar, &CalendarView::selectedMonthChanged, this, [this](const QDateTime &month) {
        m_selectedMonth = month;
        updateHeader();
        updateHeight();
    });

    // Footer: today's events (or the placeholder), then the two actions.
    auto *footer = new PanelBar(footerHeight, false, this);
    auto *events = new QHBoxLayout;
    events->setSpacing(8);
    m_noEvents =
        makeLabel(QStringLiteral("noEventsLabel"), ViewStyle::font(10, QFont::Medium), footer);
    m_noEvents->setText(noEventsText());
    events->addWidget(m_noEvents);
    for (int i = 0; i < maximumEvents; ++i) {
        auto *label = makeLabel(QStringLiteral("todayEventLabel"),
                                ViewStyle::font(10, QFont::Medium), footer);
        events->addWidget(label);
        m_eventLabels.append(label);
    }
    m_quit = new FooterButton(
        tr("Quit", "panel button: ends ORVEL"), QStringLiteral("power"),
        [this] { this->quitApplication(); }, footer);
    m_quit->setObjectName(QStringLiteral("quitButton"));
    m_openApp = new FooterButton(
        tr("Open App", "panel button: opens the main window"),
        QStringLiteral("arrow.up.forward.app"), [this] { openApp(); }, footer);
    m_openApp->setObjectName(QStringLiteral("openAppButton"));
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(m_quit);
    buttons->addWidget(m_openApp);
    auto *footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(barPadding, 0, barPadding, 0);
    footerRow->setSpacing(8);
    footerRow->addLayout(events);
    footerRow->addStretch(1);
    footerRow->addLayout(buttons);

    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(header);
    stack->addWidget(m_calendar);
    stack->addWidget(new SeparatorLine(this));
    stack->addWidget(footer);

    connect(&m_repository, &IPORepository::recordsChanged, this, &ContentView::recordsChanged);
    connect(&m_repository, &IPORepository::ledgerChanged, this, &ContentView::updateYearResult);
    connect(&m_settings, &AppSettings::brokerChargesChanged, this, &ContentView::updateYearResult);
    connect(&m_settings, &AppSettings::gainColourChanged, this, &ContentView::updateYearResult);
    connect(&m_settings, &AppSettings::capitalAmountChanged, this, &ContentView::updateHeader);

    watchWindow();
    refreshFigures();
}

void ContentView::setMainWindowOpening(MainWindowOpening *mainWindowOpening) {
    m_mainWindowOpening = mainWindowOpening;
}

void ContentView::setSelectedMonth(const QDateTime &month) {
    // The calendar reports the change back, which updates the fees and the height.
    m_calendar->setSelectedMonth(month);
}

void ContentView::openApp() {
    if (m_mainWindowOpening)
        m_mainWindowOpening->openMainWindow();
    emit dismissRequested();
    window()->hide();
}

void ContentView::quitApplication() {
    if (m_quitApplication)
        m_quitApplication();
    else
        QCoreApplication::quit();
}

void ContentView::refreshFigures() {
    // The day may have turned since the grid was built: today's cell moves with the clock.
    m_calendar->setIpos(recordsByDay(m_repository.records()));
    updateHeader();
    updateYearResult();
    updateFooter();
    updateHeight();
    update();
}

bool ContentView::event(QEvent *event) {
    // The panel may reach its window through containers that are reparented later; children
    // are shown before their window, so looking again here catches the window's own Show.
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        watchWindow();
    return QWidget::event(event);
}

bool ContentView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_watchedWindow) {
        if (event->type() == QEvent::Show) {
            refreshFigures();
            requestRefresh();
        } else if (event->type() == QEvent::WindowActivate) {
            requestRefresh();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ContentView::paintEvent(QPaintEvent *) {
    QPainter(this).fillRect(rect(), ViewStyle::color(PaletteColor::panelBackground));
}

void ContentView::watchWindow() {
    QWidget *current = window();
    if (current == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = current;
    m_watchedWindow->installEventFilter(this);
}

void ContentView::requestRefresh() {
    // Fire and forget: the repository decides by its time-to-live whether to fetch, joins a run
    // in flight, and publishes through recordsChanged. Nothing here runs after the await, so
    // the panel closing meanwhile cannot matter.
    [[maybe_unused]] auto refresh = m_repository.refreshIfNeeded();
}

void ContentView::recordsChanged() {
    m_calendar->setIpos(recordsByDay(m_repository.records()));
    updateHeader();
    updateFooter();
    updateHeight();
}

void ContentView::updateHeader() {
    const double capital = m_settings.capitalAmount();
    const bool hasCapital = capital > 0;
    m_capitalGroup->setVisible(hasCapital);
    m_appTitle->setVisible(!hasCapital);
    m_appTitle->setTextColor(ViewStyle::tone(PaletteColor::textPrimary));
    if (hasCapital) {
        const QList<IPORecord> &records = m_repository.records();
        const int percent = capitalUsagePercent(capital, capitalInUse(records, m_clock()));
        m_capital->setText(capitalText(capital));
        m_capital->setTextColor(ViewStyle::tone(PaletteColor::textPrimary));
        m_usage->setText(usageText(percent));
        m_usage->setTextColor(
            [percent] { return usagePercentColor(percent, AppearanceMonitor::shared().isDark()); });
        const double fees = monthlyMarginFees(records, m_selectedMonth);
        m_fees->setVisible(fees > 0);
        m_fees->setText(monthlyFeesText(fees));
        m_fees->setTextColor(ViewStyle::tone(PaletteColor::textSecondary));
    }
}

void ContentView::updateYearResult() {
    // This year's result beside the capital: what applying has earned so far. The ledger is made
    // anew for it, so only a change of the ledger or of how results are reckoned redoes it.
    const int year = marketCalendar().dayOf(m_clock()).year();
    const YearFigures figures =
        YearFigures::of(m_repository.ledgerRecords(), year, m_settings.brokerCharges());
    m_yearResult->setVisible(!figures.ipos.isEmpty());
    //: the panel's header: %1 this year's result so far, signed, with "HK$"
    m_yearResult->setText(tr("今年收益 %1").arg(YearResultsText::signedMoney(figures.resultCents)));
    const qint64 cents = figures.resultCents;
    const bool redUp = m_settings.gainColour() == GainColour::redUp;
    m_yearResult->setTextColor([cents, redUp] {
        return ViewStyle::resultColor(cents, redUp, PaletteColor::textSecondary);
    });
}

void ContentView::updateFooter() {
    const QList<TodayEvent> events = todayEvents(m_repository.records(), m_clock());
    m_noEvents->setVisible(events.isEmpty());
    m_noEvents->setTextColor(ViewStyle::tone(PaletteColor::textSecondary));
    for (int i = 0; i < m_eventLabels.size(); ++i) {
        ElidedLabel *label = m_eventLabels.at(i);
        const bool shown = i < events.size();
        label->setVisible(shown);
        if (shown) {
            label->setText(events.at(i).text);
            label->setTextColor(ViewStyle::tone(events.at(i).color));
        }
    }
}

void ContentView::updateHeight() {
    setFixedHeight(headerHeight + m_calendar->minimumHeight() + 1 + footerHeight);
}
