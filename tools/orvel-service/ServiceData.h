#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace orvelservice {

// What the service answers from: the IPO list in the service's order, the statistics and the
// update answer. Items are served as they were given, without checking them, so a data file can
// hold deliberately broken records for the client's decoding tests.
class ServiceData {
public:
    ServiceData() = default;

    // {"items": [...], "stats": {...} (optional), "update": {...} (optional)}. Without "stats"
    // the counts are taken from the items and there is no latestSync; without "update" the
    // update endpoint says that the caller is up to date.
    static std::optional<ServiceData> fromJson(const QJsonObject &object, QString *error);
    static std::optional<ServiceData> fromFile(const QString &path, QString *error);

    const QJsonArray &items() const { return m_items; }

    // One page of the items whose status string equals `status` ("all" matches everything);
    // "count" is the number of matching items, not the page size.
    QJsonObject listPage(const QString &status, qint64 limit, qint64 offset) const;
    QJsonObject stats() const;
    QJsonObject update(const QString &currentVersion, const QString &currentBuild) const;

private:
    QJsonArray m_items;
    std::optional<QJsonObject> m_stats;
    std::optional<QJsonObject> m_update;
};

} // namespace orvelservice
