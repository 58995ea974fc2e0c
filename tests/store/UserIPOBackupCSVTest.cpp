#include "ManualClock.h"
#include "ResultAccess.h"
#include "TestRegistry.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOBackupDocument.h"

#include <QScopeGuard>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

#include <ctime>

using testsupport::errorOf;
using testsupport::valueOf;

namespace {

// The first format's header, and today's.
const QString header = QStringLiteral("code,sub_quantity,win_quantity,sub_method,updated_at");
const QString newHeader = header + ",final_price,sold_quantity,sell_price,sell_date,fee_total,"
                                   "ipo_name,ipo_listing_day,ipo_sub_end_day,ipo_price_range";
const QString when = QStringLiteral("2025-03-04T05:06:07.890Z");

QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

UserIPOBackupRow row(const QString &code, qint64 sub = 1, qint64 win = 0,
                     SubMethod method = SubMethod::cash,
                     const QDateTime &at = utc(2025, 3, 4, 5, 6, 7, 890)) {
    return UserIPOBackupRow{code, sub, win, method, at, {}, {}};
}

UserIPOBackupRow sold(UserIPOBackupRow r) {
    r.sale = {30500, 500, 12500, QDate(2026, 3, 5), 7622};
    r.ipo = {"腾讯, \"控股\"", QDate(2026, 3, 6), QDate(2026, 3, 2), "28.00-30.50"};
    return r;
}
const QString soldFields = ",30.50,500,12.50,2026-03-05,76.22,\"腾讯, \"\"控股\"\"\",2026-03-06,"
                           "2026-03-02,28.00-30.50";

} // namespace

Q_DECLARE_METATYPE(UserIPOBackupRow)

class UserIPOBackupCSVTest : public QObject {
    Q_OBJECT

private slots:
    // Sorted by code, then newest first; instants in UTC with milliseconds.
    void writesSortedRowsInUtc() {
        QCOMPARE(makeBackupCSV({}), newHeader);
        const QDateTime hongKong(QDate(2025, 1, 1), QTime(8, 0, 0, 1), QTimeZone(8 * 3600));
        const QList<UserIPOBackupRow> rows = {
            row("09988", 1, 0, SubMethod::cash, utc(2025, 1, 1)),
            row("00700", 2, 0, SubMethod::cash, utc(2024, 1, 1)),
            sold(row("00700", 3, 500, SubMethod::margin, hongKong)),
            row("02590", 4, 0, SubMethod::cash, utc(1, 1, 1)),
        };
        QCOMPARE(makeBackupCSV(rows), newHeader + "\n00700,3,500,margin,2025-01-01T00:00:00.001Z" +
                                          soldFields +
                                          "\n00700,2,0,cash,2024-01-01T00:00:00.000Z,,,,,,,,,"
                                          "\n02590,4,0,cash,0001-01-01T00:00:00.000Z,,,,,,,,,"
                                          "\n09988,1,0,cash,2025-01-01T00:00:00.000Z,,,,,,,,,");
    }

    // Quoted only when the field would break the line or lose its white space; read back as is.
    void quotesOnlyFieldsThatNeedIt_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("written");
        for (const auto &[code, written] : {std::pair{"00700", "00700"},
                                            {"A,B", "\"A,B\""},
                                            {"A\"B", "\"A\"\"B\""},
                                            {"A\nB", "\"A\nB\""},
                                            {"A\rB", "\"A\rB\""},
                                            {" AB", "\" AB\""},
                                            {"AB\t", "\"AB\t\""}})
            QTest::newRow(QUrl::toPercentEncoding(code).constData())
                << QString(code) << QString(written);
    }
    void quotesOnlyFieldsThatNeedIt() {
        QFETCH(QString, code);
        QFETCH(QString, written);
        UserIPOBackupRow r = row(code, -5, 7, SubMethod::cash, utc(2025, 1, 2));
        r.ipo.name = code;
        const QString csv = makeBackupCSV({r});
        QCOMPARE(csv, newHeader + '\n' + written + ",-5,7,cash,2025-01-02T00:00:00.000Z,,,,,," +
                          written + ",,,");
        QCOMPARE(valueOf(parseBackupCSV(csv)), (ParsedBackupCSV{{r}, 0}));
    }

    // A null code in the expected row means the one data line is rejected.
    void parseRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<UserIPOBackupRow>("expected");
        const UserIPOBackupRow rejected;
        const auto whole = [](const char *name, const QString &text, const UserIPOBackupRow &r) {
            QTest::newRow(name) << text << r;
        };
        whole("empty text", "", row("<refused>"));
        whole("extra column", header + ",note", row("<refused>"));
        whole("a new column missing", newHeader.chopped(16), row("<refused>"));
        whole("data without header", "00700,2000,500,margin," + when, row("<refused>"));
        whole("header alone", header, row("<none>"));
        whole("header with trailing spaces", header + "   ", row("<none>"));
        whole("blank lines before the header", "\n  \n" + header + "\n", row("<none>"));
        const auto line = [](const char *name, const QString &text, const UserIPOBackupRow &r) {
            QTest::newRow(name) << header + '\n' + text << r;
        };
        line("documented example", "00700,2000,500,margin," + when,
             row("00700", 2000, 500, SubMethod::margin));
        line("six fields", "00700,2000,500,margin," + when + ",x", rejected);
        line("four fields", "00700,2000,500,margin", rejected);
        line("blank code", "   ,2000,500,margin," + when, rejected);
        line("code trimmed", "  A ,1,0,cash," + when, row("A"));
        line("decimal quantity", "A,5.0,0,cash," + when, rejected);
        line("method capitalised with space", "A,1,0,Margin ," + when,
             row("A", 1, 0, SubMethod::margin));
        line("unknown method", "A,1,0,credit," + when, rejected);
        line("no fraction", "A,1,0,cash,2025-03-04T05:06:07Z",
             row("A", 1, 0, SubMethod::cash, utc(2025, 3, 4, 5, 6, 7)));
        line("offset", "A,1,0,cash,2025-03-04T13:06:07.890+08:00", row("A"));
        line("negative offset", "A,1,0,cash,2025-03-04T00:06:07.890-05:00", row("A"));
        line("long fraction", "A,1,0,cash,2025-03-04T05:06:07.890999Z", row("A"));
        line("short fraction", "A,1,0,cash,2025-03-04T05:06:07.89Z", row("A"));
        line("date padded by spaces", "A,1,0,cash,  " + when + " ", row("A"));
        line("date without time", "A,1,0,cash,2025-03-04", rejected);
        line("no zone", "A,1,0,cash,2025-03-04T05:06:07.890", rejected);
        line("space for T", "A,1,0,cash,2025-03-04 05:06:07.890Z", rejected);
        line("impossible day", "A,1,0,cash,2025-02-30T05:06:07Z", rejected);
        line("empty fraction", "A,1,0,cash,2025-03-04T05:06:07.Z", rejected);
        line("year zero", "A,1,0,cash,0000-01-01T00:00:00Z", rejected);
        line("every field quoted", "\"A\",\"1\",\"-2\",\"margin\",\"" + when + "\"",
             row("A", 1, -2, SubMethod::margin));
        line("quoted blank code", "\"  \",1,0,cash," + when, rejected);
        line("text after closing quote", "\"A\"B,1,0,cash," + when, rejected);
        line("unterminated quote", "\"A,1,0,cash," + when, rejected);
        // A later field opens quotes too: its line break stays inside the record (and is
        // trimmed away with the field's other white space).
        line("line break in a later quoted field", "A,1,0,cash,\"" + when + "\n\"", row("A"));
        // Quotes inside an unquoted field are ordinary characters, as they always were.
        line("inner quote, unquoted", "A\"B,1,0,cash," + when, row("A\"B"));
        const auto newLine = [](const char *name, const QString &text, const UserIPOBackupRow &r) {
            QTest::newRow(name) << newHeader + '\n' + text << r;
        };
        newLine("new format, sold", "A,1,0,cash," + when + soldFields, sold(row("A")));
        newLine("new format, nothing given", "A,1,0,cash," + when + ",,,,,,,,,", row("A"));
        newLine("new format, five fields", "A,1,0,cash," + when, rejected);
        newLine("new format, price in words", "A,1,0,cash," + when + ",ten,,,,,,,,", rejected);
        newLine("new format, price past mills", "A,1,0,cash," + when + ",1.0005,,,,,,,,", rejected);
        newLine("new format, impossible sell date", "A,1,0,cash," + when + ",,,,2026-02-30,,,,,",
                rejected);
    }
    void parseRules() {
        QFETCH(QString, text);
        QFETCH(UserIPOBackupRow, expected);
        const auto parsed = parseBackupCSV(text);
        if (expected.code == "<refused>")
            QCOMPARE(errorOf(parsed), UserIPOBackupCSVError::invalidHeader());
        else if (expected.code == "<none>")
            QCOMPARE(valueOf(parsed), ParsedBackupCSV());
        else if (expected.code.isNull())
            QCOMPARE(valueOf(parsed), (ParsedBackupCSV{{}, 1}));
        else
            QCOMPARE(valueOf(parsed), (ParsedBackupCSV{{expected}, 0}));
    }

    // Any line ending, blank lines skipped, line breaks inside quotes kept in the field.
    void lineEndings() {
        const QStringList lines = {header, "00700,2000,500,margin," + when, "bad line",
                                   "\"A\rB\r\nC\n\",1,2,cash," + when, "09988,1,2,cash," + when};
        const QList<UserIPOBackupRow> expected = {row("00700", 2000, 500, SubMethod::margin),
                                                  row("A\rB\r\nC\n", 1, 2), row("09988", 1, 2)};
        for (const char *separator : {"\n", "\r\n", "\r", "\n \n\r\n\t\r"})
            QCOMPARE(valueOf(parseBackupCSV(lines.join(separator) + separator)),
                     (ParsedBackupCSV{expected, 1}));
    }

    // A stray opening quote costs its own line only, not every line after it.
    void strayQuoteDoesNotSwallowLaterLines() {
        for (const QString &stray :
             {"\"C,1,0,cash," + when, "\"C,1,0,cash," + when + "\nD,1,0,cash," + when + "\n\"E"}) {
            const ParsedBackupCSV parsed = valueOf(parseBackupCSV(
                header + "\nA,1,0,cash," + when + '\n' + stray + "\nB,1,0,cash," + when));
            QCOMPARE(parsed.rows.value(0), row("A"));
            QCOMPARE(parsed.rows.value(parsed.rows.size() - 1), row("B"));
            QVERIFY(parsed.rejectedLineCount >= 1);
            QCOMPARE(parsed.rows.size() + parsed.rejectedLineCount, 3 + stray.count('\n'));
        }
    }

    void fileNameUsesTheLocalDate() {
        const QByteArray zone = qgetenv("TZ");
        const auto restore = qScopeGuard([&] {
            zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
            ::tzset();
        });
        const auto nameIn = [](const char *zone) {
            qputenv("TZ", zone);
            ::tzset();
            return backupFileName(testsupport::ManualClock(utc(2025, 3, 4, 20, 30)).clock());
        };
        QCOMPARE(nameIn("UTC0"), QString("orvel-user-backup-20250304"));
        QCOMPARE(nameIn("HKT-8"), QString("orvel-user-backup-20250305")); // already the 5th there
    }

    // An empty file reads as empty text, which the reader then refuses for its missing header.
    void documentRead() {
        const auto text = [](const QByteArray &bytes) {
            const auto read = UserIPOBackupDocument::read(bytes);
            return read ? read.value().csvText
                        : QString(read.error() == UserIPOBackupCSVError::unreadableEncoding()
                                      ? "<unreadable>"
                                      : "<other>");
        };
        QCOMPARE(text({}), "");
        QCOMPARE(text("code,x"), "code,x");
        QCOMPARE(text("\xef\xbb\xbf"
                      "code"),
                 "code");                               // byte-order mark dropped
        QCOMPARE(text("caf\xe9"), "<unreadable>");      // latin-1
        QCOMPARE(text("\xed\xa0\x80"), "<unreadable>"); // surrogate
        QCOMPARE(text("ab\xe4\xb8"), "<unreadable>");   // cut off at the end
    }
};

ORVEL_TEST_CLASS(UserIPOBackupCSVTest);

#include "UserIPOBackupCSVTest.moc"
