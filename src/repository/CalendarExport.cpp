#include "CalendarExport.h"
#include "model/WebAddress.h"

#include <QCoreApplication>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace CalendarExport {

namespace {

// RFC 5545 3.1: a content line longer than this many octets is folded.
constexpr qsizetype maximumLineOctets = 75;
const QTime greyMarketOpens(16, 15);
const QTime greyMarketCloses(18, 30);

struct Event {
    QString uid;
    QString summary;
    QString description;
    // All-day events use the days (the end day is exclusive); timed ones the instants.
    QDate startDay;
    QDate endDay;
    QDateTime start;
    QDateTime end;
};

std::optional<QDate> dayOf(const std::optional<QDateTime> &instant,
                           const MarketCalendar &calendar) {
    if (!instant || !instant->isValid())
        return std::nullopt;
    const QDate day = calendar.dayOf(*instant);
    return day.isValid() ? std::optional(day) : std::nullopt;
}

// Stable across exports and unique per IPO and kind; the code is percent-encoded so that no
// service text can reach the UID's syntax.
QString uid(const IPORecord &record, const char *kind) {
    return QString::fromLatin1(QUrl::toPercentEncoding(record.ipo.code)) + u'-' +
           QLatin1StringView(kind) + QStringLiteral("@orvel");
}

bool isWebLink(const QString &text) {
    return WebAddress::fromText(text).has_value();
}

// The listing data and the user's own figures, one per line.
QString description(const IPORecord &record) {
    const IPOData &ipo = record.ipo;
    QStringList lines{QCoreApplication::translate("CalendarExport", "代码：%1").arg(ipo.code)};
    if (!ipo.board.isEmpty())
        lines.append(QCoreApplication::translate("CalendarExport", "板块：%1").arg(ipo.board));
    if (!ipo.lotAmount.isEmpty())
        lines.append(
            QCoreApplication::translate("CalendarExport", "每手金额：HK$%1").arg(ipo.lotAmount));
    if (!ipo.priceRange.isEmpty())
        lines.append(
            QCoreApplication::translate("CalendarExport", "招股价：HK$%1").arg(ipo.priceRange));
    // Calendar applications turn links into something to click: only the kinds ORVEL itself
    // would open go in.
    if (ipo.prospectusURL && isWebLink(*ipo.prospectusURL))
        lines.append(
            QCoreApplication::translate("CalendarExport", "招股书：%1").arg(*ipo.prospectusURL));
    if (record.subQuantity > 0)
        lines.append(
            (record.subMethod == SubMethod::margin
                 ? QCoreApplication::translate("CalendarExport", "申购数量：%1 股（融资90%）")
                 : QCoreApplication::translate("CalendarExport", "申购数量：%1 股（现金申购）"))
                .arg(record.subQuantity));
    if (record.winQuantity > 0)
        lines.append(QCoreApplication::translate("CalendarExport", "中签数量：%1 股")
                         .arg(record.winQuantity));
    return lines.join(u'\n');
}

QList<Event> eventsOf(const QList<IPORecord> &records, const MarketCalendar &calendar) {
    QList<Event> events;
    QSet<QString> seen;
    for (const IPORecord &record : records) {
        // Two events with one UID in one file would leave it to the calendar which one wins.
        if (seen.contains(record.ipo.code))
            continue;
        seen.insert(record.ipo.code);
        const QString name = record.ipo.name;
        const QString details = description(record);

        if (const std::optional<QDate> first = dayOf(record.ipo.subStart, calendar)) {
            // A last day missing, or before the first (a service slip), leaves a one-day event
            // rather than one that ends before it starts.
            QDate last = dayOf(record.ipo.subEnd, calendar).value_or(*first);
            if (last < *first)
                last = *first;
            events.append({uid(record, "subscription"),
                           QCoreApplication::translate("CalendarExport", "申购：%1").arg(name),
                           details,
                           *first,
                           last.addDays(1),
                           {},
                           {}});
        }
        if (const std::optional<QDate> listing = dayOf(record.ipo.listingDate, calendar)) {
            const QDate greyMarket =
                calendar.dayOf(previousBusinessDay(calendar.startOfDay(*listing), calendar));
            const QDateTime opens(greyMarket, greyMarketOpens, calendar.timeZone());
            const QDateTime closes(greyMarket, greyMarketCloses, calendar.timeZone());
            if (opens.isValid() && closes.isValid())
                events.append({uid(record, "grey-market"),
                               QCoreApplication::translate("CalendarExport", "暗盘：%1").arg(name),
                               details,
                               {},
                               {},
                               opens,
                               closes});
            events.append({uid(record, "listing"),
                           QCoreApplication::translate("CalendarExport", "上市：%1").arg(name),
                           details,
                           *listing,
                           listing->addDays(1),
                           {},
                           {}});
        }
    }
    return events;
}

// A TEXT value (RFC 5545 3.3.11): backslash, semicolon, comma and line breaks escaped; other
// control characters, which the format does not allow, become spaces.
QString escapedText(const QString &text) {
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u';':
            escaped += QStringLiteral("\\;");
            break;
        case u',':
            escaped += QStringLiteral("\\,");
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            escaped += QStringLiteral("\\n");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        default:
            escaped += (c < 0x20 && c != u'\t') || c == 0x7f ? QChar(u' ') : text[i];
        }
    }
    return escaped;
}

// Appends one content line, folded: a CRLF and a space before any character that would take the
// line past 75 octets, never inside a character's UTF-8 bytes.
void appendLine(QByteArray &out, const QByteArray &line) {
    qsizetype column = 0;
    for (qsizetype i = 0; i < line.size();) {
        const auto lead = static_cast<uchar>(line[i]);
        qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, line.size() - i);
        if (column + length > maximumLineOctets) {
            out += "\r\n ";
            column = 1;
        }
        out += line.mid(i, length);
        column += length;
        i += length;
    }
    out += "\r\n";
}

void appendProperty(QByteArray &out, const char *name, const QString &value) {
    appendLine(out, QByteArray(name) + ':' + value.toUtf8());
}

QString utcStamp(const QDateTime &instant) {
    return instant.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

QString dateStamp(QDate day) {
    return day.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

QString nothingToExportMessage() {
    return QCoreApplication::translate("CalendarExport",
                                       "当前列表中没有带日期的新股，请刷新后再试。");
}

qsizetype eventCount(const QList<IPORecord> &records, const MarketCalendar &calendar) {
    return eventsOf(records, calendar).size();
}

QByteArray document(const QList<IPORecord> &records, const QDateTime &exportedAt,
                    const MarketCalendar &calendar) {
    QByteArray out;
    appendProperty(out, "BEGIN", QStringLiteral("VCALENDAR"));
    appendProperty(out, "VERSION", QStringLiteral("2.0"));
    appendProperty(out, "PRODID", QStringLiteral("-//ORVEL//IPO Calendar//ZH"));
    appendProperty(out, "CALSCALE", QStringLiteral("GREGORIAN"));
    appendProperty(out, "METHOD", QStringLiteral("PUBLISH"));
    appendProperty(out, "X-WR-CALNAME",
                   escapedText(QCoreApplication::translate("CalendarExport", "ORVEL 新股日历")));
    const QString stamp = utcStamp(exportedAt);
    for (const Event &event : eventsOf(records, calendar)) {
        appendProperty(out, "BEGIN", QStringLiteral("VEVENT"));
        appendProperty(out, "UID", escapedText(event.uid));
        appendProperty(out, "DTSTAMP", stamp);
        if (event.start.isValid()) {
            appendProperty(out, "DTSTART", utcStamp(event.start));
            appendProperty(out, "DTEND", utcStamp(event.end));
        } else {
            appendProperty(out, "DTSTART;VALUE=DATE", dateStamp(event.startDay));
            appendProperty(out, "DTEND;VALUE=DATE", dateStamp(event.endDay));
        }
        appendProperty(out, "SUMMARY", escapedText(event.summary));
        appendProperty(out, "DESCRIPTION", escapedText(event.description));
        // Market dates, not the user's appointments: they never show the user as busy.
        appendProperty(out, "TRANSP", QStringLiteral("TRANSPARENT"));
        appendProperty(out, "END", QStringLiteral("VEVENT"));
    }
    appendProperty(out, "END", QStringLiteral("VCALENDAR"));
    return out;
}

QString suggestedFileName(const QDateTime &now) {
    return QStringLiteral("orvel-calendar-") +
           now.toLocalTime().date().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".ics");
}

} // namespace CalendarExport
