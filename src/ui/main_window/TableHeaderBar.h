#pragma once

#include <QWidget>

// The fixed header above the table rows: the eight column headings in the rows' column
// widths, so that headings and cells line up also while the list shows a scroll bar.
class TableHeaderBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int barHeight = 36;

    explicit TableHeaderBar(QWidget *parent = nullptr);

    // The width the rows are laid out in; the headings use the same.
    void setRowWidth(int width);
    int rowWidth() const { return m_rowWidth; }
    // Where the heading of `column` is drawn.
    QRect headingRect(int column) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_rowWidth = -1;
};
