#include "NotificationCentreError.h"

QString NotificationCentreError::description() const {
    switch (m_kind) {
    case Kind::noSessionBus:
        return tr("无法连接桌面会话总线（D-Bus），系统通知不可用。");
    case Kind::busError:
        if (m_detail.isEmpty())
            return tr("桌面通知服务调用失败。");
        return tr("桌面通知服务调用失败：%1").arg(m_detail);
    case Kind::invalidRequest:
        return tr("通知请求无效：%1").arg(m_detail);
    }
    return tr("桌面通知服务调用失败。");
}
