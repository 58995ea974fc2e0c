#pragma once

#include <QWidget>

class QHBoxLayout;

// The title bar and the footer bar of the settings sheet: a muted strip of fixed height with a
// 1-point border line on the edge that faces the body.
class SettingsBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int horizontalPadding = 20;

    enum class LineEdge { top, bottom };

    SettingsBar(int height, LineEdge lineEdge, QWidget *parent = nullptr);

    QHBoxLayout *content() const { return m_content; }
    LineEdge lineEdge() const { return m_lineEdge; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineEdge m_lineEdge;
    QHBoxLayout *m_content;
};
