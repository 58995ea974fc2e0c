#pragma once

#include <QDateTime>

#include <functional>

// Everything that reads the time takes one of these, so tests can drive time instead of sleeping.
using Clock = std::function<QDateTime()>;

inline Clock systemClock() {
    return [] {
        return QDateTime::currentDateTimeUtc();
    };
}
