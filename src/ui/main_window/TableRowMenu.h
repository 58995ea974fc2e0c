#pragma once

#include "model/IPORecord.h"

#include <QMenu>

#include <functional>

// The menu of one table row: copy its code or name, open its prospectus (only for a usable
// http(s) link) and clear the user's figures through the detail panel's confirmation.
class TableRowMenu : public QMenu {
    Q_OBJECT
public:
    TableRowMenu(const IPORecord &record, std::function<void()> requestClear,
                 QWidget *parent = nullptr);

    // What the copy key does on a row.
    static void copyToClipboard(const QString &text);
};
