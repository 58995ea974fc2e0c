#include "NotificationCentreError.h"

QString NotificationCentreError::description() const {
    switch (m_kind) {
    case Kind::noSessionBus:
        return QStringLiteral("无法连接桌面会话总线（D-Bus），系统通知不可用。");
    case Kind::busError:
        if (m_detail.isEmpty())
            return QStringLiteral("桌面通知服务调用失败。");
        return QStringLiteral("桌面通知服务调用失败：") + m_detail;
    case Kind::invalidRequest:
        return QStringLiteral("通知请求无效：") + m_detail;
    }
    return QStringLiteral("桌面通知服务调用失败。");
}
