#include "TestRegistry.h"

#include "model/MarketCalendar.h"
#include "repository/CalendarExport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTest>

namespace {

// Reads the calendar from standard input with python3-icalendar, an implementation that owes
// nothing to ours, and prints what it understood as JSON.
const char *readBackScript = R"(
import json, sys, icalendar
calendar = icalendar.Calendar.from_ical(sys.stdin.buffer.read())
errors = [str(e) for c in calendar.walk() for e in getattr(c, "errors", [])]
events = [{
    "uid": str(e.get("uid")),
    "summary": str(e.get("summary")),
    "description": str(e.get("description")),
    "start": e.decoded("dtstart").isoformat(),
    "end": e.decoded("dtend").isoformat(),
    "stamp": e.decoded("dtstamp").isoformat(),
} for e in calendar.walk("VEVENT")]
json.dump({"errors": errors, "events": events}, sys.stdout, ensure_ascii=False)
)";

// An upcoming IPO with the given market days (invalid: none).
IPORecord ipo(const QString &code, const QString &name, QDate start = {}, QDate end = {},
              QDate listing = {}) {
    const auto day = [](QDate date) {
        return date.isValid() ? std::optional(marketCalendar().startOfDay(date)) : std::nullopt;
    };
    IPORecord record;
    record.ipo = {code,         name,    IPOStatus::upcoming, day(start),   day(end),
                  day(listing), "3,030", "2.80-3.03",         std::nullopt, "主板"};
    return record;
}

// Names that break naive writers, dates that test each rule, a duplicate code and an IPO
// without dates.
QList<IPORecord> craftedList() {
    // Listed on a Friday: grey market on Thursday.
    IPORecord punctuated =
        ipo("02590", "甲, 乙; 丙\\丁", {2025, 1, 9}, {2025, 1, 14}, {2025, 1, 17});
    punctuated.ipo.prospectusURL = "https://example.com/p.pdf";
    punctuated.subQuantity = 2000;
    punctuated.winQuantity = 500;
    punctuated.subMethod = SubMethod::margin;
    // No last day: one day; listed on a Monday: grey market on Friday.
    IPORecord broken = ipo("00700", "第一行\n第二行\r\n<b>标记</b> & <img src=x>", {2025, 1, 10},
                           {}, {2025, 1, 13});
    broken.ipo.prospectusURL = "javascript:alert(1)";
    // The last day before the first: one day. Long enough to fold among three- and four-byte
    // characters.
    return {punctuated, broken,
            ipo("09999", QString(58, u'长') + "科技" + QStringLiteral("😀").repeated(10),
                {2025, 1, 9}, {2025, 1, 8}),
            ipo("01234", "无日期"), ipo("02590", "重复", {}, {}, {2025, 2, 3})};
}

} // namespace

class CalendarExportTest : public QObject {
    Q_OBJECT

private slots:
    // The raw bytes first, which the parser unfolds and forgives: CRLF everywhere, no line past
    // 75 octets, and no fold inside a character. Then what an independent parser reads back.
    void exportReadsBackWithAnIndependentParser() {
        const QDateTime exportedAt(QDate(2025, 1, 8), QTime(1, 2, 3), Qt::UTC);
        const QList<IPORecord> records = craftedList();
        const QByteArray ics = CalendarExport::document(records, exportedAt);
        QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(ics.endsWith("END:VCALENDAR\r\n"));
        QList<QByteArray> lines = ics.split('\n');
        QVERIFY(lines.takeLast().isEmpty());
        int folded = 0;
        for (QByteArray line : lines) {
            QVERIFY2(line.endsWith('\r'), line.constData());
            line.chop(1);
            QVERIFY2(!line.contains('\r') && line.size() <= 75, line.constData());
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString text = decoder.decode(line);
            QVERIFY2(!decoder.hasError() && !text.contains(QChar::ReplacementCharacter),
                     line.constData());
            folded += line.startsWith(' ') ? 1 : 0;
        }
        QVERIFY(folded > 0);
        // Escaped in the file itself: a lenient reader (the one below included) would accept a
        // bare comma or semicolon that a strict one splits the value at.
        QVERIFY(
            QByteArray(ics)
                .replace("\r\n ", "")
                .contains(QStringLiteral("\r\nSUMMARY:申购：甲\\, 乙\\; 丙\\\\丁\r\n").toUtf8()));

        // Debian's interpreter is the one python3-icalendar is installed for; a python3 of its
        // own earlier on the PATH (pyenv and the like) would not see the module.
        const QString interpreter = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                        ? QStringLiteral("/usr/bin/python3")
                                        : QStandardPaths::findExecutable(QStringLiteral("python3"));
        QVERIFY2(!interpreter.isEmpty(), "python3 missing: run scripts/setup");
        QProcess reader;
        reader.start(interpreter, {QStringLiteral("-c"), QString::fromUtf8(readBackScript)});
        QVERIFY(reader.waitForStarted());
        reader.write(ics);
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(60000));
        QVERIFY2(reader.exitCode() == 0,
                 qPrintable(QStringLiteral("python3-icalendar could not read the file (run "
                                           "scripts/setup if it is missing): ") +
                            QString::fromUtf8(reader.readAllStandardError())));
        const QJsonObject answer = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
        QCOMPARE(answer.value("errors").toArray(), QJsonArray());

        const QString punctuated = records[0].ipo.name, broken = records[1].ipo.name;
        QList<QStringList> expected{
            {"02590-subscription@orvel", "申购：" + punctuated, "2025-01-09", "2025-01-15"},
            {"02590-grey-market@orvel", "暗盘：" + punctuated, "2025-01-16T08:15:00+00:00",
             "2025-01-16T10:30:00+00:00"},
            {"02590-listing@orvel", "上市：" + punctuated, "2025-01-17", "2025-01-18"},
            {"00700-subscription@orvel", "申购：" + broken, "2025-01-10", "2025-01-11"},
            {"00700-grey-market@orvel", "暗盘：" + broken, "2025-01-10T08:15:00+00:00",
             "2025-01-10T10:30:00+00:00"},
            {"00700-listing@orvel", "上市：" + broken, "2025-01-13", "2025-01-14"},
            {"09999-subscription@orvel", "申购：" + records[2].ipo.name, "2025-01-09",
             "2025-01-10"},
        };
        QList<QStringList> events;
        QStringList descriptions;
        for (const QJsonValue &value : answer.value("events").toArray()) {
            const QJsonObject event = value.toObject();
            events.append({event.value("uid").toString(), event.value("summary").toString(),
                           event.value("start").toString(), event.value("end").toString()});
            descriptions.append(event.value("description").toString());
            QCOMPARE(event.value("stamp").toString(), QStringLiteral("2025-01-08T01:02:03+00:00"));
        }
        // Line breaks come back as "\n"; the parser does not restore the "\r".
        for (QStringList &event : expected)
            event[1].replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(events, expected);

        // The user's figures and the prospectus link where there are any; only web links.
        for (const char *line : {"申购数量：2000 股（融资90%）", "中签数量：500 股",
                                 "招股书：https://example.com/p.pdf", "每手金额：HK$3,030"})
            QVERIFY2(descriptions[0].split(u'\n').contains(QString::fromUtf8(line)), line);
        QVERIFY(!descriptions[3].contains(QStringLiteral("javascript")));
        QVERIFY(!descriptions[3].contains(QStringLiteral("申购数量")));
        // Exported again later: the same UIDs, so the calendar replaces rather than adds.
        QCOMPARE(CalendarExport::document(records, exportedAt.addDays(3))
                     .replace(QByteArray("DTSTAMP:20250111"), QByteArray("DTSTAMP:20250108")),
                 CalendarExport::document(records, exportedAt));
    }
};

ORVEL_TEST_CLASS(CalendarExportTest);

#include "CalendarExportTest.moc"
