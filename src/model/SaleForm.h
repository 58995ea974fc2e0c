#pragma once

#include "Expected.h"
#include "IPORecord.h"
#include "IPOResult.h"

#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The sale as typed into the detail panel: five texts, checked against the record they belong
// to (with the allotted count as typed beside them). Reading gives the sale to store, or a clear
// message for each field that is wrong, so nothing is stored half.
class SaleForm {
    Q_DECLARE_TR_FUNCTIONS(SaleForm)

public:
    enum class Field { finalPrice, soldQuantity, sellPrice, sellDate, feeTotal };
    struct Error {
        Field field;
        QString message;
        friend bool operator==(const Error &, const Error &) = default;
    };

    // Empty texts mean "not given": the final price is then the top of the range (the
    // placeholder), the shares sold are the allotted count once a sell price is typed.
    QString finalPrice;
    QString soldQuantity;
    QString sellPrice;
    // yyyy-MM-dd.
    QString sellDate;
    QString feeTotal;

    // The stored sale as texts (prices "30.50", the fee "76.22", the day "2026-03-05").
    static SaleForm loaded(const IPORecord &record);
    // The sale, or one message per wrong field in the order above.
    Expected<IPOSale, QList<Error>> read(const IPORecord &record) const;

    // The two quick choices for the sell date: the grey-market day (the business day before
    // listing) and the listing day; none while the listing day is unknown.
    static std::optional<QDate> greyMarketDay(const IPORecord &record);
    static std::optional<QDate> firstDay(const IPORecord &record);

    // The live line: "收益 HK$1173.78（+23.2%）· 费用 HK$76.22" (no return while nothing is
    // sold), and "持有 N 股" while shares are held.
    static QString resultLine(const IPOResult &result);
    static QString heldLine(const IPOResult &result);
};
