#include "MainWindow.h"

#include "TaskbarPresence.h"
#include "WindowPlaceFile.h"
#include "WindowPlacement.h"
#include "ui/main_window/MainWindowView.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// Wayland gives clients no say in where their windows go: only the size is theirs.
bool canPlaceWindows() {
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

} // namespace

MainWindow::MainWindow(ContentFactory makeContent, SettingsFactory settings,
                       TaskbarPresence &taskbar, WindowPlaceFile *placeFile, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_makeContent(std::move(makeContent))
    , m_settingsFactory(std::move(settings))
    , m_taskbar(taskbar)
    , m_placeFile(placeFile)
    , m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("ORVEL"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    resize(defaultWidth, defaultHeight);
    m_taskbar.setWindow(this);
    // The desktop's close key closes the window like its title bar does; the tray stays.
    auto *closeKey = new QShortcut(this);
    closeKey->setKeys(QKeySequence::keyBindings(QKeySequence::Close));
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::open() {
    if (!m_content) {
        m_content = m_makeContent(*this);
        m_layout->addWidget(m_content);
    }
    if (!isVisible())
        placeBeforeShowing();
    if (m_maximizeWhenShown) {
        m_maximizeWhenShown = false;
        showMaximized();
    } else if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::placeBeforeShowing() {
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!m_placed) {
        m_placed = true;
        const std::optional<WindowPlaceFile::Place> saved =
            m_placeFile ? m_placeFile->load() : std::nullopt;
        if (saved) {
            resize(saved->size);
            if (canPlaceWindows())
                move(saved->position);
            m_maximizeWhenShown = saved->maximized;
        } else if (primary) {
            QRect frame(QPoint(), size());
            frame.moveCenter(primary->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (!primary || !canPlaceWindows())
        return;
    // The screen it was on may have gone since it was last shown.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    move(
        WindowPlacement::keptOnScreen(QRect(pos(), size()), screens, primary->availableGeometry()));
}

void MainWindow::rememberPlace() {
    if (!m_placeFile || !isVisible())
        return;
    WindowPlaceFile::Place place{pos(), size(), false};
    if (isMaximized() || isFullScreen()) {
        // The place to return to from the maximised state is the one saved before.
        place =
            m_placeFile->load().value_or(WindowPlaceFile::Place{pos(), normalGeometry().size()});
        place.maximized = true;
    }
    m_placeFile->save(place);
}

void MainWindow::showEvent(QShowEvent *event) {
    m_taskbar.applyBeforeMapping();
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    rememberPlace();
    if (m_sheet)
        m_sheet->close();
    dropContent();
}

void MainWindow::dropContent() {
    if (!m_content)
        return;
    MainWindowView *content = m_content;
    m_content = nullptr;
    content->hide();
    // Deferred: the close may come from inside the content's own event handling.
    content->deleteLater();
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
