#include "WebAddress.h"

namespace WebAddress {

bool isOpenable(const QUrl &url) {
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return false;
    // QUrl keeps schemes in lower case, so "HTTPS:" counts too.
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

std::optional<QUrl> fromText(const QString &text) {
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (!isOpenable(url))
        return std::nullopt;
    return url;
}

} // namespace WebAddress
