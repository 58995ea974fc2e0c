#pragma once

#include <QByteArray>

namespace orvelservice {

// The privacy page the settings window opens: UTF-8 HTML in Simplified Chinese.
QByteArray privacyPageHtml();

} // namespace orvelservice
