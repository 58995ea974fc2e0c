#pragma once

#include <QPointer>
#include <QWidget>

class QVariantAnimation;
class RecordDetailPanel;

// The trailing pane that holds the detail panel. A panel moves in from the trailing edge when
// presented and out to it when dismissed; a dismissed panel is deleted once it has left.
class DetailPanelSlot : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumPanelWidth = 240;
    static constexpr int maximumPanelWidth = 280;
    static constexpr int moveMs = 200;

    explicit DetailPanelSlot(QWidget *parent = nullptr);

    // The panel shown (or moving in); nullptr when none is.
    RecordDetailPanel *panel() const { return m_panel; }

    // Takes `panel` and moves it in; a panel still leaving is dropped at once.
    void present(RecordDetailPanel *panel);
    // Moves the current panel out; emptied() follows when it is gone.
    void dismiss();

signals:
    void emptied();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void slide(QWidget *panel, int fromX, int toX, bool leaving);
    void dropLeaving();

    QPointer<RecordDetailPanel> m_panel;
    QPointer<RecordDetailPanel> m_leaving;
    QPointer<QVariantAnimation> m_animation;
};
