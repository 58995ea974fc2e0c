#include "MainWindow.h"

#include "TaskbarPresence.h"
#include "ui/main_window/MainWindowView.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

MainWindow::MainWindow(std::function<MainWindowView *(MainWindow &)> makeContent,
                       SettingsFactory settings, TaskbarPresence &taskbar, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_settingsFactory(std::move(settings))
    , m_taskbar(taskbar) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("TARNO"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_content = makeContent(*this);
    layout->addWidget(m_content);
    resize(defaultWidth, defaultHeight);
    m_taskbar.setWindow(this);
}

void MainWindow::open() {
    if (!m_placed) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        m_placed = true;
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::showEvent(QShowEvent *event) {
    m_taskbar.applyBeforeMapping();
    QWidget::showEvent(event);
}

void MainWindow::presentSettingsSheet() {
    if (m_sheet) {
        m_sheet->raise();
        m_sheet->activateWindow();
        return;
    }
    if (!m_settingsFactory)
        return;
    auto *sheet = new QDialog(this, Qt::Sheet | Qt::FramelessWindowHint);
    sheet->setObjectName(QStringLiteral("settingsSheet"));
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_settingsFactory(*sheet));
    sheet->adjustSize();
    // Over the middle of the main window, like a sheet that slid out of its title bar.
    QRect frame(QPoint(), sheet->size());
    frame.moveCenter(geometry().center());
    frame.moveTop(geometry().top() + 24);
    sheet->move(frame.topLeft());
    m_sheet = sheet;
    sheet->open();
}
