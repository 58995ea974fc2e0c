#pragma once

#include "ui/look/SymbolButton.h"

// The detail panel's square clear button (a trash can). It turns red for a short while when
// clearing failed.
class ClearRecordButton : public SymbolButton {
    Q_OBJECT
public:
    explicit ClearRecordButton(QWidget *parent = nullptr);

    bool showsFailure() const { return m_failed; }
    void setShowsFailure(bool failed);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_failed = false;
};
