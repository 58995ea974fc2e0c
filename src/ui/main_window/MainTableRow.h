#pragma once

#include "model/IPORecord.h"

#include <QColor>
#include <QRect>
#include <QUrl>

#include <optional>

class QPainter;

// One row of the main table: eight cells side by side on the row's band colour, with the
// selection wash and leading bar on top, and the table's separator line under it.
class MainTableRow {
public:
    static constexpr int minimumHeight = 42;
    static constexpr int separatorHeight = 1;
    // The list item: the row and the separator under it.
    static constexpr int itemHeight = minimumHeight + separatorHeight;

    MainTableRow(const IPORecord &record, bool isSelected, QColor rowBackground);

    const IPORecord &record() const { return m_record; }
    bool isSelected() const { return m_isSelected; }
    const QColor &rowBackground() const { return m_rowBackground; }

    // Paints the item into `itemRect` (row plus separator) with the palette's current values.
    void paint(QPainter &painter, const QRect &itemRect) const;

    // The address the prospectus cell opens, when it is a usable http(s) link.
    std::optional<QUrl> prospectusLink() const;
    // The clickable area of the link inside `itemRect`; empty when there is no link.
    QRect prospectusHitRect(const QRect &itemRect) const;

private:
    static void paintText(QPainter &painter, const QRect &cell, const QString &text,
                          const QFont &font, const QColor &color);
    static void paintQuantityBadge(QPainter &painter, const QRect &cell, qint64 count,
                                   bool highlighted);
    void paintProspectus(QPainter &painter, const QRect &cell) const;

    IPORecord m_record;
    bool m_isSelected;
    QColor m_rowBackground;
};
