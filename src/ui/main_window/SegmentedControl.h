#pragma once

#include <QStringList>
#include <QWidget>

class FocusRing;

// A row of mutually exclusive segments on one rounded track; the selected segment is raised.
// Clicks and the arrow keys change the selection.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int controlHeight = 28;

    explicit SegmentedControl(QStringList labels, QWidget *parent = nullptr);

    const QStringList &labels() const { return m_labels; }
    int currentIndex() const { return m_current; }
    // Changes the selection without announcing it (the owner already knows).
    void setCurrentIndex(int index);
    // Selects segment `index` as a click on it does (announced).
    void activateSegment(int index);
    // The area of segment `index`, in this widget's coordinates.
    QRect segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user picked another segment.
    void activated(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int segmentAt(const QPoint &position) const;
    void pick(int index);

    QStringList m_labels;
    int m_current = 0;
    int m_pressed = -1;
    FocusRing *m_focusRing;
};
