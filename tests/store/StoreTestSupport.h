#pragma once

#include "analytics/AnalyticsTracking.h"
#include "store/UserIPOBackupRow.h"
#include "store/UserIPOEntry.h"
#include "store/UserIPOStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTest>

namespace storetest {

// The error text of a failed result, empty on success (QVERIFY2 builds its message either way).
template <typename T> QString failureText(const Expected<T, QString> &result) {
    return result ? QString() : result.error();
}

// Stands in for the analytics tracker: remembers what it was told.
class FakeAnalyticsTracker : public AnalyticsTracking {
public:
    void start() override { ++startCount; }
    void trackUserDataSaved(const QString &code) override { savedCodes.append(code); }

    int startCount = 0;
    QStringList savedCodes;
};

// A persistChanges that commits for real, counts its calls, and fails without committing
// while `failing` is set.
struct CommitSwitch {
    int calls = 0;
    bool failing = false;

    UserIPOStore::PersistChanges function() {
        return [this](QSqlDatabase &database) -> UserIPOStore::Result {
            ++calls;
            if (failing)
                return QStringLiteral("disk full (injected)");
            return UserIPOStore::commitChanges(database);
        };
    }
};

inline QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

// Everything under a folder with the bytes of each file: what "left untouched" is checked
// against.
inline QMap<QString, QByteArray> folderSnapshot(const QString &path) {
    QMap<QString, QByteArray> snapshot;
    const QDir root(path);
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QByteArray bytes = "<folder>";
        if (info.isFile()) {
            QFile file(info.absoluteFilePath());
            bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        }
        snapshot.insert(root.relativeFilePath(info.absoluteFilePath()), bytes);
    }
    return snapshot;
}

} // namespace storetest
