#include "UserIPOBackupCSV.h"

#include "model/MoneyText.h"
#include "model/NumberParsing.h"

#include <algorithm>
#include <optional>

namespace {

constexpr QChar quote = u'"';
constexpr QChar comma = u',';
constexpr qsizetype firstFormatColumns = 5;
constexpr qsizetype columns = 14;

bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r';
}

// --- instants -------------------------------------------------------------------------------

int asciiDigits(QStringView text, qsizetype pos, qsizetype count) {
    int value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// An internet date-time, with or without fractional seconds: yyyy-MM-ddTHH:mm:ss[.f...] and
// "Z" or a ±HH:mm offset. Digits beyond the millisecond are dropped; the instant comes back in
// UTC and must fall in the years the file format can write again.
std::optional<QDateTime> parseInternetDateTime(QStringView text) {
    if (text.size() < 20)
        return std::nullopt;
    if (text[4] != u'-' || text[7] != u'-' || (text[10] != u'T' && text[10] != u't') ||
        text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const int year = asciiDigits(text, 0, 4);
    const int month = asciiDigits(text, 5, 2);
    const int day = asciiDigits(text, 8, 2);
    const int hour = asciiDigits(text, 11, 2);
    const int minute = asciiDigits(text, 14, 2);
    const int second = asciiDigits(text, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;

    qsizetype pos = 19;
    int msec = 0;
    if (text[pos] == u'.') {
        const qsizetype first = ++pos;
        while (pos < text.size() && asciiDigits(text, pos, 1) >= 0)
            ++pos;
        if (pos == first)
            return std::nullopt;
        for (qsizetype i = first; i < first + 3; ++i)
            msec = msec * 10 + (i < pos ? asciiDigits(text, i, 1) : 0);
    }

    qint64 offsetSecs = 0;
    const qsizetype rest = text.size() - pos;
    if (rest == 1 && (text[pos] == u'Z' || text[pos] == u'z')) {
        offsetSecs = 0;
    } else if (rest == 6 && (text[pos] == u'+' || text[pos] == u'-') && text[pos + 3] == u':') {
        const int offsetHours = asciiDigits(text, pos + 1, 2);
        const int offsetMinutes = asciiDigits(text, pos + 4, 2);
        if (offsetHours < 0 || offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59)
            return std::nullopt;
        offsetSecs = (offsetHours * 60 + offsetMinutes) * 60;
        if (text[pos] == u'-')
            offsetSecs = -offsetSecs;
    } else {
        return std::nullopt;
    }

    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const qint64 msecs = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch() - offsetSecs * 1000;
    QDateTime instant = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    if (instant.date().year() < 1 || instant.date().year() > 9999)
        return std::nullopt;
    return instant;
}

// --- writing ---------------------------------------------------------------------------------

bool needsQuotes(const QString &field) {
    if (field.isEmpty())
        return false;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    return std::any_of(field.cbegin(), field.cend(),
                       [](QChar c) { return c == comma || c == quote || isLineBreak(c); });
}

QString csvField(const QString &field) {
    if (!needsQuotes(field))
        return field;
    QString quoted = field;
    quoted.replace(quote, QStringLiteral("\"\""));
    return quote + quoted + quote;
}

QString optionalField(const std::optional<qint64> &value, QString (*format)(qint64)) {
    return value ? format(*value) : QString();
}

// yyyy-MM-dd, written by hand: a backup writes three per row.
QString optionalDayField(const std::optional<QDate> &day) {
    if (!day || !day->isValid() || day->year() < 1 || day->year() > 9999)
        return QString();
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    day->getDate(&year, &month, &dayOfMonth);
    const char16_t text[10] = {char16_t(u'0' + year / 1000),
                               char16_t(u'0' + year / 100 % 10),
                               char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10),
                               u'-',
                               char16_t(u'0' + month / 10),
                               char16_t(u'0' + month % 10),
                               u'-',
                               char16_t(u'0' + dayOfMonth / 10),
                               char16_t(u'0' + dayOfMonth % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

QString csvLine(const UserIPOBackupRow &row) {
    const IPOSale &sale = row.sale;
    const QStringList fields{
        csvField(row.code),
        QString::number(row.subQuantity),
        QString::number(row.winQuantity),
        row.subMethod == SubMethod::margin ? QStringLiteral("margin") : QStringLiteral("cash"),
        formatBackupInstant(row.updatedAt),
        optionalField(sale.finalPriceMills, &MoneyText::mills),
        sale.soldQuantity == 0 ? QString() : QString::number(sale.soldQuantity),
        optionalField(sale.sellPriceMills, &MoneyText::mills),
        optionalDayField(sale.sellDate),
        optionalField(sale.feeTotalCents, &MoneyText::cents),
        csvField(row.ipo.name),
        optionalDayField(row.ipo.listingDay),
        optionalDayField(row.ipo.subEndDay),
        csvField(row.ipo.priceRange)};
    return fields.join(comma);
}

// --- reading ---------------------------------------------------------------------------------

struct Field {
    QString text;
    bool quoted = false;
};

// Where one record of the file lies. With quotes followed, a quoted field may carry line breaks,
// so a record can span several physical lines; otherwise a record is one physical line.
struct RecordSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    bool spansLines = false;
    bool unterminated = false;
};

RecordSpan scanRecord(QStringView text, qsizetype begin, bool followQuotes) {
    RecordSpan span{begin, text.size(), text.size()};
    bool inQuotes = false;
    bool atFieldStart = true;
    bool seenContent = false;
    qsizetype i = begin;
    while (i < text.size()) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == quote) {
                if (i + 1 < text.size() && text[i + 1] == quote) {
                    i += 2;
                    continue;
                }
                inQuotes = false;
            } else if (isLineBreak(c)) {
                span.spansLines = true;
            }
            ++i;
            continue;
        }
        if (isLineBreak(c)) {
            span.end = i;
            span.next = i + 1;
            if (c == u'\r' && span.next < text.size() && text[span.next] == u'\n')
                ++span.next;
            return span;
        }
        if (c == quote && atFieldStart && followQuotes) {
            inQuotes = true;
            atFieldStart = false;
            seenContent = true;
        } else if (c == comma) {
            atFieldStart = true;
            seenContent = true;
        } else if (!(c.isSpace() && !seenContent)) {
            // White space before the first field is trimmed away later, so a quote after it
            // still opens the field.
            atFieldStart = false;
            seenContent = true;
        }
        ++i;
    }
    span.unterminated = inQuotes;
    return span;
}

// Splits a trimmed record at its commas. A field that begins with a double quote runs to the
// matching quote ("" stands for one quote) and must be followed by a comma or the end; anything
// else makes the record unusable. Without quotes this is a plain split that keeps empty fields.
std::optional<QList<Field>> splitFields(QStringView record) {
    QList<Field> fields;
    qsizetype i = 0;
    const qsizetype n = record.size();
    while (true) {
        Field field;
        if (i < n && record[i] == quote) {
            field.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                if (record[i] == quote) {
                    if (i + 1 < n && record[i + 1] == quote) {
                        field.text += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field.text += record[i++];
            }
            if (!closed || (i < n && record[i] != comma))
                return std::nullopt;
        } else {
            const qsizetype start = i;
            while (i < n && record[i] != comma)
                ++i;
            field.text = record.mid(start, i - start).toString();
        }
        fields.append(std::move(field));
        if (i >= n)
            return fields;
        ++i; // the comma; a trailing one leaves an empty last field
    }
}

// An optional field: empty is "not given"; anything else must read, or the row is unusable.
template <typename T>
bool readOptional(const Field &field, std::optional<T> (*read)(QStringView), std::optional<T> &to) {
    const QString text = field.text.trimmed();
    if (text.isEmpty())
        return true;
    to = read(text);
    return to.has_value();
}

// yyyy-MM-dd exactly, read by hand: a backup reads three per row.
std::optional<QDate> readDay(QStringView text) {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const int year = asciiDigits(text, 0, 4);
    const int month = asciiDigits(text, 5, 2);
    const int day = asciiDigits(text, 8, 2);
    if (year < 1 || month < 0 || day < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// Only a quoted field keeps white space at its ends: the writer quoted it for that reason.
QString text(const Field &field) {
    return field.quoted ? field.text : field.text.trimmed();
}

// The columns after the first five, into `row`; false when one does not read.
bool readSaleAndCopy(const QList<Field> &fields, UserIPOBackupRow &row) {
    std::optional<qint64> sold;
    if (!readOptional(fields[5], &MoneyText::parseMills, row.sale.finalPriceMills) ||
        !readOptional(fields[6], &parseInteger, sold) ||
        !readOptional(fields[7], &MoneyText::parseMills, row.sale.sellPriceMills) ||
        !readOptional(fields[8], &readDay, row.sale.sellDate) ||
        !readOptional(fields[9], &MoneyText::parseCents, row.sale.feeTotalCents) ||
        !readOptional(fields[11], &readDay, row.ipo.listingDay) ||
        !readOptional(fields[12], &readDay, row.ipo.subEndDay))
        return false;
    row.sale.soldQuantity = sold.value_or(0);
    row.ipo.name = text(fields[10]);
    row.ipo.priceRange = text(fields[13]);
    return true;
}

std::optional<UserIPOBackupRow> rowFromRecord(QStringView record, qsizetype columnCount) {
    const std::optional<QList<Field>> fields = splitFields(record);
    if (!fields || fields->size() != columnCount)
        return std::nullopt;
    const Field &code = (*fields)[0];
    if (code.text.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<qint64> subQuantity = parseInteger((*fields)[1].text);
    const std::optional<qint64> winQuantity = parseInteger((*fields)[2].text);
    if (!subQuantity || !winQuantity)
        return std::nullopt;
    const QString method = (*fields)[3].text.trimmed().toLower();
    if (method != u"cash" && method != u"margin")
        return std::nullopt;
    const std::optional<QDateTime> updatedAt = parseInternetDateTime((*fields)[4].text.trimmed());
    if (!updatedAt)
        return std::nullopt;
    UserIPOBackupRow row{text(code),
                         *subQuantity,
                         *winQuantity,
                         method == u"margin" ? SubMethod::margin : SubMethod::cash,
                         *updatedAt,
                         {},
                         {}};
    if (columnCount > firstFormatColumns && !readSaleAndCopy(*fields, row))
        return std::nullopt;
    return row;
}

} // namespace

QString formatBackupInstant(const QDateTime &instant) {
    const QDateTime utc = instant.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", date.year(), date.month(),
                             date.day(), time.hour(), time.minute(), time.second(), time.msec());
}

QString makeBackupCSV(QList<UserIPOBackupRow> rows) {
    std::sort(rows.begin(), rows.end(), &UserIPOBackupRow::precedesInBackup);
    QString csv = backupCSVHeader.toString();
    for (const UserIPOBackupRow &row : rows) {
        csv += u'\n';
        csv += csvLine(row);
    }
    return csv;
}

Expected<ParsedBackupCSV, UserIPOBackupCSVError> parseBackupCSV(const QString &text) {
    const QStringView view(text);
    qsizetype pos = 0;

    // The header is read as a plain line, exactly as it always has been.
    bool sawHeader = false;
    qsizetype columnCount = 0;
    while (pos < view.size()) {
        const RecordSpan line = scanRecord(view, pos, false);
        pos = line.next;
        const QStringView trimmed = view.mid(line.begin, line.end - line.begin).trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed == backupCSVHeader)
            columnCount = columns;
        else if (trimmed == firstBackupCSVHeader)
            columnCount = firstFormatColumns;
        else
            return UserIPOBackupCSVError::invalidHeader();
        sawHeader = true;
        break;
    }
    if (!sawHeader)
        return UserIPOBackupCSVError::invalidHeader();

    ParsedBackupCSV parsed;
    while (pos < view.size()) {
        RecordSpan span = scanRecord(view, pos, true);
        QStringView record = view.mid(span.begin, span.end - span.begin).trimmed();
        std::optional<UserIPOBackupRow> row = rowFromRecord(record, columnCount);
        // A quote that does not pair up into a usable row must not swallow the lines after it:
        // read this one physical line on its own (it is then rejected) and go on from the next.
        if (!row && (span.spansLines || span.unterminated)) {
            span = scanRecord(view, pos, false);
            record = view.mid(span.begin, span.end - span.begin).trimmed();
            row = rowFromRecord(record, columnCount);
        }
        pos = span.next;
        if (record.isEmpty())
            continue;
        if (row)
            parsed.rows.append(std::move(*row));
        else
            ++parsed.rejectedLineCount;
    }
    return parsed;
}

QString backupFileName(const Clock &clock) {
    return QStringLiteral("orvel-user-backup-") +
           clock().toLocalTime().date().toString(QStringLiteral("yyyyMMdd"));
}
