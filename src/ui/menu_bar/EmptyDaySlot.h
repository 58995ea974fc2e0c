#pragma once

#include <QWidget>

// A grid slot of a day outside the month shown: blank, with the cells' hairline outline.
class EmptyDaySlot : public QWidget {
    Q_OBJECT
public:
    explicit EmptyDaySlot(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
