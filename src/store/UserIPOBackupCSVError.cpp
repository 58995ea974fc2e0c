#include "UserIPOBackupCSVError.h"
#include <QCoreApplication>

QString UserIPOBackupCSVError::description() const {
    switch (m_kind) {
    case Kind::invalidHeader:
        return QCoreApplication::translate("UserIPOBackupCSVError", "CSV 表头格式无效");
    case Kind::unreadableEncoding:
        return QCoreApplication::translate("UserIPOBackupCSVError", "无法读取 CSV 文件内容");
    }
    return QCoreApplication::translate("UserIPOBackupCSVError", "CSV 表头格式无效");
}
