#include "YearResultsText.h"

#include "model/MoneyText.h"

#include <QCoreApplication>

namespace YearResultsText {

namespace {

QString rate(std::optional<qint64> permille) {
    if (!permille)
        return {};
    QString text = MoneyText::percentFromPermille(*permille);
    if (text.startsWith(u'+'))
        text.remove(0, 1);
    //: a rate in brackets after a count, e.g. "（45.0%）"
    return QCoreApplication::translate("YearResultsText", "（%1）").arg(text);
}

} // namespace

QString signedMoney(qint64 cents) {
    const QString amount = MoneyText::cents(cents < 0 ? -cents : cents);
    return (cents < 0 ? QStringLiteral("-HK$") : QStringLiteral("HK$")) + amount;
}

QStringList figureLines(const YearFigures &figures) {
    QStringList lines{QCoreApplication::translate("YearResultsText", "申购 %1 · 中签 %2%3")
                          .arg(figures.applications)
                          .arg(figures.allotted)
                          .arg(rate(figures.hitRatePermille())),
                      QCoreApplication::translate("YearResultsText", "卖出 %1 · 盈利 %2%3")
                          .arg(figures.closed)
                          .arg(figures.wins)
                          .arg(rate(figures.winRatePermille())),
                      QCoreApplication::translate("YearResultsText", "收益 %1 · 费用 %2")
                          .arg(signedMoney(figures.resultCents), signedMoney(figures.feesCents))};
    if (figures.best && figures.worst) {
        const YearIPO &best = figures.ipos.at(*figures.best);
        const YearIPO &worst = figures.ipos.at(*figures.worst);
        //: the best and the worst IPO of the year: name and result of each
        lines.append(QCoreApplication::translate("YearResultsText", "最佳 %1 %2 · 最差 %3 %4")
                         .arg(figures.recordOf(best).ipo.name, signedMoney(best.result.resultCents),
                              figures.recordOf(worst).ipo.name,
                              signedMoney(worst.result.resultCents)));
    }
    return lines;
}

QString ipoRow(const YearFigures &figures, const YearIPO &ipo) {
    const IPORecord &record = figures.recordOf(ipo);
    QString row = record.ipo.code + QStringLiteral("  ") + record.ipo.name + QStringLiteral("  ") +
                  signedMoney(ipo.result.resultCents);
    if (ipo.result.heldShares() > 0)
        row += QCoreApplication::translate("YearResultsText", "  持有 %1 股")
                   .arg(ipo.result.heldShares());
    return row;
}

} // namespace YearResultsText
