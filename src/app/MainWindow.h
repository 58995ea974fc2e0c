#pragma once

#include "ui/main_window/SettingsSheetPresenting.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>

class MainWindowView;
class TaskbarPresence;

// The window "main": the IPO table and its detail panel, titled "TARNO", 860 × 600 and
// centred when it first opens. Closing it only hides it; the tray keeps the application
// reachable. It presents the settings sheet over itself.
class MainWindow : public QWidget, public SettingsSheetPresenting {
    Q_OBJECT
public:
    // Builds the settings content inside the given sheet; the content closes the sheet itself.
    using SettingsFactory = std::function<QWidget *(QDialog &sheet)>;

    static constexpr int defaultWidth = 860;
    static constexpr int defaultHeight = 600;

    MainWindow(std::function<MainWindowView *(MainWindow &)> makeContent, SettingsFactory settings,
               TaskbarPresence &taskbar, QWidget *parent = nullptr);

    MainWindowView *content() const { return m_content; }
    QDialog *settingsSheet() const { return m_sheet; }

    // Opens the window (centred the first time) or brings it forward.
    void open();
    void presentSettingsSheet() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    MainWindowView *m_content = nullptr;
    SettingsFactory m_settingsFactory;
    TaskbarPresence &m_taskbar;
    QPointer<QDialog> m_sheet;
    bool m_placed = false;
};
