#pragma once

#include <QStyledItemDelegate>

class MainTableModel;
class MainTableRow;

// Draws each visible list item as a MainTableRow; rows are only built while they are painted.
class MainTableDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit MainTableDelegate(const MainTableModel &model, QObject *parent = nullptr);

    // The row of `row` as it is drawn right now; nullopt outside the model.
    std::optional<MainTableRow> rowAt(int row) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const MainTableModel &m_model;
};
