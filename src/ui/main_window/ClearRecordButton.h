#pragma once

#include <QAbstractButton>

// The detail panel's square clear button (a trash can). It turns red for a short while when
// clearing failed.
class ClearRecordButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ClearRecordButton(QWidget *parent = nullptr);

    bool showsFailure() const { return m_failed; }
    void setShowsFailure(bool failed);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_failed = false;
    // The focus ring shows only when the keyboard brought the focus here.
    bool m_keyboardFocus = false;
};
