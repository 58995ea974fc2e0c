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
    addAction(QStringLiteral("复制代码"), this, [code] {
        copyToClipboard(code);
    })->setShortcut(QKeySequence::Copy);
    addAction(QStringLiteral("复制名称"), this, [name] { copyToClipboard(name); });
    if (const std::optional<QUrl> link = TableCellText::prospectusLink(record.ipo.prospectusURL)) {
        addAction(QStringLiteral("打开招股书"), this,
                  [url = *link] { QDesktopServices::openUrl(url); });
    }
    addSeparator();
    addAction(QStringLiteral("清除本地记录…"), this, std::move(requestClear));
}

void TableRowMenu::copyToClipboard(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
}
