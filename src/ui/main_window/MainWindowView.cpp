#include "MainWindowView.h"

#include "DetailPanelSlot.h"
#include "MainTableList.h"
#include "MainTableModel.h"
#include "MainWindowKeys.h"
#include "PaletteRule.h"
#include "QuantityField.h"
#include "RecordDetailPanel.h"
#include "RecordSearch.h"
#include "RecordSorting.h"
#include "ResultsView.h"
#include "RowBanding.h"
#include "SaveRecordButton.h"
#include "SegmentedControl.h"
#include "SettingsSheetPresenting.h"
#include "StatusCapsule.h"
#include "TableHeaderBar.h"
#include "TableRowMenu.h"
#include "TableSearchField.h"
#include "TableSelection.h"
#include "TimeFiltering.h"
#include "ToolbarActionButton.h"
#include "ToolbarRefreshButton.h"
#include "ToolbarSettingsButton.h"
#include "model/WebAddress.h"
#include "reminders/WallClockMonitor.h"
#include "repository/IPORepository.h"
#include "settings/AppSettings.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QShowEvent>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

namespace {

constexpr int toolbarSideWidth = 96;

QStringList timeFilterLabels() {
    QStringList labels;
    for (TimeFilter filter : allTimeFilters)
        labels.append(rawValue(filter));
    return labels;
}

} // namespace

MainWindowView::MainWindowView(IPORepository &repository, Clock clock,
                               SettingsSheetPresenting *settingsSheet, const AppSettings *settings,
                               QWidget *parent)
    : QWidget(parent)
    , m_repository(repository)
    , m_clock(std::move(clock))
    , m_settingsSheet(settingsSheet)
    , m_settings(settings)
    , m_calendar(marketCalendar())
    , m_model(new MainTableModel(this)) {
    setObjectName(QStringLiteral("MainWindowView"));

    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("MainWindowContent"));
    // The minimum is set on parts of the layout rather than on the view itself, so that the
    // view's minimum follows its layout: it grows while the detail panel shows, and the window
    // around it grows with it instead of squeezing the table.
    m_content->setMinimumHeight(minimumContentHeight - toolbarHeight - 1);
    m_splitter = new QSplitter(Qt::Horizontal, m_content);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(1);
    AppLook::styleSplitter(m_splitter);
    m_splitter->addWidget(makeTablePane());
    m_panelSlot = new DetailPanelSlot(m_splitter);
    m_splitter->addWidget(m_panelSlot);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_panelSlot->hide();
    auto *contentLayout = new QHBoxLayout(m_content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(m_splitter);
    m_statusCapsule = new StatusCapsule(m_content);
    m_content->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeToolbar());
    layout->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, this));
    layout->addWidget(m_content, 1);

    connect(m_panelSlot, &DetailPanelSlot::emptied, this, [this] {
        if (!m_panelSlot->panel())
            m_panelSlot->hide();
    });
    connect(&m_repository, &IPORepository::recordsChanged, this, &MainWindowView::reevaluate);

    // Keeps the time filter honest while the window stays open across midnight or a week's
    // end: one shot for the next moment the filter can change, armed again by every evaluation.
    m_clockTick = new QTimer(this);
    m_clockTick->setSingleShot(true);
    m_clockTick->setTimerType(Qt::PreciseTimer);
    connect(m_clockTick, &QTimer::timeout, this, &MainWindowView::reevaluate);
    // The timer cannot see a resume from sleep or a clock that was set.
    connect(&WallClockMonitor::shared(), &WallClockMonitor::moved, this, [this] {
        if (m_clockTick->isActive())
            reevaluate();
    });

    m_showRefresh = new QTimer(this);
    m_showRefresh->setSingleShot(true);
    connect(m_showRefresh, &QTimer::timeout, this, &MainWindowView::refreshForShowing);

    new MainWindowKeys(*this);
    reevaluate();
}

MainWindowView::~MainWindowView() = default;

QWidget *MainWindowView::makeToolbar() {
    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("MainToolbar"));
    toolbar->setFixedHeight(toolbarHeight);
    toolbar->setMinimumWidth(minimumContentWidth);

    m_timeFilterControl = new SegmentedControl(timeFilterLabels(), toolbar);
    m_timeFilterControl->setObjectName(QStringLiteral("TimeFilterControl"));
    m_timeFilterControl->setAccessibleName(tr("时间范围"));
    m_timeFilterControl->setFixedWidth(timeFilterWidth);
    m_timeFilterControl->setCurrentIndex(static_cast<int>(m_timeFilter));
    connect(m_timeFilterControl, &SegmentedControl::activated, this,
            [this](int index) { setTimeFilter(allTimeFilters[static_cast<size_t>(index)]); });

    m_searchField = new TableSearchField(toolbar);
    connect(m_searchField, &QLineEdit::textChanged, this, &MainWindowView::setSearchText);
    connect(m_searchField, &TableSearchField::leaveRequested, this,
            [this] { m_list->setFocus(Qt::OtherFocusReason); });
    auto *leading = new QHBoxLayout;
    leading->setContentsMargins(12, 0, 0, 0);
    leading->addWidget(m_searchField);
    leading->addStretch(1);

    m_refreshButton = new ToolbarRefreshButton([this] { refreshManually(); }, toolbar);
    m_settingsButton = new ToolbarSettingsButton([this] { presentSettings(); }, toolbar);
    m_resultsButton = new ToolbarActionButton(
        QStringLiteral("chart.bar"), tr("收益"), [this] { presentResults(); }, toolbar);
    m_resultsButton->setObjectName(QStringLiteral("ToolbarResultsButton"));
    auto *trailing = new QHBoxLayout;
    trailing->setContentsMargins(0, 0, 12, 0);
    trailing->setSpacing(4);
    trailing->addStretch(1);
    trailing->addWidget(m_resultsButton);
    trailing->addWidget(m_refreshButton);
    trailing->addWidget(m_settingsButton);

    // Equal side columns keep the time filter in the middle of the whole bar.
    auto *grid = new QGridLayout(toolbar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setColumnMinimumWidth(0, toolbarSideWidth);
    grid->setColumnMinimumWidth(2, toolbarSideWidth);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->addLayout(leading, 0, 0);
    grid->addWidget(m_timeFilterControl, 0, 1, Qt::AlignCenter);
    grid->addLayout(trailing, 0, 2);
    return toolbar;
}

QWidget *MainWindowView::makeTablePane() {
    auto *pane = new QWidget;
    pane->setObjectName(QStringLiteral("TablePane"));
    pane->setMinimumWidth(minimumTableWidth);
    AppLook::setFill(pane, PaletteColor::cardBackground);
    auto *header = new TableHeaderBar(pane);
    m_list = new MainTableList(*m_model, pane);
    connect(m_list, &MainTableList::rowWidthChanged, header, &TableHeaderBar::setRowWidth);
    connect(m_list, &MainTableList::rowClicked, this, &MainWindowView::toggleSelection);
    connect(m_list, &MainTableList::prospectusClicked, this, &MainWindowView::openProspectus);
    connect(m_list, &MainTableList::selectionRequested, this, [this](const QString &code) {
        setSelectedCode(code.isEmpty() ? std::nullopt : std::optional(code));
    });
    connect(m_list, &MainTableList::enterPressed, this, &MainWindowView::focusDetailPanel);
    connect(m_list, &MainTableList::copyRequested, this, &TableRowMenu::copyToClipboard);
    connect(m_list, &MainTableList::menuRequested, this, &MainWindowView::openRowMenu);

    auto *stack = new QVBoxLayout(pane);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(header);
    stack->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, pane));
    stack->addWidget(m_list, 1);
    return pane;
}

std::optional<QDateTime> MainWindowView::nextEvaluation() const {
    if (!m_clockTick->isActive())
        return std::nullopt;
    return m_nextEvaluation;
}

std::optional<IPORecord> MainWindowView::selectedRecord() const {
    return TableSelection::selectedRecord(m_filteredRecords, m_selectedCode);
}

RecordDetailPanel *MainWindowView::detailPanel() const {
    return m_panelSlot->panel();
}

void MainWindowView::setTimeFilter(TimeFilter filter) {
    m_timeFilterControl->setCurrentIndex(static_cast<int>(filter));
    if (filter == m_timeFilter)
        return;
    m_timeFilter = filter;
    reevaluate();
}

void MainWindowView::toggleSelection(const QString &code) {
    setSelectedCode(TableSelection::toggled(m_selectedCode, code));
}

void MainWindowView::setSelectedCode(const std::optional<QString> &code) {
    if (code == m_selectedCode)
        return;
    m_selectedCode = code;
    m_model->setSelectedCode(code);
    m_list->showSelection(code);
    updateDetailPanel();
}

void MainWindowView::reevaluate() {
    const QDateTime now = m_clock();
    m_filteredRecords = RecordSorting::sorted(RecordSearch::matching(
        TimeFiltering::filtered(m_repository.records(), m_timeFilter, now, m_calendar),
        m_searchText));
    m_rowBands = RowBanding::bands(m_filteredRecords, m_calendar);
    m_model->setListed(m_filteredRecords, m_rowBands);
    m_model->setSelectedCode(m_selectedCode);
    m_list->showSelection(m_selectedCode);
    const bool noMatch = m_filteredRecords.isEmpty() && !m_searchText.trimmed().isEmpty();
    m_list->setEmptyText(noMatch ? tr("没有代码或名称包含“%1”的新股").arg(m_searchText.trimmed())
                                 : QString());
    updateDetailPanel();
    if (isVisible()) {
        m_nextEvaluation = TimeFiltering::nextChange(now, m_calendar);
        m_clockTick->start(
            std::chrono::milliseconds(std::max<qint64>(0, now.msecsTo(m_nextEvaluation))));
    }
}

void MainWindowView::updateDetailPanel() {
    const std::optional<IPORecord> record = selectedRecord();
    RecordDetailPanel *panel = m_panelSlot->panel();
    if (!record) {
        if (panel)
            m_panelSlot->dismiss();
        return;
    }
    if (panel) {
        panel->setRecord(*record);
        return;
    }
    panel = new RecordDetailPanel(
        *record, [this](const IPORecord &edited) { return saveRecord(edited); },
        [this](const QString &code) { return clearRecord(code); }, m_settings);
    MainWindowKeys::describeSaveKey(*panel->saveButton());
    const bool wasHidden = m_panelSlot->isHidden();
    m_panelSlot->show();
    if (wasHidden) {
        // The table gives up what the panel takes, down to its own minimum.
        const int total = m_splitter->width() - m_splitter->handleWidth();
        const int panelWidth = qBound(DetailPanelSlot::minimumPanelWidth, total - minimumTableWidth,
                                      DetailPanelSlot::maximumPanelWidth);
        m_splitter->setSizes({total - panelWidth, panelWidth});
    }
    m_panelSlot->present(panel);
}

void MainWindowView::setSearchText(const QString &text) {
    if (text == m_searchText)
        return;
    m_searchText = text;
    reevaluate();
}

void MainWindowView::focusDetailPanel(const QString &code) {
    setSelectedCode(code);
    if (RecordDetailPanel *panel = m_panelSlot->panel())
        panel->subscriptionField()->input()->setFocus(Qt::TabFocusReason);
}

void MainWindowView::openRowMenu(const QString &code, const QPoint &globalPosition) {
    setSelectedCode(code);
    const std::optional<IPORecord> record = selectedRecord();
    if (!record)
        return;
    auto *menu = new TableRowMenu(*record, [this] {
        if (RecordDetailPanel *panel = m_panelSlot->panel())
            panel->requestClear();
    });
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

bool MainWindowView::saveRecord(const IPORecord &record) {
    return m_repository.saveRecord(record);
}

bool MainWindowView::clearRecord(const QString &code) {
    const bool cleared = m_repository.clearRecord(code);
    // A refused clear keeps the panel open on the figures that are still stored.
    if (cleared)
        setSelectedCode(TableSelection::afterClearing(m_selectedCode, code));
    return cleared;
}

void MainWindowView::refreshManually() {
    // Repeated presses are not held back: the repository joins a run in flight.
    runManualRefresh();
}

QCoro::Task<> MainWindowView::runManualRefresh() {
    const QPointer<MainWindowView> self(this);
    const SyncStatusReport report = co_await m_repository.forceRefresh();
    if (!self || report.text.isEmpty())
        co_return;
    showSyncStatus(report.text, report.isError);
}

void MainWindowView::showSyncStatus(const QString &text, bool isError) {
    m_syncStatus = text;
    m_syncStatusIsError = isError;
    m_statusCapsule->present(text, isError);
    // Every report schedules its own clearing, which clears whatever shows by then.
    QTimer::singleShot(syncStatusMs, this, &MainWindowView::clearSyncStatus);
}

void MainWindowView::clearSyncStatus() {
    if (!m_syncStatus && !m_syncStatusIsError)
        return;
    m_syncStatus.reset();
    m_syncStatusIsError = false;
    m_statusCapsule->dismiss();
}

void MainWindowView::presentSettings() {
    if (m_settingsSheet)
        m_settingsSheet->presentSettingsSheet();
}

void MainWindowView::openProspectus(const QUrl &url) {
    if (WebAddress::isOpenable(url))
        QDesktopServices::openUrl(url);
}

void MainWindowView::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is not the content appearing again.
    if (event->spontaneous())
        return;
    reevaluate();
    // The keyboard starts in the table.
    m_list->setFocus(Qt::ActiveWindowFocusReason);
    // The paint that puts this showing on screen starts its refreshes; should it never come,
    // the timer does.
    m_showRefresh->start(showRefreshLatestMs);
    if (!m_windowActive)
        m_windowActive = isActiveWindow();
}

void MainWindowView::refreshForShowing() {
    m_showRefresh->stop();
    if (!m_hasAppeared) {
        m_hasAppeared = true;
        // Only while nothing was ever fetched; reports nothing.
        m_repository.refresh(IPORepository::RefreshWhen::neverSucceeded,
                             IPORepository::RefreshReport::none);
    }
    // Joins the run above when there is one; otherwise the freshness gate decides.
    m_repository.refreshIfNeeded();
}

void MainWindowView::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_clockTick->stop();
}

void MainWindowView::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !m_windowActive)
        return;
    const bool active = isActiveWindow();
    const bool becameActive = active && !*m_windowActive;
    m_windowActive = active;
    if (becameActive) {
        reevaluate();
        // A showing whose refreshes still wait for its first frame asks through the same gate.
        if (!m_showRefresh->isActive())
            m_repository.refreshIfNeeded();
    }
}

void MainWindowView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::canvasBackground));
    // Once this frame is out: queued behind whatever was posted while it was painted, so the
    // refresh starts after the paint is flushed and after anything waiting for that frame.
    if (m_showRefresh->isActive()) {
        m_showRefresh->stop();
        QMetaObject::invokeMethod(this, &MainWindowView::refreshForShowing, Qt::QueuedConnection);
    }
}

bool MainWindowView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_content && event->type() == QEvent::Resize)
        m_statusCapsule->setAnchor(QPoint(m_content->width() / 2, 0));
    return QWidget::eventFilter(watched, event);
}

void MainWindowView::presentResults() {
    if (m_resultsSheet) {
        m_resultsSheet->raise();
        m_resultsSheet->activateWindow();
        return;
    }
    const bool gainIsRed = !m_settings || m_settings->gainColour() == GainColour::redUp;
    auto *view = new ResultsView(m_repository.ledgerRecords(),
                                 m_settings ? m_settings->brokerCharges() : BrokerCharges{},
                                 gainIsRed, m_calendar.dayOf(m_clock()).year());
    auto *sheet = new QDialog(window(), Qt::Sheet | Qt::FramelessWindowHint);
    sheet->setObjectName(QStringLiteral("resultsSheet"));
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    connect(view, &ResultsView::dismissRequested, sheet, &QDialog::accept);
    connect(view, &ResultsView::ipoChosen, this, [this, sheet](const QString &code) {
        showRecord(code);
        sheet->accept();
    });
    sheet->adjustSize();
    // Over the middle of the window, like the settings sheet.
    const QRect frame = window()->geometry();
    sheet->move(frame.center().x() - sheet->width() / 2, frame.top() + 24);
    m_resultsSheet = sheet;
    sheet->open();
}

void MainWindowView::showRecord(const QString &code) {
    // Hidden by the time range or the search: every IPO is listed again first.
    if (m_model->rowOf(code) < 0) {
        m_searchField->clear();
        setTimeFilter(TimeFilter::all);
    }
    if (m_model->rowOf(code) >= 0)
        setSelectedCode(code);
}
