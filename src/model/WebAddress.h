#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The one rule for what ORVEL hands to a browser or writes as a link: an http or https address
// with a host. Anything else in a service answer, a build setting or a stored text (file:,
// javascript:, a custom handler, a bare path) could start a local program or open a local file.
namespace WebAddress {

bool isOpenable(const QUrl &url);

// `text` read strictly as an address, when it is openable.
std::optional<QUrl> fromText(const QString &text);

} // namespace WebAddress
