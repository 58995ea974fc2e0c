#pragma once

#include <QAbstractButton>

class FocusRing;

// An on/off switch drawn as a track with a sliding knob and no visible label; the accessible
// name says what it switches.
class SettingsSwitch : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int trackWidth = 36;
    static constexpr int trackHeight = 20;

    explicit SettingsSwitch(const QString &accessibleName, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // The whole track is the hit area, not only a label that this switch does not have.
    bool hitButton(const QPoint &pos) const override;

private:
    FocusRing *m_focusRing;
};
