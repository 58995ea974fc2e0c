#pragma once

#include <QtGlobal>

#include <optional>

// How a subscription was paid. The integer raw value is what the store and the backup keep.
enum class SubMethod : int { cash = 0, margin = 1 };

inline std::optional<SubMethod> subMethodFromRawValue(qint64 raw) {
    switch (raw) {
    case 0:
        return SubMethod::cash;
    case 1:
        return SubMethod::margin;
    default:
        return std::nullopt;
    }
}

// Stored values other than 1 have always been read as cash; keep reading them that way.
inline SubMethod subMethodFromStoredValue(qint64 raw) {
    return raw == 1 ? SubMethod::margin : SubMethod::cash;
}

inline qint64 rawValue(SubMethod method) {
    return static_cast<qint64>(method);
}
