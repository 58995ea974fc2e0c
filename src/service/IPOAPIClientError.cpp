#include "IPOAPIClientError.h"
#include <QCoreApplication>

QString IPOAPIClientError::description() const {
    switch (m_kind) {
    case Kind::invalidURL:
        return QCoreApplication::translate("IPOAPIClientError", "API 地址无效");
    case Kind::invalidResponse:
        return QCoreApplication::translate("IPOAPIClientError", "API 返回了无效响应");
    case Kind::serverError:
    case Kind::transport:
    case Kind::decoding:
        return m_message;
    }
    return m_message;
}
