#pragma once

#include <QWidget>

#include <array>

// The year's result per month as twelve bars around a zero line, drawn with the palette: gains
// up and losses down, in the colours the user chose for them. Plain painting rather than Qt
// Charts: twelve rectangles do not need a charting module in the package and on the first frame.
class MonthBarChart : public QWidget {
    Q_OBJECT
public:
    explicit MonthBarChart(QWidget *parent = nullptr);

    void setMonths(const std::array<qint64, 12> &cents, bool gainIsRed);

    QSize sizeHint() const override;

    // The bar of `month` (0 for January) in a chart of `size`: from the zero line up for a gain,
    // down for a loss, scaled to the largest amount; empty for a month without a result.
    static QRectF barRect(const std::array<qint64, 12> &cents, int month, QSizeF size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<qint64, 12> m_cents{};
    bool m_gainIsRed = true;
};
