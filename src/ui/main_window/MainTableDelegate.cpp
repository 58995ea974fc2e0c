#include "MainTableDelegate.h"

#include "MainTableModel.h"
#include "MainTableRow.h"
#include "ui/look/ViewStyle.h"

#include <QPainter>

MainTableDelegate::MainTableDelegate(const MainTableModel &model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model) {}

std::optional<MainTableRow> MainTableDelegate::rowAt(int row) const {
    const IPORecord *record = m_model.recordAt(row);
    if (!record)
        return std::nullopt;
    return MainTableRow(*record, m_model.isSelectedRow(row),
                        ViewStyle::color(paletteColor(m_model.bandAt(row))));
}

void MainTableDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const {
    if (const std::optional<MainTableRow> row = rowAt(index.row()))
        row->paint(*painter, option.rect);
}

QSize MainTableDelegate::sizeHint(const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const {
    Q_UNUSED(index);
    return QSize(option.rect.width(), MainTableRow::itemHeight);
}
