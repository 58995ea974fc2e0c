#include "URLBuilding.h"

QUrl appendingPath(const QUrl &base, QStringView path) {
    QUrl url = base;
    QString joined = base.path(QUrl::FullyEncoded);
    if (!joined.endsWith(u'/'))
        joined += u'/';
    joined += path;
    url.setPath(joined, QUrl::TolerantMode);
    return url;
}

std::optional<QUrl> withQuery(const QUrl &url, const QueryItems &items) {
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return std::nullopt;
    QByteArray query;
    for (const auto &[key, value] : items) {
        if (!query.isEmpty())
            query += '&';
        query += QUrl::toPercentEncoding(key) + '=' + QUrl::toPercentEncoding(value);
    }
    QUrl result = url;
    if (items.isEmpty())
        result.setQuery(QString());
    else
        result.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    if (!result.isValid())
        return std::nullopt;
    return result;
}
