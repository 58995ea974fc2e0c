#pragma once

#include <QWidget>

// The panel's 1-point horizontal rule in borderColor.
class SeparatorLine : public QWidget {
    Q_OBJECT
public:
    explicit SeparatorLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
