#pragma once

#include "BrokerCharges.h"
#include "IPORecord.h"
#include "IPOResult.h"

#include <QDate>
#include <QList>

#include <array>
#include <optional>

// One IPO of a year's ledger with its result and the day that placed it in the year; its
// record is YearFigures::recordOf(ipo).
struct YearIPO {
    qsizetype recordIndex = 0;
    IPOResult result;
    QDate day;
};

// The year at a glance, from the user's entries: how often applying paid off and what it
// earned. Pure: the same records and charges always give the same figures.
class YearFigures {
public:
    // The day that places a record in a year: its sell date once shares are sold, else its
    // listing day, else the day its entry last changed (market time); invalid without an entry.
    static QDate dayOf(const IPORecord &record);
    // The years that have entries, newest first.
    static QList<int> years(const QList<IPORecord> &records);
    // The figures of `year` over every record with an entry placed in it.
    static YearFigures of(const QList<IPORecord> &records, int year,
                          const BrokerCharges &broker = {});

    int year = 0;
    // Entries with shares applied for; of them, those with shares allotted.
    qint64 applications = 0;
    qint64 allotted = 0;
    // Allotted and fully sold; of them, those with a result above zero.
    qint64 closed = 0;
    qint64 wins = 0;
    // Sum of the results (unallotted applications' costs included) and of every charge.
    qint64 resultCents = 0;
    qint64 feesCents = 0;
    // Results by month of the placing day, January first.
    std::array<qint64, 12> resultByMonthCents{};
    // The year's IPOs by placing day; on the same day in the order of `records`.
    QList<YearIPO> ipos;
    // The records the figures were made from (shared with the caller's list, not copied).
    QList<IPORecord> records;
    const IPORecord &recordOf(const YearIPO &ipo) const { return records.at(ipo.recordIndex); }
    // Index into ipos of the highest and the lowest result among IPOs with shares sold.
    std::optional<qsizetype> best;
    std::optional<qsizetype> worst;

    // allotted ÷ applications and wins ÷ closed in tenths of a percent; none over zero.
    std::optional<qint64> hitRatePermille() const;
    std::optional<qint64> winRatePermille() const;
};
