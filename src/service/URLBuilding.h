#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

using QueryItems = QList<QPair<QString, QString>>;

// `base` with `path` appended after exactly one "/" (the query and fragment of base are kept).
QUrl appendingPath(const QUrl &base, QStringView path);
// `url` with its query replaced by `items` in order, every value percent-encoded; no value when
// the result is not a usable absolute URL.
std::optional<QUrl> withQuery(const QUrl &url, const QueryItems &items);
