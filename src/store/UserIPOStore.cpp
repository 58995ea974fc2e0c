#include "UserIPOStore.h"

#include "analytics/AnalyticsTracking.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int currentSchemaVersion = 2;

// Each step brings the schema from the version before it to `version`; they run in one
// transaction together with the version update, so a file is never left half migrated.
struct Migration {
    int version;
    QList<QStringView> statements;
};

const QList<Migration> &migrations() {
    static const QList<Migration> steps = {
        {1,
         {u"CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value INTEGER NOT NULL)",
          // updated_at_ms: milliseconds since the epoch (UTC), so a backup gives back the exact
          // instants it was written from.
          u"CREATE TABLE user_ipo_entry ("
          u"code TEXT NOT NULL UNIQUE, "
          u"sub_quantity INTEGER NOT NULL, "
          u"win_quantity INTEGER NOT NULL, "
          u"sub_method_raw_value INTEGER NOT NULL, "
          u"updated_at_ms INTEGER NOT NULL)",
          u"CREATE INDEX user_ipo_entry_by_updated_at ON user_ipo_entry (updated_at_ms)"}},
        // The sale and a copy of the IPO. Prices in mills and money in cents (exact integers),
        // days as "yyyy-MM-dd"; NULL is "not given". Adding columns leaves every entry as it was.
        {2,
         {u"ALTER TABLE user_ipo_entry ADD COLUMN final_price_mills INTEGER",
          u"ALTER TABLE user_ipo_entry ADD COLUMN sold_quantity INTEGER NOT NULL DEFAULT 0",
          u"ALTER TABLE user_ipo_entry ADD COLUMN sell_price_mills INTEGER",
          u"ALTER TABLE user_ipo_entry ADD COLUMN sell_date TEXT",
          u"ALTER TABLE user_ipo_entry ADD COLUMN fee_total_cents INTEGER",
          u"ALTER TABLE user_ipo_entry ADD COLUMN ipo_name TEXT NOT NULL DEFAULT ''",
          u"ALTER TABLE user_ipo_entry ADD COLUMN ipo_listing_day TEXT",
          u"ALTER TABLE user_ipo_entry ADD COLUMN ipo_sub_end_day TEXT",
          u"ALTER TABLE user_ipo_entry ADD COLUMN ipo_price_range TEXT NOT NULL DEFAULT ''"}},
    };
    return steps;
}

// Every column, in the order entryColumns binds and readEntry reads them.
// (A constant view, not a QString: a store may be opened during static initialisation.)
constexpr QStringView columnList =
    u"code, sub_quantity, win_quantity, sub_method_raw_value, updated_at_ms, final_price_mills, "
    u"sold_quantity, sell_price_mills, sell_date, fee_total_cents, ipo_name, ipo_listing_day, "
    u"ipo_sub_end_day, ipo_price_range";
constexpr int columnCount = 14;

QVariant nullable(const std::optional<qint64> &value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<qint64>());
}

QVariant nullable(const std::optional<QDate> &day) {
    return day ? QVariant(day->toString(Qt::ISODate)) : QVariant(QMetaType::fromType<QString>());
}

std::optional<qint64> optionalInteger(const QVariant &value) {
    if (value.isNull())
        return std::nullopt;
    return value.toLongLong();
}

std::optional<QDate> optionalDay(const QVariant &value) {
    const QDate day = QDate::fromString(value.toString(), Qt::ISODate);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

// QtSql binds a null QString as NULL; these columns hold text, empty when there is none.
QVariant text(const QString &value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QList<QVariant> entryColumns(const UserIPOEntry &entry) {
    return {entry.code,
            entry.subQuantity,
            entry.winQuantity,
            entry.subMethodRawValue,
            entry.updatedAt.toMSecsSinceEpoch(),
            nullable(entry.sale.finalPriceMills),
            entry.sale.soldQuantity,
            nullable(entry.sale.sellPriceMills),
            nullable(entry.sale.sellDate),
            nullable(entry.sale.feeTotalCents),
            text(entry.ipo.name),
            nullable(entry.ipo.listingDay),
            nullable(entry.ipo.subEndDay),
            text(entry.ipo.priceRange)};
}

void bindEntry(QSqlQuery &query, const UserIPOEntry &entry) {
    const QList<QVariant> values = entryColumns(entry);
    for (int i = 0; i < columnCount; ++i)
        query.bindValue(i, values[i]);
}

UserIPOEntry readEntry(const QSqlQuery &query) {
    UserIPOEntry entry{query.value(0).toString(),
                       query.value(1).toLongLong(),
                       query.value(2).toLongLong(),
                       query.value(3).toLongLong(),
                       QDateTime::fromMSecsSinceEpoch(query.value(4).toLongLong(), Qt::UTC),
                       {},
                       {}};
    entry.sale.finalPriceMills = optionalInteger(query.value(5));
    entry.sale.soldQuantity = query.value(6).toLongLong();
    entry.sale.sellPriceMills = optionalInteger(query.value(7));
    entry.sale.sellDate = optionalDay(query.value(8));
    entry.sale.feeTotalCents = optionalInteger(query.value(9));
    entry.ipo.name = query.value(10).toString();
    entry.ipo.listingDay = optionalDay(query.value(11));
    entry.ipo.subEndDay = optionalDay(query.value(12));
    entry.ipo.priceRange = query.value(13).toString();
    return entry;
}

QString insertStatement() {
    return QStringLiteral("INSERT INTO user_ipo_entry (") + columnList.toString() +
           QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
}

QString describe(const QSqlError &error) {
    return error.text().trimmed();
}

QString failure(const QString &what, const QSqlError &error) {
    return what + QStringLiteral(": ") + describe(error);
}

QString nextConnectionName() {
    static int counter = 0;
    return QStringLiteral("orvel.UserIPOStore.%1").arg(++counter);
}

UserIPOStore *&sharedStoreSlot() {
    static UserIPOStore *store = nullptr;
    return store;
}

void closeSharedStore() {
    delete sharedStoreSlot();
    sharedStoreSlot() = nullptr;
}

const UserIPOStore::Result success{std::monostate{}};

} // namespace

UserIPOStore::UserIPOStore(QString connectionName, QString filePath, bool inMemory,
                           const Options &options)
    : m_connectionName(std::move(connectionName))
    , m_filePath(std::move(filePath))
    , m_inMemory(inMemory)
    , m_readOnly(options.readOnly && !inMemory)
    , m_database(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName))
    , m_analyticsTracker(options.analyticsTracker)
    , m_persistChanges(options.persistChanges ? options.persistChanges : &commitChanges)
    , m_persistMigration(options.persistMigration ? options.persistMigration : &commitChanges)
    , m_clock(options.clock ? options.clock : systemClock()) {}

UserIPOStore::~UserIPOStore() {
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString UserIPOStore::defaultFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(QStringLiteral("user-entries.sqlite"));
}

QString UserIPOStore::fatalOpenMessage(const QString &description) {
    // The technical reason stays as the system gave it: it is what a bug report needs.
    return QCoreApplication::translate(
               "UserIPOStore", "无法打开 ORVEL 的数据文件 %1，你的记录保存在这个文件里。"
                               "请检查这个文件和它所在的文件夹，然后重新启动 ORVEL。\n原因：%2")
        .arg(QDir::toNativeSeparators(defaultFilePath()), description);
}

Expected<std::unique_ptr<UserIPOStore>, QString> UserIPOStore::open(const Options &options) {
    QString path;
    if (!options.inMemory) {
        path = options.filePath.isEmpty() ? defaultFilePath() : options.filePath;
        if (path.isEmpty())
            return QStringLiteral("no application data folder is available");
        const QFileInfo info(path);
        if (info.exists() && !info.isFile())
            return QStringLiteral("%1 exists but is not a file").arg(path);
        const QString folder = info.absolutePath();
        if (!QDir().mkpath(folder))
            return QStringLiteral("cannot create the folder %1").arg(folder);
    }

    std::unique_ptr<UserIPOStore> store(
        new UserIPOStore(nextConnectionName(), path, options.inMemory, options));
    if (!store->m_database.isValid())
        return QStringLiteral("the SQLite driver for Qt is not available");
    if (store->m_readOnly) {
        // Creating the file would be a write; a store that was never written has no entries.
        if (!QFileInfo::exists(path)) {
            store->m_readOnlyWithoutFile = true;
            return store;
        }
        store->m_database.setDatabaseName(path);
        store->m_database.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY"));
        if (!store->m_database.open())
            return failure(QStringLiteral("cannot open %1").arg(path),
                           store->m_database.lastError());
        const Expected<int, QString> version = store->readSchemaVersion();
        if (!version)
            return version.error();
        if (*version == 0) {
            store->m_readOnlyWithoutFile = true;
            return store;
        }
        if (*version != currentSchemaVersion)
            return QStringLiteral("%1 was written by an older release (schema version %2); "
                                  "start ORVEL once to bring it up to date")
                .arg(path)
                .arg(*version);
        return store;
    }
    store->m_database.setDatabaseName(options.inMemory ? QStringLiteral(":memory:") : path);
    store->m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!store->m_database.open())
        return failure(QStringLiteral("cannot open %1").arg(path), store->m_database.lastError());
    if (Result prepared = store->prepareSchema(); !prepared)
        return prepared.error();
    // The one full read of the run: from here on the copy follows the store's own commits.
    auto entries = store->readEntries();
    if (!entries)
        return entries.error();
    store->m_entries = std::move(entries).value();
    return store;
}

Expected<UserIPOStore *, QString> UserIPOStore::openShared() {
    if (UserIPOStore *store = sharedStoreSlot())
        return store;
    auto opened = open(Options{});
    if (!opened)
        return fatalOpenMessage(opened.error());
    sharedStoreSlot() = opened.value().release();
    // Close the file while Qt is still up, so the journal is folded back into it on a normal quit.
    qAddPostRoutine(&closeSharedStore);
    return sharedStoreSlot();
}

UserIPOStore &UserIPOStore::shared() {
    const auto opened = openShared();
    if (!opened) {
        // A store that cannot be opened is a problem of the machine, not a bug: say why and end
        // with a failure status instead of aborting with a core dump.
        qCritical("%s", qUtf8Printable(opened.error()));
        std::exit(EXIT_FAILURE);
    }
    return *opened.value();
}

UserIPOStore::Result UserIPOStore::commitChanges(QSqlDatabase &database) {
    if (!database.commit())
        return failure(QStringLiteral("commit failed"), database.lastError());
    return success;
}

Expected<int, QString> UserIPOStore::readSchemaVersion() {
    // Only reads, so a file that is not ours (or not a database at all, or from a newer
    // release) is left exactly as it was. 0: no tables at all.
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master")))
        return failure(QStringLiteral("cannot read %1").arg(m_filePath), query.lastError());
    QSet<QString> names;
    while (query.next())
        names.insert(query.value(0).toString());
    if (query.lastError().isValid())
        return failure(QStringLiteral("cannot read %1").arg(m_filePath), query.lastError());
    query.finish();
    int version = 0;
    if (names.contains(QStringLiteral("meta"))) {
        if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) ||
            !query.next())
            return QStringLiteral("%1 has no schema version").arg(m_filePath);
        version = query.value(0).toInt();
        query.finish();
    } else if (!names.isEmpty()) {
        return QStringLiteral("%1 is a database of another application").arg(m_filePath);
    }
    if (version > currentSchemaVersion || version < 0)
        return QStringLiteral("%1 was written by a newer release (schema version %2)")
            .arg(m_filePath)
            .arg(version);
    return version;
}

UserIPOStore::Result UserIPOStore::prepareSchema() {
    // Everything up to the journal switch only reads.
    const Expected<int, QString> readVersion = readSchemaVersion();
    if (!readVersion)
        return readVersion.error();
    const int version = *readVersion;

    QSqlQuery query(m_database);
    if (!m_inMemory) {
        if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next())
            return failure(QStringLiteral("cannot use a write-ahead journal"), query.lastError());
        const QString mode = query.value(0).toString();
        query.finish();
        if (mode.compare(u"wal", Qt::CaseInsensitive) != 0)
            return QStringLiteral("cannot use a write-ahead journal (journal mode %1)").arg(mode);
    }
    if (!query.exec(QStringLiteral("PRAGMA synchronous = FULL")))
        return failure(QStringLiteral("cannot set synchronous mode"), query.lastError());
    query.finish();

    if (Result began = beginWrite(); !began)
        return began;
    bool migrated = false;
    for (const Migration &migration : migrations()) {
        if (migration.version <= version)
            continue;
        for (QStringView statement : migration.statements) {
            if (!query.exec(statement.toString())) {
                const QString error = failure(
                    QStringLiteral("migration to schema version %1 failed").arg(migration.version),
                    query.lastError());
                query.finish();
                rollBack();
                return error;
            }
        }
        migrated = true;
    }
    // Without a migration this rewrites the version in place: a write that a read-only file or
    // folder refuses, found out now rather than at the user's first save. It is rolled back.
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) "
                                 "VALUES ('schema_version', ?)"));
    query.addBindValue(currentSchemaVersion);
    if (!query.exec()) {
        const QString error =
            failure(QStringLiteral("the store cannot be written"), query.lastError());
        query.finish();
        rollBack();
        return error;
    }
    query.finish();
    if (!migrated) {
        rollBack();
        return success;
    }
    if (Result committed = m_persistMigration(m_database); !committed) {
        rollBack();
        return QStringLiteral("cannot save the schema: ") + committed.error();
    }
    return success;
}

UserIPOStore::Result UserIPOStore::beginWrite() {
    QSqlQuery query(m_database);
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return success;
    // A transaction left open by a commit that failed and could not be rolled back would take
    // the next change with it; drop it and try once more.
    rollBack();
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return success;
    return failure(QStringLiteral("cannot start a transaction"), query.lastError());
}

UserIPOStore::Result UserIPOStore::persistOrRollBack() {
    Result persisted = m_persistChanges(m_database);
    if (!persisted)
        rollBack();
    return persisted;
}

void UserIPOStore::rollBack() {
    // After some failures SQLite has already rolled back on its own; a second ROLLBACK then
    // fails harmlessly.
    QSqlQuery query(m_database);
    query.exec(QStringLiteral("ROLLBACK"));
}

UserIPOStore::Result UserIPOStore::refuseReadOnly() const {
    return QStringLiteral("%1 is open for reading only").arg(m_filePath);
}

Expected<QHash<QString, UserIPOEntry>, QString> UserIPOStore::readEntries() const {
    QHash<QString, UserIPOEntry> byCode;
    if (m_readOnlyWithoutFile)
        return byCode;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ") + columnList.toString() +
                    QStringLiteral(" FROM user_ipo_entry")))
        return failure(QStringLiteral("cannot read the stored entries"), query.lastError());
    while (query.next()) {
        UserIPOEntry entry = readEntry(query);
        byCode.insert(entry.code, std::move(entry));
    }
    if (query.lastError().isValid())
        return failure(QStringLiteral("cannot read the stored entries"), query.lastError());
    return byCode;
}

QList<UserIPOEntry> UserIPOStore::fetchAllEntries() const {
    QList<UserIPOEntry> entries = entriesByCode().values();
    std::sort(entries.begin(), entries.end(), [](const UserIPOEntry &a, const UserIPOEntry &b) {
        if (a.updatedAt != b.updatedAt)
            return a.updatedAt > b.updatedAt;
        return a.code < b.code;
    });
    return entries;
}

QHash<QString, UserIPOEntry> UserIPOStore::entriesByCode() const {
    if (!m_readOnly)
        return m_entries;
    auto entries = readEntries();
    if (!entries) {
        qWarning("[Store] Failed reading user IPO entries: %s", qUtf8Printable(entries.error()));
        return {};
    }
    return std::move(entries).value();
}

UserIPOStore::Result UserIPOStore::saveEntry(const QString &code, qint64 subQuantity,
                                             qint64 winQuantity, SubMethod subMethod) {
    return saveEntry(UserIPOEntry{code, subQuantity, winQuantity, rawValue(subMethod), {}, {}, {}});
}

UserIPOStore::Result UserIPOStore::saveEntry(const UserIPOEntry &entry) {
    if (m_readOnly)
        return refuseReadOnly();
    // Kept as the file keeps it (whole milliseconds, UTC), so the copy equals a fresh read.
    UserIPOEntry saved = entry;
    saved.updatedAt = QDateTime::fromMSecsSinceEpoch(m_clock().toMSecsSinceEpoch(), Qt::UTC);
    if (Result began = beginWrite(); !began)
        return began;
    {
        // One statement replaces every column of the code's row, so nothing of an earlier save
        // can linger beside the new figures.
        QSqlQuery query(m_database);
        const QString columns = columnList.toString();
        query.prepare(
            insertStatement() + QStringLiteral(" ON CONFLICT (code) DO UPDATE SET (") + columns +
            QStringLiteral(") = (excluded.") +
            QString(columns).replace(QStringLiteral(", "), QStringLiteral(", excluded.")) + u')');
        bindEntry(query, saved);
        if (!query.exec()) {
            const QString error =
                failure(QStringLiteral("cannot save %1").arg(saved.code), query.lastError());
            query.finish();
            rollBack();
            return error;
        }
    }
    if (Result persisted = persistOrRollBack(); !persisted)
        return persisted;
    const QString code = saved.code;
    m_entries.insert(code, std::move(saved));
    if (m_analyticsTracker)
        m_analyticsTracker->trackUserDataSaved(code);
    return success;
}

UserIPOStore::Result UserIPOStore::deleteEntry(const QString &code) {
    if (m_readOnly)
        return refuseReadOnly();
    if (Result began = beginWrite(); !began)
        return began;
    int removed = 0;
    {
        QSqlQuery query(m_database);
        query.prepare(QStringLiteral("DELETE FROM user_ipo_entry WHERE code = ?"));
        query.addBindValue(code);
        if (!query.exec()) {
            const QString error =
                failure(QStringLiteral("cannot delete %1").arg(code), query.lastError());
            query.finish();
            rollBack();
            return error;
        }
        removed = query.numRowsAffected();
    }
    if (removed == 0) {
        rollBack();
        return success;
    }
    if (Result persisted = persistOrRollBack(); !persisted)
        return persisted;
    m_entries.remove(code);
    return success;
}

QList<UserIPOBackupRow> UserIPOStore::exportRows() const {
    QList<UserIPOBackupRow> rows;
    for (const UserIPOEntry &entry : fetchAllEntries())
        rows.append(UserIPOBackupRow::fromEntry(entry));
    std::sort(rows.begin(), rows.end(), &UserIPOBackupRow::precedesInBackup);
    return rows;
}

Expected<UserIPOStore::RestoreCounts, QString>
UserIPOStore::restoreMissing(const QList<UserIPOBackupRow> &rows) {
    if (m_readOnly)
        return refuseReadOnly().error();
    if (rows.isEmpty())
        return RestoreCounts{};
    if (Result began = beginWrite(); !began)
        return began.error();

    // The copy is what the file holds: nobody else writes it.
    QSet<QString> stored;
    QList<UserIPOEntry> inserted;
    RestoreCounts counts;
    {
        QSqlQuery insert(m_database);
        insert.prepare(insertStatement());
        for (const UserIPOBackupRow &row : rows) {
            if (m_entries.contains(row.code) || stored.contains(row.code)) {
                ++counts.skipped;
                continue;
            }
            UserIPOEntry entry = row.toEntry();
            entry.updatedAt =
                QDateTime::fromMSecsSinceEpoch(row.updatedAt.toMSecsSinceEpoch(), Qt::UTC);
            bindEntry(insert, entry);
            if (!insert.exec()) {
                const QString error =
                    failure(QStringLiteral("cannot restore %1").arg(row.code), insert.lastError());
                insert.finish();
                rollBack();
                return error;
            }
            stored.insert(row.code);
            inserted.append(entry);
            ++counts.inserted;
        }
        insert.finish();
    }
    if (counts.inserted == 0) {
        rollBack();
        return counts;
    }
    if (Result persisted = persistOrRollBack(); !persisted)
        return persisted.error();
    for (const UserIPOEntry &entry : std::as_const(inserted))
        m_entries.insert(entry.code, entry);
    return counts;
}
