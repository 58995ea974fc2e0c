#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class MainWindowView;
class QWidget;

// The main window's keyboard shortcuts, as the desktop's standard keys where Qt knows one:
// refresh, settings, search, save the detail panel, the four time filters; each button a
// shortcut presses names its keys in its tooltip. (Closing and quitting belong to the window.)
class MainWindowKeys : public QObject {
    Q_OBJECT
public:
    explicit MainWindowKeys(MainWindowView &view);

    static QList<QKeySequence> refreshKeys();
    static QList<QKeySequence> settingsKeys();
    static QList<QKeySequence> timeFilterKeys(int index);
    // `title` followed by the keys as the desktop writes them: "刷新 (F5, Ctrl+R)".
    static QString tooltip(const QString &title, const QList<QKeySequence> &keys);

    // Names the save key in the tooltip of a detail panel's save button.
    static void describeSaveKey(QWidget &saveButton);

private:
    void add(const QList<QKeySequence> &keys, QWidget *scope, Qt::ShortcutContext context,
             void (MainWindowKeys::*slot)());
    void refresh();
    void openSettings();
    void search();
    void save();
    void backToTable();

    MainWindowView &m_view;
};
