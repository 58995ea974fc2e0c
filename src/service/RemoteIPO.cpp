#include "RemoteIPO.h"

#include "JsonObjectReader.h"
#include <QCoreApplication>

RemoteIPO RemoteIPO::decode(JsonObjectReader &reader) {
    RemoteIPO ipo;
    ipo.code = reader.string(QLatin1StringView("code"));
    ipo.name = reader.string(QLatin1StringView("name"));
    ipo.subStart = reader.optionalString(QLatin1StringView("subStart"));
    ipo.subEnd = reader.optionalString(QLatin1StringView("subEnd"));
    ipo.listDate = reader.optionalString(QLatin1StringView("listDate"));
    ipo.lotAmount = reader.string(QLatin1StringView("lotAmount"));
    ipo.priceRange = reader.string(QLatin1StringView("priceRange"));
    ipo.prospectusUrl = reader.string(QLatin1StringView("prospectusUrl"));
    const QString status = reader.string(QLatin1StringView("status"));
    if (!reader.hasFailed()) {
        // An unknown stage is an error of the whole answer, never a guessed fallback.
        if (const auto parsed = ipoStatusFromRawValue(status))
            ipo.status = *parsed;
        else
            reader.fail(QLatin1StringView("status"),
                        QCoreApplication::translate("RemoteIPO", "未知的状态“%1”").arg(status));
    }
    ipo.board = reader.string(QLatin1StringView("board"));
    return ipo;
}

size_t qHash(const RemoteIPO &ipo, size_t seed) {
    const auto optionalHash = [](const std::optional<QString> &text) {
        return text ? qHash(*text) : size_t(0x9e3779b9);
    };
    return qHashMulti(seed, ipo.code, ipo.name, optionalHash(ipo.subStart),
                      optionalHash(ipo.subEnd), optionalHash(ipo.listDate), ipo.lotAmount,
                      ipo.priceRange, ipo.prospectusUrl, static_cast<int>(ipo.status), ipo.board);
}
