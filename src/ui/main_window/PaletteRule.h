#pragma once

#include "ui/look/Palette.h"

#include <QWidget>

// A hairline (one point thick) across its parent's layout in a palette colour.
class PaletteRule : public QWidget {
    Q_OBJECT
public:
    explicit PaletteRule(Qt::Orientation orientation, PaletteColor color, qreal opacity = 1.0,
                         QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PaletteColor m_color;
    qreal m_opacity;
};
