#pragma once

#include "ui/main_window/SettingsSheetPresenting.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>

class MainWindowView;
class QVBoxLayout;
class TaskbarPresence;
class WindowPlaceFile;

// The window "main": the IPO table and its detail panel, titled "ORVEL". It opens at 860 × 600,
// centred, the first time, and afterwards where the user left it (kept on a visible screen).
// Its content is built at each opening and dropped when it closes, so every opening starts
// with a fresh view; closing only hides the window, the tray keeps the application reachable.
// It presents the settings sheet over itself.
class MainWindow : public QWidget, public SettingsSheetPresenting {
    Q_OBJECT
public:
    using ContentFactory = std::function<MainWindowView *(MainWindow &)>;
    // Builds the settings content inside the given sheet; the content closes the sheet itself.
    using SettingsFactory = std::function<QWidget *(QDialog &sheet)>;

    static constexpr int defaultWidth = 860;
    static constexpr int defaultHeight = 600;

    // `placeFile` keeps the window's place between runs; it may be null and must outlive the
    // window.
    MainWindow(ContentFactory makeContent, SettingsFactory settings, TaskbarPresence &taskbar,
               WindowPlaceFile *placeFile = nullptr, QWidget *parent = nullptr);

    // The content of the open window; nullptr while the window is closed.
    MainWindowView *content() const { return m_content; }
    QDialog *settingsSheet() const { return m_sheet; }

    // Opens the window with fresh content, or brings the open one forward.
    void open();
    void presentSettingsSheet() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void placeBeforeShowing();
    void rememberPlace();
    void dropContent();

    ContentFactory m_makeContent;
    SettingsFactory m_settingsFactory;
    TaskbarPresence &m_taskbar;
    WindowPlaceFile *m_placeFile;
    QVBoxLayout *m_layout;
    MainWindowView *m_content = nullptr;
    QPointer<QDialog> m_sheet;
    bool m_placed = false;
    bool m_maximizeWhenShown = false;
};
