#pragma once

#include <QAbstractButton>

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
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The whole track is the hit area, not only a label that this switch does not have.
    bool hitButton(const QPoint &pos) const override;

private:
    // Only focus that came from the keyboard is drawn; a sheet opening or a click gives none.
    bool m_keyboardFocus = false;
};
