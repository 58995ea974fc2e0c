#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <functional>

class QVBoxLayout;

// The tray's drop-down: a frameless window that hides when it loses focus. (A Qt::Popup would
// need a focused transient parent on Wayland, which a tray click does not give.) Its content is
// built at each opening and dropped when it hides, so the panel always opens on today's month.
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    using ContentFactory = std::function<QWidget *(PanelWindow &)>;
    // Where the panel goes, given the size of its fresh content.
    using Placement = std::function<QPoint(QSize panelSize)>;

    explicit PanelWindow(ContentFactory makeContent, QWidget *parent = nullptr);

    // The content of the open panel; nullptr while it is hidden.
    QWidget *content() const { return m_content; }

    // Shows the panel where `place` says, or hides it when it is showing or was just hidden by
    // the very click that asks for it again.
    void toggle(const Placement &place);
    void showPlaced(const Placement &place);

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ContentFactory m_makeContent;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
    bool m_wasActive = false;
    QElapsedTimer m_hiddenByFocusLoss;
};
