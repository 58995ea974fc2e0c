#include "StoreTestSupport.h"
#include "TestRegistry.h"

#include "store/UserIPOBackupCSV.h"

#include <QTest>

// Quantities in backup files that only fuzzing tried: a count written with more leading zeros
// than any price has characters is still a count, and a file written from such rows reads back
// the same.

using namespace storetest;

namespace {

const QString header = QStringLiteral("code,sub_quantity,win_quantity,sub_method,updated_at");
const QString when = QStringLiteral("2025-03-04T05:06:07.890Z");

} // namespace

class UserIPOBackupCSVNumbersTest : public QObject {
    Q_OBJECT

private slots:
    void longQuantities_data() {
        QTest::addColumn<QString>("subText");
        QTest::addColumn<QString>("winText");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("sub");
        QTest::addColumn<qint64>("win");
        QTest::newRow("64 characters") << QString(62, u'0') + "20"
                                       << "5" << true << qint64(20) << qint64(5);
        QTest::newRow("65 characters") << QString(63, u'0') + "20"
                                       << "5" << true << qint64(20) << qint64(5);
        QTest::newRow("fuzz input")
            << QString(85, u'0') + "450" << QString(70, u'0') << true << qint64(450) << qint64(0);
        QTest::newRow("long negative")
            << "-" + QString(120, u'0') + "3"
            << "+" + QString(120, u'0') + "1" << true << qint64(-3) << qint64(1);
        QTest::newRow("long and out of range") << QString(80, u'0') + "9223372036854775808"
                                               << "0" << false << qint64(0) << qint64(0);
        QTest::newRow("nan") << "nan"
                             << "0" << false << qint64(0) << qint64(0);
        QTest::newRow("inf") << "1"
                             << "inf" << false << qint64(0) << qint64(0);
    }
    void longQuantities() {
        QFETCH(QString, subText);
        QFETCH(QString, winText);
        QFETCH(bool, accepted);
        QFETCH(qint64, sub);
        QFETCH(qint64, win);
        const QString line = "02513," + subText + u',' + winText + ",cash," + when;
        const auto parsed = parseBackupCSV(header + u'\n' + line);
        QVERIFY(parsed);
        QCOMPARE(parsed->rejectedLineCount, accepted ? 0 : 1);
        QCOMPARE(parsed->rows.size(), accepted ? 1 : 0);
        if (!accepted)
            return;
        const UserIPOBackupRow expected{QStringLiteral("02513"), sub, win, SubMethod::cash,
                                        utc(2025, 3, 4, 5, 6, 7, 890)};
        QCOMPARE(parsed->rows.constFirst(), expected);
        const auto reread = parseBackupCSV(makeBackupCSV(parsed->rows));
        QVERIFY(reread);
        QCOMPARE(reread->rows, parsed->rows);
    }
};

ORVEL_TEST_CLASS(UserIPOBackupCSVNumbersTest);
#include "UserIPOBackupCSVNumbersTest.moc"
