#include "SaleForm.h"

#include "MarketCalendar.h"
#include "MoneyText.h"
#include "NumberParsing.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

using Error = SaleForm::Error;
using Field = SaleForm::Field;

QString trimmed(const QString &text) {
    return text.trimmed();
}

// A price or amount to `places`; empty is none. On error, a message for `field`.
std::optional<qint64> readAmount(const QString &text, int places, Field field,
                                 QList<Error> &errors) {
    const QString t = trimmed(text);
    if (t.isEmpty())
        return std::nullopt;
    const std::optional<qint64> value = parseScaled(t, places);
    if (!value)
        errors.append(
            {field, parseDecimal(t)
                        ? QCoreApplication::translate("SaleForm", "最多 %1 位小数").arg(places)
                        : QCoreApplication::translate("SaleForm", "请输入数字，如 12.50")});
    else if (*value < 0)
        errors.append({field, QCoreApplication::translate("SaleForm", "不能为负数")});
    else
        return value;
    return std::nullopt;
}

} // namespace

SaleForm SaleForm::loaded(const IPORecord &record) {
    const IPOSale &sale = record.sale;
    SaleForm form;
    if (sale.finalPriceMills)
        form.finalPrice = MoneyText::mills(*sale.finalPriceMills);
    if (sale.soldQuantity != 0)
        form.soldQuantity = QString::number(sale.soldQuantity);
    if (sale.sellPriceMills)
        form.sellPrice = MoneyText::mills(*sale.sellPriceMills);
    if (sale.sellDate)
        form.sellDate = sale.sellDate->toString(Qt::ISODate);
    if (sale.feeTotalCents)
        form.feeTotal = MoneyText::cents(*sale.feeTotalCents);
    return form;
}

Expected<IPOSale, QList<SaleForm::Error>> SaleForm::read(const IPORecord &record) const {
    QList<Error> errors;
    IPOSale sale;
    sale.finalPriceMills = readAmount(finalPrice, 3, Field::finalPrice, errors);
    if (sale.finalPriceMills == 0)
        errors.append({Field::finalPrice, tr("价格须大于 0")});

    const qint64 allotted = std::max<qint64>(record.winQuantity, 0);
    const QString soldText = trimmed(soldQuantity);
    if (!soldText.isEmpty()) {
        const std::optional<qint64> sold = parseInteger(soldText);
        if (!sold)
            errors.append({Field::soldQuantity, tr("请输入股数（整数）")});
        else if (*sold < 0)
            errors.append({Field::soldQuantity, tr("不能为负数")});
        else if (*sold > allotted)
            errors.append(
                {Field::soldQuantity, tr("卖出数量不能多于中签数量（%1 股）").arg(allotted)});
        else
            sale.soldQuantity = *sold;
    }

    sale.sellPriceMills = readAmount(sellPrice, 3, Field::sellPrice, errors);
    if (soldText.isEmpty() && sale.sellPriceMills)
        sale.soldQuantity = allotted;
    if (sale.soldQuantity > 0 && trimmed(sellPrice).isEmpty())
        errors.append({Field::sellPrice, tr("请输入卖出均价")});

    const QString dateText = trimmed(sellDate);
    if (!dateText.isEmpty()) {
        const QDate day = QDate::fromString(dateText, Qt::ISODate);
        const std::optional<QDate> lastSubscriptionDay =
            record.ipo.subEnd ? std::optional<QDate>(marketCalendar().dayOf(*record.ipo.subEnd))
                              : std::nullopt;
        if (!day.isValid())
            errors.append({Field::sellDate, tr("请输入日期，如 2026-03-05")});
        else if (lastSubscriptionDay && day < *lastSubscriptionDay)
            errors.append({Field::sellDate, tr("卖出日期不能早于申购截止日（%1）")
                                                .arg(lastSubscriptionDay->toString(Qt::ISODate))});
        else
            sale.sellDate = day;
    } else if (sale.soldQuantity > 0) {
        // The statutory rates depend on the day.
        errors.append({Field::sellDate, tr("请输入卖出日期")});
    }

    sale.feeTotalCents = readAmount(feeTotal, 2, Field::feeTotal, errors);
    if (!errors.isEmpty()) {
        std::stable_sort(errors.begin(), errors.end(), [](const Error &a, const Error &b) {
            return static_cast<int>(a.field) < static_cast<int>(b.field);
        });
        return errors;
    }
    return sale;
}

std::optional<QDate> SaleForm::greyMarketDay(const IPORecord &record) {
    if (!record.ipo.listingDate)
        return std::nullopt;
    return marketCalendar().dayOf(previousBusinessDay(*record.ipo.listingDate));
}

std::optional<QDate> SaleForm::firstDay(const IPORecord &record) {
    if (!record.ipo.listingDate)
        return std::nullopt;
    return marketCalendar().dayOf(*record.ipo.listingDate);
}

QString SaleForm::resultLine(const IPOResult &result) {
    // Nothing sold has no return yet.
    if (result.returnPermille)
        //: the result of one IPO: profit or loss, return in per cent, all charges
        return tr("收益 HK$%1（%2）· 费用 HK$%3")
            .arg(MoneyText::cents(result.resultCents),
                 MoneyText::percentFromPermille(*result.returnPermille),
                 MoneyText::cents(result.feesCents));
    return tr("收益 HK$%1 · 费用 HK$%2")
        .arg(MoneyText::cents(result.resultCents), MoneyText::cents(result.feesCents));
}

QString SaleForm::heldLine(const IPOResult &result) {
    if (result.heldShares() < 1)
        return {};
    return tr("持有 %1 股").arg(result.heldShares());
}
