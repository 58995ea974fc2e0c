#include "TableRowMenu.h"

#include "TableCellText.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

TableRowMenu::TableRowMenu(const IPORecord &record, std::function<void()> requestClear,
                           QWidget *parent)
    : QMenu(parent) {
    setObjectName(QStringLiteral("TableRowMenu"));
    const QString code = record.ipo.code;
    const QString name = record.ipo.name;
    addAction(tr("复制代码"), this, [code] {
        copyToClipboard(code);
    })->setShortcut(QKeySequence::Copy);
    addAction(tr("复制名称"), this, [name] { copyToClipboard(name); });
    if (const std::optional<QUrl> link = TableCellText::prospectusLink(record.ipo.prospectusURL)) {
        addAction(tr("打开招股书"), this, [url = *link] { QDesktopServices::openUrl(url); });
    }
    addSeparator();
    addAction(tr("清除本地记录…"), this, std::move(requestClear));
}

void TableRowMenu::copyToClipboard(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
}
