#include "ManualClock.h"
#include "StoreTestSupport.h"
#include "TestRegistry.h"

#include "store/UserIPOBackupCSV.h"
#include "store/UserIPOBackupDocument.h"

#include <QTest>
#include <QTimeZone>

#include <ctime>
#include <limits>

using namespace storetest;

namespace {

const QString header = QStringLiteral("code,sub_quantity,win_quantity,sub_method,updated_at");

UserIPOBackupRow row(const QString &code, qint64 sub, qint64 win, SubMethod method,
                     const QDateTime &at) {
    return UserIPOBackupRow{code, sub, win, method, at};
}

const UserIPOBackupRow sample =
    row(QStringLiteral("00700"), 2000, 500, SubMethod::margin, utc(2025, 3, 4, 5, 6, 7, 890));

// Sets TZ for the lifetime of the object.
class TimeZoneOverride {
public:
    explicit TimeZoneOverride(const QByteArray &zone)
        : m_hadZone(qEnvironmentVariableIsSet("TZ"))
        , m_previous(qgetenv("TZ")) {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~TimeZoneOverride() {
        if (m_hadZone)
            qputenv("TZ", m_previous);
        else
            qunsetenv("TZ");
        ::tzset();
    }

private:
    bool m_hadZone;
    QByteArray m_previous;
};

} // namespace

Q_DECLARE_METATYPE(UserIPOBackupRow)

class UserIPOBackupCSVTest : public QObject {
    Q_OBJECT

private slots:
    // Sorted by code, then newest first; instants in UTC with milliseconds.
    void writesSortedRowsInUtc() {
        QCOMPARE(makeBackupCSV({}), header);
        const QDateTime hongKong(QDate(2025, 1, 1), QTime(8, 0, 0, 1), QTimeZone(8 * 3600));
        const QList<UserIPOBackupRow> rows = {
            row(QStringLiteral("09988"), 1, 0, SubMethod::cash, utc(2025, 1, 1)),
            row(QStringLiteral("00700"), 2, 0, SubMethod::cash, utc(2024, 1, 1)),
            row(QStringLiteral("00700"), 3, 500, SubMethod::margin, hongKong),
            row(QStringLiteral("02590"), 4, 0, SubMethod::cash, utc(1, 1, 1)),
        };
        QCOMPARE(makeBackupCSV(rows),
                 header + QStringLiteral("\n00700,3,500,margin,2025-01-01T00:00:00.001Z"
                                         "\n00700,2,0,cash,2024-01-01T00:00:00.000Z"
                                         "\n02590,4,0,cash,0001-01-01T00:00:00.000Z"
                                         "\n09988,1,0,cash,2025-01-01T00:00:00.000Z"));
    }

    void quotesOnlyFieldsThatNeedIt_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "00700"
                               << "00700";
        QTest::newRow("comma") << "A,B"
                               << "\"A,B\"";
        QTest::newRow("double quote") << "A\"B"
                                      << "\"A\"\"B\"";
        QTest::newRow("line feed") << "A\nB"
                                   << "\"A\nB\"";
        QTest::newRow("carriage return") << "A\rB"
                                         << "\"A\rB\"";
        QTest::newRow("leading space") << " AB"
                                       << "\" AB\"";
        QTest::newRow("trailing tab") << "AB\t"
                                      << "\"AB\t\"";
    }
    void quotesOnlyFieldsThatNeedIt() {
        QFETCH(QString, code);
        QFETCH(QString, written);
        const UserIPOBackupRow r = row(code, -5, 7, SubMethod::cash, utc(2025, 1, 2));
        const QString csv = makeBackupCSV({r});
        QCOMPARE(csv,
                 header + u'\n' + written + QStringLiteral(",-5,7,cash,2025-01-02T00:00:00.000Z"));

        const auto parsed = parseBackupCSV(csv);
        QVERIFY(parsed);
        QCOMPARE(parsed->rejectedLineCount, 0);
        QCOMPARE(parsed->rows, QList<UserIPOBackupRow>{r});
    }

    void headerRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty text") << "" << false;
        QTest::newRow("header alone") << header << true;
        QTest::newRow("header with trailing spaces") << header + "   " << true;
        QTest::newRow("blank lines before the header") << "\n  \n" + header + "\n" << true;
        QTest::newRow("extra column") << header + ",note" << false;
        QTest::newRow("data without header")
            << "00700,2000,500,margin,2025-03-04T05:06:07.890Z" << false;
    }
    void headerRules() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const auto parsed = parseBackupCSV(text);
        QCOMPARE(bool(parsed), accepted);
        if (accepted) {
            QVERIFY(parsed->rows.isEmpty());
            QCOMPARE(parsed->rejectedLineCount, 0);
        } else {
            QCOMPARE(parsed.error(), UserIPOBackupCSVError::invalidHeader());
        }
    }

    // One data line each; a null code in the expected row means the line is rejected.
    void dataLineRules_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<UserIPOBackupRow>("expected");
        const UserIPOBackupRow rejected;
        const QDateTime at = utc(2025, 3, 4, 5, 6, 7, 890);
        const QString when = QStringLiteral("2025-03-04T05:06:07.890Z");

        QTest::newRow("documented example") << "00700,2000,500,margin," + when << sample;
        QTest::newRow("six fields") << "00700,2000,500,margin," + when + ",x" << rejected;
        QTest::newRow("four fields") << "00700,2000,500,margin" << rejected;
        QTest::newRow("blank code") << "   ,2000,500,margin," + when << rejected;
        QTest::newRow("code trimmed")
            << "  00700 ,2000,500,margin," + when << row("00700", 2000, 500, SubMethod::margin, at);
        QTest::newRow("decimal quantity") << "A,5.0,0,cash," + when << rejected;
        QTest::newRow("method capitalised with space")
            << "A,1,0,Margin ," + when << row("A", 1, 0, SubMethod::margin, at);
        QTest::newRow("unknown method") << "A,1,0,credit," + when << rejected;
        QTest::newRow("no fraction") << "A,1,0,cash,2025-03-04T05:06:07Z"
                                     << row("A", 1, 0, SubMethod::cash, utc(2025, 3, 4, 5, 6, 7));
        QTest::newRow("offset") << "A,1,0,cash,2025-03-04T13:06:07.890+08:00"
                                << row("A", 1, 0, SubMethod::cash, at);
        QTest::newRow("negative offset")
            << "A,1,0,cash,2025-03-04T00:06:07.890-05:00" << row("A", 1, 0, SubMethod::cash, at);
        QTest::newRow("long fraction")
            << "A,1,0,cash,2025-03-04T05:06:07.890999Z" << row("A", 1, 0, SubMethod::cash, at);
        QTest::newRow("short fraction")
            << "A,1,0,cash,2025-03-04T05:06:07.89Z" << row("A", 1, 0, SubMethod::cash, at);
        QTest::newRow("date padded by spaces")
            << "A,1,0,cash,  " + when + " " << row("A", 1, 0, SubMethod::cash, at);
        QTest::newRow("date without time") << "A,1,0,cash,2025-03-04" << rejected;
        QTest::newRow("no zone") << "A,1,0,cash,2025-03-04T05:06:07.890" << rejected;
        QTest::newRow("space for T") << "A,1,0,cash,2025-03-04 05:06:07.890Z" << rejected;
        QTest::newRow("impossible day") << "A,1,0,cash,2025-02-30T05:06:07Z" << rejected;
        QTest::newRow("empty fraction") << "A,1,0,cash,2025-03-04T05:06:07.Z" << rejected;
        QTest::newRow("year zero") << "A,1,0,cash,0000-01-01T00:00:00Z" << rejected;
        QTest::newRow("every field quoted") << "\"A\",\"1\",\"-2\",\"margin\",\"" + when + "\""
                                            << row("A", 1, -2, SubMethod::margin, at);
        QTest::newRow("quoted blank code") << "\"  \",1,0,cash," + when << rejected;
        QTest::newRow("text after closing quote") << "\"A\"B,1,0,cash," + when << rejected;
        QTest::newRow("unterminated quote") << "\"A,1,0,cash," + when << rejected;
        // Quotes inside an unquoted field are ordinary characters, as they always were.
        QTest::newRow("inner quote, unquoted")
            << "A\"B,1,0,cash," + when << row("A\"B", 1, 0, SubMethod::cash, at);
    }
    void dataLineRules() {
        QFETCH(QString, line);
        QFETCH(UserIPOBackupRow, expected);
        const auto parsed = parseBackupCSV(header + u'\n' + line);
        QVERIFY(parsed);
        if (expected.code.isNull()) {
            QCOMPARE(parsed->rejectedLineCount, 1);
            QVERIFY(parsed->rows.isEmpty());
        } else {
            QCOMPARE(parsed->rejectedLineCount, 0);
            QCOMPARE(parsed->rows, QList<UserIPOBackupRow>{expected});
        }
    }

    void lineEndings_data() {
        QTest::addColumn<QString>("separator");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CRLF") << "\r\n";
        QTest::newRow("CR") << "\r";
        QTest::newRow("blank lines between") << "\n \n\r\n\t\r";
    }
    void lineEndings() {
        QFETCH(QString, separator);
        const QStringList lines = {
            header,
            QStringLiteral("00700,2000,500,margin,2025-03-04T05:06:07.890Z"),
            QStringLiteral("bad line"),
            QStringLiteral("\"A\rB\",1,2,cash,2025-01-01T00:00:00Z"),
            QStringLiteral("09988,1,2,cash,2025-01-01T00:00:00Z"),
        };
        const auto parsed = parseBackupCSV(lines.join(separator) + separator);
        QVERIFY(parsed);
        QCOMPARE(parsed->rejectedLineCount, 1);
        const QList<UserIPOBackupRow> expected = {
            sample,
            row(QStringLiteral("A\rB"), 1, 2, SubMethod::cash, utc(2025, 1, 1)),
            row(QStringLiteral("09988"), 1, 2, SubMethod::cash, utc(2025, 1, 1)),
        };
        QCOMPARE(parsed->rows, expected);
    }

    void quotedLineBreaksStayInTheField() {
        const auto parsed = parseBackupCSV(
            header + QStringLiteral("\n\"first\r\nsecond\n\",1,2,margin,2025-01-01T00:00:00Z\n"
                                    "B,3,4,cash,2025-01-01T00:00:00Z"));
        QVERIFY(parsed);
        QCOMPARE(parsed->rejectedLineCount, 0);
        QCOMPARE(parsed->rows.size(), 2);
        QCOMPARE(parsed->rows[0].code, QStringLiteral("first\r\nsecond\n"));
    }

    // A stray opening quote in a hand-edited file costs its own line only; the lines after it
    // are read as usual rather than disappearing into one endless field.
    void strayQuoteDoesNotSwallowLaterLines_data() {
        QTest::addColumn<QString>("stray");
        QTest::newRow("never closed") << "\"C,1,0,cash,2025-01-01T00:00:00Z";
        QTest::newRow("closed lines later")
            << "\"C,1,0,cash,2025-01-01T00:00:00Z\nD,1,0,cash,2025-01-01T00:00:00Z\n\"E";
    }
    void strayQuoteDoesNotSwallowLaterLines() {
        QFETCH(QString, stray);
        const QString text = header + QStringLiteral("\nA,1,0,cash,2025-01-01T00:00:00Z\n") +
                             stray + QStringLiteral("\nB,1,0,cash,2025-01-01T00:00:00Z");
        const auto parsed = parseBackupCSV(text);
        QVERIFY(parsed);
        QStringList codes;
        for (const UserIPOBackupRow &r : parsed->rows)
            codes.append(r.code);
        const int strayLines = int(stray.count(u'\n')) + 1;
        QVERIFY(codes.startsWith(QStringLiteral("A")));
        QVERIFY(codes.endsWith(QStringLiteral("B")));
        QCOMPARE(codes.size() + parsed->rejectedLineCount, 2 + strayLines);
        QVERIFY(parsed->rejectedLineCount >= 1);
    }

    void fileNameUsesTheLocalDate_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("expected");
        // 2025-03-04 20:30 UTC is already the 5th east of UTC+3:30.
        QTest::newRow("UTC") << QByteArray("UTC0") << "orvel-user-backup-20250304";
        QTest::newRow("Hong Kong") << QByteArray("HKT-8") << "orvel-user-backup-20250305";
    }
    void fileNameUsesTheLocalDate() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, expected);
        TimeZoneOverride override(zone);
        const testsupport::ManualClock clock(utc(2025, 3, 4, 20, 30));
        QCOMPARE(backupFileName(clock.clock()), expected);
    }

    void documentWritesUtf8WithoutByteOrderMark() {
        QCOMPARE(UserIPOBackupDocument().write(), header.toUtf8());
        const QList<UserIPOBackupRow> rows = {
            row(QStringLiteral("腾讯"), 1, 0, SubMethod::cash, utc(2025, 1, 1)), sample};
        QCOMPARE(UserIPOBackupDocument::fromRows(rows).write(), makeBackupCSV(rows).toUtf8());
    }

    void documentRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("text");
        // Empty text, which the reader then refuses for its missing header.
        QTest::newRow("empty file") << QByteArray() << true << QString();
        QTest::newRow("plain") << QByteArray("code,x") << true << "code,x";
        QTest::newRow("byte-order mark dropped") << QByteArray("\xef\xbb\xbf"
                                                               "code")
                                                 << true << "code";
        QTest::newRow("latin-1 byte") << QByteArray("caf\xe9") << false << QString();
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false << QString();
        QTest::newRow("cut off at the end") << QByteArray("ab\xe4\xb8") << false << QString();
    }
    void documentRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(QString, text);
        const auto read = UserIPOBackupDocument::read(bytes);
        QCOMPARE(bool(read), readable);
        if (readable)
            QCOMPARE(read->csvText, text);
        else
            QCOMPARE(read.error(), UserIPOBackupCSVError::unreadableEncoding());
    }
};

ORVEL_TEST_CLASS(UserIPOBackupCSVTest);

#include "UserIPOBackupCSVTest.moc"
