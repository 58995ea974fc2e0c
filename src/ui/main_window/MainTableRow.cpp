#include "MainTableRow.h"

#include "MainTableColumns.h"
#include "TableCellText.h"
#include "ui/look/ViewStyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int verticalPadding = 10;
constexpr int prospectusSymbolSize = 12;

QRect rowRect(const QRect &itemRect) {
    return QRect(
        itemRect.left(), itemRect.top(), itemRect.width(),
        qMax(MainTableRow::minimumHeight, itemRect.height() - MainTableRow::separatorHeight));
}

} // namespace

MainTableRow::MainTableRow(const IPORecord &record, bool isSelected, QColor rowBackground)
    : m_record(record)
    , m_isSelected(isSelected)
    , m_rowBackground(std::move(rowBackground)) {}

std::optional<QUrl> MainTableRow::prospectusLink() const {
    return TableCellText::prospectusLink(m_record.ipo.prospectusURL);
}

QRect MainTableRow::prospectusHitRect(const QRect &itemRect) const {
    if (!prospectusLink())
        return {};
    const QRect row = rowRect(itemRect);
    return MainTableColumns::cellRects(row)[MainTableColumns::prospectus];
}

void MainTableRow::paint(QPainter &painter, const QRect &itemRect) const {
    using namespace MainTableColumns;
    painter.save();
    const QRect row = rowRect(itemRect);
    painter.fillRect(row, m_rowBackground);

    const std::array<QRect, count> cells = cellRects(row);
    const QFont textFont = cellFont();
    const QColor primary = ViewStyle::color(PaletteColor::textPrimary);
    const QColor secondary = ViewStyle::color(PaletteColor::textSecondary);
    const IPOData &ipo = m_record.ipo;
    paintText(painter, cells[code], ipo.code, ViewStyle::monospacedFont(12), secondary);
    paintText(painter, cells[name], ipo.name, textFont, primary);
    paintText(painter, cells[status], TableCellText::statusLabel(ipo.status), textFont, secondary);
    paintText(painter, cells[lotAmount], TableCellText::lotAmount(ipo.lotAmount), textFont,
              primary);
    paintText(painter, cells[subscriptionDate], TableCellText::subscriptionDate(ipo.subStart),
              textFont, secondary);
    paintQuantityBadge(painter, cells[subQuantity], m_record.subQuantity, false);
    paintQuantityBadge(painter, cells[winQuantity], m_record.winQuantity, true);
    paintProspectus(painter, cells[prospectus]);

    const QColor divider = ViewStyle::color(PaletteColor::borderColor, 0.7);
    for (int i = 0; i < prospectus; ++i) {
        const QRect &cell = cells[static_cast<size_t>(i)];
        painter.fillRect(QRect(cell.right(), row.top(), 1, row.height()), divider);
    }

    if (m_isSelected) {
        painter.fillRect(row, ViewStyle::color(PaletteColor::accentGreen, 0.12));
        painter.fillRect(QRect(row.left(), row.top(), 3, row.height()),
                         ViewStyle::color(PaletteColor::accentGreen));
    }

    painter.fillRect(QRect(itemRect.left(), row.bottom() + 1, itemRect.width(), separatorHeight),
                     ViewStyle::color(PaletteColor::borderColor, 0.8));
    painter.restore();
}

void MainTableRow::paintText(QPainter &painter, const QRect &cell, const QString &text,
                             const QFont &font, const QColor &color) {
    const QRect content = cell.adjusted(MainTableColumns::textPadding, verticalPadding,
                                        -MainTableColumns::textPadding, -verticalPadding);
    if (content.width() <= 0)
        return;
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(content, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(text, Qt::ElideRight, content.width()));
}

void MainTableRow::paintQuantityBadge(QPainter &painter, const QRect &cell, qint64 count,
                                      bool highlighted) {
    const std::optional<QString> text = TableCellText::quantityBadge(count);
    if (!text) {
        painter.setFont(MainTableColumns::cellFont());
        painter.setPen(ViewStyle::color(PaletteColor::textSecondary, 0.45));
        painter.drawText(cell, Qt::AlignCenter, TableCellText::emptyCell());
        return;
    }
    const QFont font = ViewStyle::font(12, QFont::DemiBold);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(*text, Qt::ElideRight, cell.width() - 16);
    const QSize size(metrics.horizontalAdvance(shown) + 16, metrics.height() + 6);
    QRect badge(QPoint(0, 0), size);
    badge.moveCenter(cell.center());
    const QColor foreground = highlighted ? ViewStyle::color(PaletteColor::accentAmberDeep)
                                          : ViewStyle::color(PaletteColor::textPrimary);
    const QColor fill = highlighted ? ViewStyle::color(PaletteColor::accentAmberDeep, 0.12)
                                    : ViewStyle::color(PaletteColor::accentGreen, 0.1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(badge), 5, 5);
    painter.setFont(font);
    painter.setPen(foreground);
    painter.drawText(badge, Qt::AlignCenter, shown);
}

void MainTableRow::paintProspectus(QPainter &painter, const QRect &cell) const {
    if (!prospectusLink()) {
        painter.setFont(MainTableColumns::cellFont());
        painter.setPen(ViewStyle::color(PaletteColor::textSecondary, 0.35));
        painter.drawText(cell, Qt::AlignCenter, TableCellText::emptyCell());
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap symbol = ViewStyle::symbol(QStringLiteral("doc.text"),
                                             ViewStyle::color(PaletteColor::accentAmberDeep),
                                             prospectusSymbolSize, ratio);
    QRect target(0, 0, prospectusSymbolSize, prospectusSymbolSize);
    target.moveCenter(cell.center());
    painter.drawPixmap(target, symbol);
}
