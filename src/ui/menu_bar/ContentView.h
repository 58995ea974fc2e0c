#pragma once

#include "model/Clock.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <functional>

class AppSettings;
class CalendarView;
class ElidedLabel;
class FooterButton;
class IPORepository;
class MainWindowOpening;
class ORVELLink;

// The menu-bar panel, 700 points wide: the capital and how much of it is tied up (or the title
// when no capital is set) with the exchange link; the month calendar; today's events with
// "Quit" and "Open App". Every figure is computed from the repository's records, the settings
// and the clock whenever any of them changes. The shell puts this widget into its tray window;
// each time that window is shown or activated the panel asks the repository for a refresh.
class ContentView : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 700;
    static constexpr int headerHeight = 44;
    static constexpr int footerHeight = 38;

    using QuitApplication = std::function<void()>;

    // `mainWindowOpening` may be null until the shell has a main window; "Open App" then only
    // closes the panel. `quitApplication` defaults to QCoreApplication::quit.
    ContentView(IPORepository &repository, AppSettings &settings, Clock clock,
                MainWindowOpening *mainWindowOpening, QuitApplication quitApplication = {},
                QWidget *parent = nullptr);

    void setMainWindowOpening(MainWindowOpening *mainWindowOpening);

    // The month the calendar shows (any instant in it); starts at the current instant.
    const QDateTime &selectedMonth() const { return m_selectedMonth; }
    void setSelectedMonth(const QDateTime &month);

    CalendarView *calendarView() const { return m_calendar; }

public slots:
    // "Open App": the main window first, then the panel closes.
    void openApp();
    // "Quit": ends the application at once.
    void quitApplication();
    // Recomputes every figure from the current records, settings, clock and appearance.
    void refreshFigures();

signals:
    // The panel wants its drop-down window closed; it has already hidden that window.
    void dismissRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void watchWindow();
    void requestRefresh();
    void recordsChanged();
    void updateHeader();
    void updateYearResult();
    void updateFooter();
    void updateHeight();

    IPORepository &m_repository;
    AppSettings &m_settings;
    Clock m_clock;
    MainWindowOpening *m_mainWindowOpening;
    QuitApplication m_quitApplication;
    QDateTime m_selectedMonth;
    QPointer<QWidget> m_watchedWindow;

    QWidget *m_capitalGroup;
    ElidedLabel *m_capital;
    ElidedLabel *m_usage;
    ElidedLabel *m_fees;
    ElidedLabel *m_appTitle;
    ElidedLabel *m_yearResult;
    ORVELLink *m_link;
    CalendarView *m_calendar;
    ElidedLabel *m_noEvents;
    QList<ElidedLabel *> m_eventLabels;
    FooterButton *m_quit;
    FooterButton *m_openApp;
};
