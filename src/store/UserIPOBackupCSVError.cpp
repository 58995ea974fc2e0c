#include "UserIPOBackupCSVError.h"

QString UserIPOBackupCSVError::description() const {
    switch (m_kind) {
    case Kind::invalidHeader:
        return QStringLiteral("CSV 表头格式无效");
    case Kind::unreadableEncoding:
        return QStringLiteral("无法读取 CSV 文件内容");
    }
    return QStringLiteral("CSV 表头格式无效");
}
