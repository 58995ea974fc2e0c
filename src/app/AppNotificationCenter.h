#pragma once

#include <QObject>
#include <QString>

// The application's in-process notification centre: named notifications posted by one part
// and observed by another without either knowing the other (the reopen request travels this
// way from the delegate to the tray label).
class AppNotificationCenter : public QObject {
    Q_OBJECT
public:
    static AppNotificationCenter &defaultCenter();

    void post(const QString &name) { emit posted(name); }

signals:
    void posted(const QString &name);
};

inline const QString reopenMainWindowNotification = QStringLiteral("reopenMainWindow");
