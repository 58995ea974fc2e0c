#include "MainTableModel.h"

#include "RowBanding.h"
#include "TableCellText.h"

MainTableModel::MainTableModel(QObject *parent)
    : QAbstractListModel(parent) {}

void MainTableModel::setListed(const QList<IPORecord> &listed,
                               const QHash<QString, TableRowBand> &bands) {
    QList<TableRowBand> rowBands;
    rowBands.reserve(listed.size());
    for (const IPORecord &record : listed)
        rowBands.append(RowBanding::bandOf(bands, record.ipo.code));

    bool sameRows = listed.size() == m_listed.size();
    for (qsizetype i = 0; sameRows && i < listed.size(); ++i)
        sameRows = listed[i].ipo.code == m_listed[i].ipo.code;
    if (!sameRows) {
        beginResetModel();
        m_listed = listed;
        m_bands = rowBands;
        endResetModel();
        return;
    }
    for (qsizetype i = 0; i < listed.size(); ++i) {
        if (listed[i] == m_listed[i] && rowBands[i] == m_bands[i])
            continue;
        m_listed[i] = listed[i];
        m_bands[i] = rowBands[i];
        announceRow(static_cast<int>(i), {});
    }
}

void MainTableModel::setSelectedCode(const std::optional<QString> &code) {
    if (code == m_selectedCode)
        return;
    const std::optional<QString> previous = m_selectedCode;
    m_selectedCode = code;
    for (qsizetype i = 0; i < m_listed.size(); ++i) {
        const QString &rowCode = m_listed[i].ipo.code;
        if ((previous && rowCode == *previous) || (code && rowCode == *code))
            announceRow(static_cast<int>(i), {SelectedRole});
    }
}

const IPORecord *MainTableModel::recordAt(int row) const {
    if (row < 0 || row >= m_listed.size())
        return nullptr;
    return &m_listed[row];
}

TableRowBand MainTableModel::bandAt(int row) const {
    if (row < 0 || row >= m_bands.size())
        return TableRowBand::missing;
    return m_bands[row];
}

bool MainTableModel::isSelectedRow(int row) const {
    const IPORecord *record = recordAt(row);
    return record && m_selectedCode && record->ipo.code == *m_selectedCode;
}

int MainTableModel::rowOf(const QString &code) const {
    for (qsizetype i = 0; i < m_listed.size(); ++i) {
        if (m_listed[i].ipo.code == code)
            return static_cast<int>(i);
    }
    return -1;
}

int MainTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_listed.size());
}

QVariant MainTableModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const IPORecord &record = m_listed[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return record.ipo.name;
    case Qt::ToolTipRole:
        // Long names are cut short in the row; the tooltip carries them whole. Tooltips guess
        // rich text from the content, so the service's text is escaped inside explicit markup.
        return QStringLiteral("<qt>%1</qt>").arg(record.ipo.name.toHtmlEscaped());
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1 %2 %3 %4")
            .arg(record.ipo.code, record.ipo.name, TableCellText::statusLabel(record.ipo.status),
                 TableCellText::subscriptionDate(record.ipo.subStart));
    case CodeRole:
        return record.ipo.code;
    case BandRole:
        return static_cast<int>(m_bands[index.row()]);
    case SelectedRole:
        return isSelectedRow(index.row());
    default:
        return {};
    }
}

Qt::ItemFlags MainTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void MainTableModel::announceRow(int row, const QList<int> &roles) {
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, roles);
}
