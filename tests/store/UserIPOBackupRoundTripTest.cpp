#include "ManualClock.h"
#include "ResultAccess.h"
#include "TestFolder.h"
#include "TestRegistry.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOBackupDocument.h"
#include "store/UserIPOStore.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

using testsupport::valueOf;

class UserIPOBackupRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    // Codes with separators, quotes, line breaks, white space at their ends, Chinese and astral
    // text; 64-bit extremes; instants from the first year to the last the format holds. The seed
    // is fixed so runs repeat; ORVEL_STORE_ROUND_TRIP_SEED tries others.
    void exportThenRestoreGivesBackEveryEntry() {
        const int seed = qEnvironmentVariableIntValue("ORVEL_STORE_ROUND_TRIP_SEED");
        QRandomGenerator random(seed ? quint32(seed) : 20250304u);
        const QStringList pieces = {"0",    "A", ",",  "\"",   "\n", "\r",
                                    "\r\n", " ", "\t", "腾讯", "😀"};
        const qint64 extremes[] = {std::numeric_limits<qint64>::min(),
                                   std::numeric_limits<qint64>::max(), 0, -1};
        const qint64 firstInstant = -62135596800000; // 0001-01-01T00:00:00.000Z
        const qint64 lastInstant = 253402300799999;  // 9999-12-31T23:59:59.999Z

        testsupport::ManualClock clock;
        auto opened = UserIPOStore::open({.inMemory = true, .clock = clock.clock()});
        QVERIFY(opened);
        UserIPOStore *source = opened->get();
        const auto save = [&](const QString &code, qint64 sub, qint64 win, SubMethod method,
                              qint64 at, const IPOSale &sale = {}, const IPOSnapshot &ipo = {}) {
            clock.set(QDateTime::fromMSecsSinceEpoch(at, Qt::UTC));
            return bool(source->saveEntry({code, sub, win, rawValue(method), {}, sale, ipo}));
        };
        const auto text = [&] {
            QString text;
            for (int i = 0, length = 1 + int(random.bounded(8)); i < length; ++i)
                text += pieces[int(random.bounded(int(pieces.size())))];
            return text;
        };
        const auto day = [&] {
            return QDate(2000, 1, 1).addDays(random.bounded(20000));
        };
        QVERIFY(save(" ,\"\r\n 腾讯 \t", extremes[0], extremes[1], SubMethod::cash, firstInstant));
        QVERIFY(save("\"quoted\"", -1, -1, SubMethod::margin, lastInstant));
        QVERIFY(save("code", 0, 0, SubMethod::cash, -1));
        while (source->entriesByCode().size() < 500) {
            const QString code = text();
            // Half the entries with a sale and a copy of the IPO, names as odd as the codes.
            IPOSale sale;
            IPOSnapshot ipo;
            if (random.bounded(2)) {
                sale = {random.bounded(qint64(1e12)), extremes[random.bounded(4)],
                        random.bounded(qint64(1e12)), day(), random.bounded(qint64(1e12))};
                ipo = {text(), day(), day(), text()};
            }
            if (!code.trimmed().isEmpty() && !source->entriesByCode().contains(code))
                QVERIFY(save(code, extremes[random.bounded(4)], qint64(random.generate64()),
                             random.bounded(2) ? SubMethod::margin : SubMethod::cash,
                             random.bounded(firstInstant, lastInstant + 1), sale, ipo));
        }
        const QList<UserIPOEntry> original = source->fetchAllEntries();
        const QList<UserIPOBackupRow> exported = source->exportRows();
        const QByteArray file = UserIPOBackupDocument::fromRows(exported).write();
        QVERIFY(!file.startsWith("\xef\xbb\xbf"));
        const ParsedBackupCSV parsed =
            valueOf(parseBackupCSV(valueOf(UserIPOBackupDocument::read(file)).csvText));
        QCOMPARE(parsed, (ParsedBackupCSV{exported, 0}));

        testsupport::TestFolder folder;
        const QString path = folder.filePath("restored.sqlite");
        auto target = UserIPOStore::open({.filePath = path});
        QVERIFY(target);
        QCOMPARE(valueOf((*target)->restoreMissing(parsed.rows)),
                 (UserIPOStore::RestoreCounts{500, 0}));
        target = UserIPOStore::open({.filePath = path});
        QVERIFY(target);
        UserIPOStore *reopened = target->get();
        QCOMPARE(reopened->fetchAllEntries(), original);
        // Its backup is the same file, byte for byte; restoring that again changes nothing.
        QCOMPARE(UserIPOBackupDocument::fromRows(reopened->exportRows()).write(), file);
        QCOMPARE(valueOf(reopened->restoreMissing(parsed.rows)),
                 (UserIPOStore::RestoreCounts{0, 500}));
        QCOMPARE(reopened->fetchAllEntries(), original);
    }
};

ORVEL_TEST_CLASS(UserIPOBackupRoundTripTest);

#include "UserIPOBackupRoundTripTest.moc"
