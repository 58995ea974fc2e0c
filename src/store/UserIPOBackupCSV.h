#pragma once

#include "UserIPOBackupCSVError.h"
#include "UserIPOBackupRow.h"
#include "model/Clock.h"
#include "model/Expected.h"

#include <QList>
#include <QString>

// The backup file format: a fixed header, then one line per entry. Fields that would break the
// line (a comma, a double quote, a line break, or white space at either end, which the reader
// trims) are written in RFC 4180 double quotes; everything else is written bare, so files of
// ordinary codes look exactly as they always have.

// The header written today: the five columns of the first format, unchanged, then the sale
// (prices and the fee total as decimals, days as yyyy-MM-dd, an empty field for "not given")
// and the copy of the IPO.
inline constexpr QStringView backupCSVHeader =
    u"code,sub_quantity,win_quantity,sub_method,updated_at,final_price,sold_quantity,sell_price,"
    u"sell_date,fee_total,ipo_name,ipo_listing_day,ipo_sub_end_day,ipo_price_range";
// The first format's header, still read: its entries come back without a sale or IPO copy.
inline constexpr QStringView firstBackupCSVHeader =
    u"code,sub_quantity,win_quantity,sub_method,updated_at";

struct ParsedBackupCSV {
    QList<UserIPOBackupRow> rows;
    // Lines that were skipped as unusable; the settings window adds them to the skipped count.
    qsizetype rejectedLineCount = 0;

    friend bool operator==(const ParsedBackupCSV &, const ParsedBackupCSV &) = default;
};

// The whole file: header, rows sorted in backup order, lines joined by "\n", no final newline.
QString makeBackupCSV(QList<UserIPOBackupRow> rows);

// Fails only when the first non-blank line is neither header; unusable data lines are counted
// and the good ones still come back, in file order. Duplicate codes are all returned.
Expected<ParsedBackupCSV, UserIPOBackupCSVError> parseBackupCSV(const QString &text);

// "orvel-user-backup-" and the local date as yyyyMMdd. The save dialog appends the extension.
QString backupFileName(const Clock &clock = systemClock());

// The instant form used in the file: UTC, milliseconds, "Z" (2025-03-04T05:06:07.890Z).
QString formatBackupInstant(const QDateTime &instant);
