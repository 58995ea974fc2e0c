#pragma once

#include "TableRowBand.h"
#include "model/IPORecord.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>

#include <optional>

// The rows the main table lists, already filtered and sorted, with their bands and the
// selection. The view state lives in the main window; this only mirrors it for the list view.
class MainTableModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        CodeRole = Qt::UserRole + 1,
        BandRole,     // TableRowBand as int
        SelectedRole, // bool
    };

    explicit MainTableModel(QObject *parent = nullptr);

    // Replaces the rows. When the same codes are listed in the same order only the changed rows
    // are announced, so a republish after a save or a refresh keeps the scroll position.
    void setListed(const QList<IPORecord> &listed, const QHash<QString, TableRowBand> &bands);
    void setSelectedCode(const std::optional<QString> &code);

    const QList<IPORecord> &listed() const { return m_listed; }
    const std::optional<QString> &selectedCode() const { return m_selectedCode; }
    // nullptr outside the rows.
    const IPORecord *recordAt(int row) const;
    TableRowBand bandAt(int row) const;
    bool isSelectedRow(int row) const;
    // The first row listing `code`; -1 when it is not listed.
    int rowOf(const QString &code) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void announceRow(int row, const QList<int> &roles);

    QList<IPORecord> m_listed;
    QList<TableRowBand> m_bands;
    std::optional<QString> m_selectedCode;
};
