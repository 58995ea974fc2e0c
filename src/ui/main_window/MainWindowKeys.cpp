#include "MainWindowKeys.h"

#include "DetailPanelSlot.h"
#include "MainTableList.h"
#include "MainWindowView.h"
#include "RecordDetailPanel.h"
#include "SegmentedControl.h"
#include "TableSearchField.h"
#include "TimeFilter.h"
#include "ToolbarRefreshButton.h"
#include "ToolbarSettingsButton.h"

#include <QShortcut>

namespace {

// A standard key with the ones the application promises on every desktop added behind it.
QList<QKeySequence> standardPlus(QKeySequence::StandardKey key, const QKeySequence &promised) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.contains(promised))
        keys.append(promised);
    return keys;
}

} // namespace

MainWindowKeys::MainWindowKeys(MainWindowView &view)
    : QObject(&view)
    , m_view(view) {
    add(refreshKeys(), &view, Qt::WindowShortcut, &MainWindowKeys::refresh);
    add(settingsKeys(), &view, Qt::WindowShortcut, &MainWindowKeys::openSettings);
    add(QKeySequence::keyBindings(QKeySequence::Find), &view, Qt::WindowShortcut,
        &MainWindowKeys::search);
    add(QKeySequence::keyBindings(QKeySequence::Save), &view, Qt::WindowShortcut,
        &MainWindowKeys::save);
    // Escape anywhere in the detail panel: back to the table, the typed text stays.
    add({QKeySequence(Qt::Key_Escape)}, view.detailPanelSlot(), Qt::WidgetWithChildrenShortcut,
        &MainWindowKeys::backToTable);
    for (int i = 0; i < static_cast<int>(allTimeFilters.size()); ++i) {
        auto *shortcut = new QShortcut(&view);
        shortcut->setKeys(timeFilterKeys(i));
        connect(shortcut, &QShortcut::activated, this,
                [this, i] { m_view.setTimeFilter(allTimeFilters[static_cast<size_t>(i)]); });
    }
    // Tab walks the window as it reads, toolbar first; the panel's fields come after the table.
    QWidget::setTabOrder(view.searchField(), view.timeFilterControl());
    QWidget::setTabOrder(view.timeFilterControl(), view.refreshButton());
    QWidget::setTabOrder(view.refreshButton(), view.settingsButton());
    QWidget::setTabOrder(view.settingsButton(), view.tableList());
    view.refreshButton()->setToolTip(tooltip(tr("刷新"), refreshKeys()));
    view.settingsButton()->setToolTip(tooltip(tr("设置"), settingsKeys()));
    view.searchField()->setToolTip(
        tooltip(tr("搜索代码或名称"), QKeySequence::keyBindings(QKeySequence::Find)));
}

QList<QKeySequence> MainWindowKeys::refreshKeys() {
    return standardPlus(QKeySequence::Refresh, QKeySequence(Qt::CTRL | Qt::Key_R));
}

QList<QKeySequence> MainWindowKeys::settingsKeys() {
    return standardPlus(QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma));
}

QList<QKeySequence> MainWindowKeys::timeFilterKeys(int index) {
    return {QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index))};
}

QString MainWindowKeys::tooltip(const QString &title, const QList<QKeySequence> &keys) {
    QStringList written;
    for (const QKeySequence &key : keys)
        written.append(key.toString(QKeySequence::NativeText));
    return written.isEmpty()
               ? title
               : QStringLiteral("%1 (%2)").arg(title, written.join(QStringLiteral(", ")));
}

void MainWindowKeys::describeSaveKey(QWidget &saveButton) {
    saveButton.setToolTip(tooltip(tr("保存记录"), QKeySequence::keyBindings(QKeySequence::Save)));
}

void MainWindowKeys::add(const QList<QKeySequence> &keys, QWidget *scope,
                         Qt::ShortcutContext context, void (MainWindowKeys::*slot)()) {
    auto *shortcut = new QShortcut(scope);
    shortcut->setKeys(keys);
    shortcut->setContext(context);
    connect(shortcut, &QShortcut::activated, this, slot);
}

void MainWindowKeys::refresh() {
    m_view.refreshManually();
}

void MainWindowKeys::openSettings() {
    m_view.presentSettings();
}

void MainWindowKeys::search() {
    m_view.searchField()->setFocus(Qt::ShortcutFocusReason);
    m_view.searchField()->selectAll();
}

void MainWindowKeys::save() {
    if (RecordDetailPanel *panel = m_view.detailPanel())
        panel->save();
}

void MainWindowKeys::backToTable() {
    m_view.tableList()->setFocus(Qt::OtherFocusReason);
}
