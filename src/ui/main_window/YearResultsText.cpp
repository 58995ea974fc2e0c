#include "YearResultsText.h"

#include "model/MoneyText.h"

namespace YearResultsText {

namespace {

QString rate(std::optional<qint64> permille) {
    if (!permille)
        return {};
    QString text = MoneyText::percentFromPermille(*permille);
    if (text.startsWith(u'+'))
        text.remove(0, 1);
    return QStringLiteral("（") + text + QStringLiteral("）");
}

} // namespace

QString signedMoney(qint64 cents) {
    const QString amount = MoneyText::cents(cents < 0 ? -cents : cents);
    return (cents < 0 ? QStringLiteral("-HK$") : QStringLiteral("HK$")) + amount;
}

QStringList figureLines(const YearFigures &figures) {
    QStringList lines{QStringLiteral("申购 %1 · 中签 %2%3")
                          .arg(figures.applications)
                          .arg(figures.allotted)
                          .arg(rate(figures.hitRatePermille())),
                      QStringLiteral("卖出 %1 · 盈利 %2%3")
                          .arg(figures.closed)
                          .arg(figures.wins)
                          .arg(rate(figures.winRatePermille())),
                      QStringLiteral("收益 ") + signedMoney(figures.resultCents) +
                          QStringLiteral(" · 费用 ") + signedMoney(figures.feesCents)};
    if (figures.best && figures.worst) {
        const YearIPO &best = figures.ipos.at(*figures.best);
        const YearIPO &worst = figures.ipos.at(*figures.worst);
        lines.append(QStringLiteral("最佳 ") + figures.recordOf(best).ipo.name + u' ' +
                     signedMoney(best.result.resultCents) + QStringLiteral(" · 最差 ") +
                     figures.recordOf(worst).ipo.name + u' ' +
                     signedMoney(worst.result.resultCents));
    }
    return lines;
}

QString ipoRow(const YearFigures &figures, const YearIPO &ipo) {
    const IPORecord &record = figures.recordOf(ipo);
    QString row = record.ipo.code + QStringLiteral("  ") + record.ipo.name + QStringLiteral("  ") +
                  signedMoney(ipo.result.resultCents);
    if (ipo.result.heldShares() > 0)
        row += QStringLiteral("  持有 %1 股").arg(ipo.result.heldShares());
    return row;
}

} // namespace YearResultsText
