#pragma once

#include <QWidget>

// A bar of the panel (header, footer, the calendar's month header): a fixed height on the
// translucent glassFillLight, optionally closed by a 1-point borderColor line along its bottom.
class PanelBar : public QWidget {
    Q_OBJECT
public:
    PanelBar(int height, bool bottomLine, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_bottomLine;
};
