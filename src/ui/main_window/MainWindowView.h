#pragma once

#include "TableRowBand.h"
#include "TimeFilter.h"
#include "model/Clock.h"
#include "model/IPORecord.h"
#include "model/MarketCalendar.h"

#include <QCoroTask>
#include <QDialog>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <optional>

class AppSettings;
class DetailPanelSlot;
class IPORepository;
class MainTableList;
class MainTableModel;
class QSplitter;
class QTimer;
class RecordDetailPanel;
class SegmentedControl;
class SettingsSheetPresenting;
class StatusCapsule;
class TableSearchField;
class ToolbarRefreshButton;
class ToolbarActionButton;
class ToolbarSettingsButton;

// The content of the main window: a toolbar (time filter, refresh, settings), the IPO table
// and, while an IPO is selected, its detail panel. It holds only view state; the records come
// from the repository and every change to stored data goes back through it. The window frame
// around it belongs to the application shell.
//
// Refreshes follow the content's own window: the first time the content is shown it refreshes
// when nothing was ever fetched, every time it is shown and whenever its window becomes active
// it asks for a refresh that the repository's freshness gate may skip; the toolbar's refresh
// button always refreshes and reports the outcome in the status capsule. The refreshes of a
// showing start once its first frame is painted (at the latest `showRefreshLatestMs` after
// it): setting up TLS must not hold back the window, which has nothing to list before the
// answer anyway.
class MainWindowView : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumContentWidth = 900;
    static constexpr int minimumContentHeight = 520;
    static constexpr int minimumTableWidth = 700;
    static constexpr int toolbarHeight = 52;
    static constexpr int timeFilterWidth = 280;
    // How long the status of a manual refresh stays.
    static constexpr int syncStatusMs = 3000;
    // When a shown view that was never painted (its window not exposed) refreshes anyway.
    static constexpr int showRefreshLatestMs = 1000;

    // `settingsSheet` may be null (no settings sheet to present yet); it must outlive the view.
    // `settings` gives the broker's charges and the colour of gains (none: the defaults).
    MainWindowView(IPORepository &repository, Clock clock, SettingsSheetPresenting *settingsSheet,
                   const AppSettings *settings = nullptr, QWidget *parent = nullptr);
    ~MainWindowView() override;

    TimeFilter timeFilter() const { return m_timeFilter; }
    const std::optional<QString> &selectedCode() const { return m_selectedCode; }
    // The listed record of the selected code; nothing while that IPO is filtered out.
    std::optional<IPORecord> selectedRecord() const;
    // The records listed at the last evaluation, in table order, and their bands.
    const QList<IPORecord> &filteredRecords() const { return m_filteredRecords; }
    const QHash<QString, TableRowBand> &rowBands() const { return m_rowBands; }
    const std::optional<QString> &syncStatus() const { return m_syncStatus; }
    // When the shown view looks at the clock again by itself; nothing while hidden.
    std::optional<QDateTime> nextEvaluation() const;
    bool syncStatusIsError() const { return m_syncStatusIsError; }

    MainTableModel &tableModel() const { return *m_model; }
    MainTableList *tableList() const { return m_list; }
    SegmentedControl *timeFilterControl() const { return m_timeFilterControl; }
    ToolbarRefreshButton *refreshButton() const { return m_refreshButton; }
    ToolbarSettingsButton *settingsButton() const { return m_settingsButton; }
    ToolbarActionButton *resultsButton() const { return m_resultsButton; }
    // The open year sheet, if any.
    QDialog *resultsSheet() const { return m_resultsSheet; }
    StatusCapsule *statusCapsule() const { return m_statusCapsule; }
    TableSearchField *searchField() const { return m_searchField; }
    DetailPanelSlot *detailPanelSlot() const { return m_panelSlot; }
    // What the search field narrows the table to; empty for every row.
    const QString &searchText() const { return m_searchText; }
    // The panel of the selected record; nullptr while none shows (also while one moves out).
    RecordDetailPanel *detailPanel() const;

public slots:
    void setTimeFilter(TimeFilter filter);
    // A click on the row of `code`: selects it, or deselects it when it is the selected one.
    void toggleSelection(const QString &code);
    // What the toolbar's refresh button does.
    void refreshManually();
    // What the toolbar's settings button does.
    void presentSettings();
    // The toolbar's results button: the year sheet over the window, on this year.
    void presentResults();
    // Selects `code` in the table, showing every time range when the current one hides it.
    void showRecord(const QString &code);
    // Re-reads the clock and the repository's records and brings the table and panel in line.
    void reevaluate();
    void setSearchText(const QString &text);
    // Selects the IPO of `code` (when it is not already) and puts the keyboard in its panel.
    void focusDetailPanel(const QString &code);
    // The row menu of `code` at `globalPosition`; the row becomes the selected one.
    void openRowMenu(const QString &code, const QPoint &globalPosition);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeToolbar();
    QWidget *makeTablePane();
    void setSelectedCode(const std::optional<QString> &code);
    void updateDetailPanel();
    bool saveRecord(const IPORecord &record);
    bool clearRecord(const QString &code);
    void showSyncStatus(const QString &text, bool isError);
    void clearSyncStatus();
    void openProspectus(const QUrl &url);
    void refreshForShowing();
    QCoro::Task<> runManualRefresh();

    IPORepository &m_repository;
    Clock m_clock;
    SettingsSheetPresenting *m_settingsSheet;
    const AppSettings *m_settings;
    // The window's own copy of the market calendar: weeks start on Sunday.
    const MarketCalendar m_calendar;

    TimeFilter m_timeFilter = TimeFilter::thisWeek;
    std::optional<QString> m_selectedCode;
    QString m_searchText;
    std::optional<QString> m_syncStatus;
    bool m_syncStatusIsError = false;
    QList<IPORecord> m_filteredRecords;
    QHash<QString, TableRowBand> m_rowBands;
    bool m_hasAppeared = false;
    // Whether the window was active when last seen; unknown until the content is first shown.
    std::optional<bool> m_windowActive;

    MainTableModel *m_model;
    SegmentedControl *m_timeFilterControl = nullptr;
    TableSearchField *m_searchField = nullptr;
    ToolbarRefreshButton *m_refreshButton = nullptr;
    ToolbarSettingsButton *m_settingsButton = nullptr;
    ToolbarActionButton *m_resultsButton = nullptr;
    QPointer<QDialog> m_resultsSheet;
    QWidget *m_content = nullptr;
    QSplitter *m_splitter = nullptr;
    MainTableList *m_list = nullptr;
    DetailPanelSlot *m_panelSlot = nullptr;
    StatusCapsule *m_statusCapsule = nullptr;
    QTimer *m_clockTick = nullptr;
    // Armed by a showing, fired by its first paint (or showRefreshLatestMs after it).
    QTimer *m_showRefresh = nullptr;
    QDateTime m_nextEvaluation;
};
