#pragma once

#include <QAbstractButton>

// The detail panel's save button. Besides its resting look it shows, for a short while after a
// save, whether the entry was stored. The widget is a little taller than the button so that the
// button's shadow has room below it.
class SaveRecordButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Feedback { none, saved, failed };

    explicit SaveRecordButton(QWidget *parent = nullptr);

    Feedback feedback() const { return m_feedback; }
    void setFeedback(Feedback feedback);
    // The title and symbol shown for the current feedback.
    QString title() const;
    QString symbolName() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Feedback m_feedback = Feedback::none;
    // The focus ring shows only when the keyboard brought the focus here.
    bool m_keyboardFocus = false;
};
