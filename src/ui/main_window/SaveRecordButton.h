#pragma once

#include "ui/look/SymbolButton.h"

// The detail panel's save button. Besides its resting look it shows, for a short while after a
// save, whether the entry was stored. The widget is a little taller than the button so that the
// button's shadow has room below it.
class SaveRecordButton : public SymbolButton {
    Q_OBJECT
public:
    enum class Feedback { none, saved, failed };

    explicit SaveRecordButton(QWidget *parent = nullptr);

    Feedback feedback() const { return m_feedback; }
    void setFeedback(Feedback feedback);
    // The title shown for the current feedback.
    QString title() const { return text(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Feedback m_feedback = Feedback::none;
};
