#pragma once

#include "UserIPOBackupRow.h"
#include "UserIPOEntry.h"
#include "model/Clock.h"
#include "model/Expected.h"
#include "model/SubMethod.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>
#include <variant>

class AnalyticsTracking;

// The user's own figures, one entry per stock code, in an SQLite file (WAL journal,
// synchronous=FULL, code UNIQUE). Every write is one transaction: the operation stages its
// change, then persistChanges commits it. When the commit fails the transaction is rolled back,
// so a failed call leaves exactly what was there before and can never ride along with a later
// commit. Used from the main thread only.
//
// The application process is the only writer of its file, so the store reads every entry once
// when it opens and from then on keeps that copy in step with its own commits: a change enters
// the copy only after its commit succeeded. Reads never touch the file again. A second process
// (the command-line listing) opens the file with readOnly instead: it reads the file on every
// call, so it sees what the application committed meanwhile, and never writes or locks it.
class UserIPOStore {
public:
    // Success carries nothing; failure carries the description the caller logs or shows.
    using Result = Expected<std::monostate, QString>;
    // Commits the open transaction on the store's connection. Tests swap in one that fails; a
    // replacement that reports success must have committed.
    using PersistChanges = std::function<Result(QSqlDatabase &)>;

    struct Options {
        // Keep the entries in memory only (tests, previews).
        bool inMemory = false;
        // The database file; empty means defaultFilePath(). Ignored when inMemory.
        QString filePath = {};
        // Receives the data-saved event; none means no events.
        AnalyticsTracking *analyticsTracker = nullptr;
        // Empty means commitChanges.
        PersistChanges persistChanges = {};
        // Commits a schema migration; empty means commitChanges. Tests stop or fail it here.
        PersistChanges persistMigration = {};
        // Stamps updatedAt; empty means the system clock.
        Clock clock = {};
        // Only read the file (which must then exist with the current schema, or not exist at
        // all: no entries), on every call; every write fails. Ignored when inMemory.
        bool readOnly = false;
    };

    struct RestoreCounts {
        qsizetype inserted = 0;
        qsizetype skipped = 0;
        friend bool operator==(const RestoreCounts &, const RestoreCounts &) = default;
    };

    // Opens (creating if need be) and migrates the store. On failure nothing on disk has been
    // deleted, truncated or overwritten, and the error describes why.
    static Expected<std::unique_ptr<UserIPOStore>, QString> open(const Options &options);
    // "<application data folder>/user-entries.sqlite".
    static QString defaultFilePath();
    // The one fatal stop of the application: the data file (with its path) could not be opened,
    // then the technical reason.
    static QString fatalOpenMessage(const QString &description);

    // The shared store on the default file, opened on first use and kept for the run. The error
    // is already the fatal message, so the application can show it before it exits.
    static Expected<UserIPOStore *, QString> openShared();
    // Like openShared(), but when the store cannot be opened it writes the fatal message to the
    // log and exits with status 1.
    static UserIPOStore &shared();

    // The default persistChanges: COMMIT.
    static Result commitChanges(QSqlDatabase &database);

    ~UserIPOStore();
    UserIPOStore(const UserIPOStore &) = delete;
    UserIPOStore &operator=(const UserIPOStore &) = delete;

    bool isInMemory() const { return m_inMemory; }
    bool isReadOnly() const { return m_readOnly; }
    // Empty for an in-memory store.
    QString filePath() const { return m_filePath; }

    AnalyticsTracking *analyticsTracker() const { return m_analyticsTracker; }
    // The shared store is made before the application's tracker exists; it is handed over here.
    void setAnalyticsTracker(AnalyticsTracking *tracker) { m_analyticsTracker = tracker; }

    // Newest updatedAt first (equal instants by code). A failed read (read-only stores only)
    // gives an empty list.
    QList<UserIPOEntry> fetchAllEntries() const;
    // The same entries keyed by code, as makeRecord takes them; no copying and no file access
    // unless the store is read-only.
    QHash<QString, UserIPOEntry> entriesByCode() const;

    // Inserts or replaces the entry of exactly entry.code (case-sensitive, untrimmed), every
    // field of it in one commit, stamping updatedAt with the clock (entry.updatedAt is
    // ignored); after the commit, reports the save to the tracker.
    Result saveEntry(const UserIPOEntry &entry);
    // The same with only the application figures: no sale and no copy of the IPO.
    Result saveEntry(const QString &code, qint64 subQuantity, qint64 winQuantity,
                     SubMethod subMethod);
    // Removes the entry of exactly this code; an unknown code commits nothing and succeeds.
    Result deleteEntry(const QString &code);

    // Every entry as a backup row, in backup order.
    QList<UserIPOBackupRow> exportRows() const;
    // Inserts the rows whose code is neither stored nor earlier in `rows`, each with its own
    // updatedAt; the rest count as skipped. Existing entries are never changed. Commits only
    // when something was inserted; sends no events.
    Expected<RestoreCounts, QString> restoreMissing(const QList<UserIPOBackupRow> &rows);

private:
    UserIPOStore(QString connectionName, QString filePath, bool inMemory, const Options &options);

    Expected<int, QString> readSchemaVersion();
    Result prepareSchema();
    Expected<QHash<QString, UserIPOEntry>, QString> readEntries() const;
    Result refuseReadOnly() const;
    Result beginWrite();
    Result persistOrRollBack();
    void rollBack();

    QString m_connectionName;
    QString m_filePath;
    bool m_inMemory = false;
    bool m_readOnly = false;
    // A read-only store on a file that did not exist (or held no schema) when it was opened.
    bool m_readOnlyWithoutFile = false;
    QSqlDatabase m_database;
    // Every stored entry, as last committed (read-write stores only).
    QHash<QString, UserIPOEntry> m_entries;
    AnalyticsTracking *m_analyticsTracker = nullptr;
    PersistChanges m_persistChanges;
    PersistChanges m_persistMigration;
    Clock m_clock;
};
