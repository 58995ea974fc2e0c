#pragma once

#include <QCoreApplication>
#include <QString>

// Why the notification centre could not do what was asked, with the text the user sees in their
// language.
class NotificationCentreError {
    Q_DECLARE_TR_FUNCTIONS(NotificationCentreError)

public:
    enum class Kind { noSessionBus, busError, invalidRequest };

    NotificationCentreError() = default;
    static NotificationCentreError noSessionBus() { return {Kind::noSessionBus, {}}; }
    static NotificationCentreError busError(QString detail) {
        return {Kind::busError, std::move(detail)};
    }
    static NotificationCentreError invalidRequest(QString reason) {
        return {Kind::invalidRequest, std::move(reason)};
    }

    Kind kind() const { return m_kind; }
    QString description() const;

    friend bool operator==(const NotificationCentreError &,
                           const NotificationCentreError &) = default;

private:
    NotificationCentreError(Kind kind, QString detail)
        : m_kind(kind)
        , m_detail(std::move(detail)) {}

    Kind m_kind = Kind::busError;
    QString m_detail;
};
