#include "ServiceData.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace orvelservice {

std::optional<ServiceData> ServiceData::fromJson(const QJsonObject &object, QString *error) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("items") && it.key() != QLatin1String("stats") &&
            it.key() != QLatin1String("update")) {
            *error =
                QStringLiteral("unknown key \"%1\" (expected items, stats, update)").arg(it.key());
            return std::nullopt;
        }
    }
    ServiceData data;
    const QJsonValue items = object.value(QStringLiteral("items"));
    if (!items.isUndefined() && !items.isArray()) {
        *error = QStringLiteral("\"items\" must be an array");
        return std::nullopt;
    }
    data.m_items = items.toArray();

    const QJsonValue stats = object.value(QStringLiteral("stats"));
    if (!stats.isUndefined() && !stats.isObject()) {
        *error = QStringLiteral("\"stats\" must be an object");
        return std::nullopt;
    }
    if (stats.isObject())
        data.m_stats = stats.toObject();

    const QJsonValue update = object.value(QStringLiteral("update"));
    if (!update.isUndefined() && !update.isObject()) {
        *error = QStringLiteral("\"update\" must be an object");
        return std::nullopt;
    }
    if (update.isObject())
        data.m_update = update.toObject();
    return data;
}

std::optional<ServiceData> ServiceData::fromFile(const QString &path, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("%1 is not a JSON object: %2")
                     .arg(path, parseError.error != QJsonParseError::NoError
                                    ? parseError.errorString()
                                    : QStringLiteral("top level is not an object"));
        return std::nullopt;
    }
    auto data = fromJson(document.object(), error);
    if (!data)
        *error = QStringLiteral("%1: %2").arg(path, *error);
    return data;
}

QJsonObject ServiceData::listPage(const QString &status, qint64 limit, qint64 offset) const {
    const bool all = status == QLatin1String("all");
    QJsonArray page;
    qint64 matching = 0;
    for (const QJsonValue &item : m_items) {
        if (!all && item.toObject().value(QStringLiteral("status")).toString() != status)
            continue;
        if (matching >= offset && matching - offset < limit)
            page.append(item);
        ++matching;
    }
    return QJsonObject{{QStringLiteral("items"), page}, {QStringLiteral("count"), matching}};
}

QJsonObject ServiceData::stats() const {
    if (m_stats)
        return *m_stats;
    int upcoming = 0;
    int open = 0;
    int listed = 0;
    for (const QJsonValue &item : m_items) {
        const QString status = item.toObject().value(QStringLiteral("status")).toString();
        upcoming += status == QLatin1String("upcoming");
        open += status == QLatin1String("open");
        listed += status == QLatin1String("listed");
    }
    return QJsonObject{
        {QStringLiteral("counts"), QJsonObject{{QStringLiteral("upcoming"), upcoming},
                                               {QStringLiteral("open"), open},
                                               {QStringLiteral("listed"), listed}}}};
}

QJsonObject ServiceData::update(const QString &currentVersion, const QString &currentBuild) const {
    if (m_update)
        return *m_update;
    bool numeric = false;
    const qint64 build = currentBuild.toLongLong(&numeric);
    return QJsonObject{
        {QStringLiteral("updateAvailable"), false},
        {QStringLiteral("latestVersion"), currentVersion},
        {QStringLiteral("latestBuild"), numeric ? build : 0},
        {QStringLiteral("downloadUrl"), QStringLiteral("https://orvel.example/download")},
        {QStringLiteral("releaseNotesUrl"), QStringLiteral("https://orvel.example/releases")},
        {QStringLiteral("publishedAt"), QStringLiteral("2025-01-06T02:00:00Z")},
        {QStringLiteral("notes"), QStringLiteral("当前已是最新版本。")},
    };
}

} // namespace orvelservice
