#pragma once

#include "ui/look/Palette.h"

#include <QWidget>

// A small lot count such as "申2": thin 10-point text in its colour on a 12 % tint of that
// colour, outlined at 20 %.
class LotBadge : public QWidget {
    Q_OBJECT
public:
    LotBadge(const QString &text, PaletteColor color, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    PaletteColor color() const { return m_color; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    PaletteColor m_color;
};
