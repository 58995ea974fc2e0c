#include "ExactRate.h"

namespace {

WideInt magnitude(WideInt value) {
    return value < 0 ? -value : value;
}

// Below this both operands (doubled) fit a 64-bit division, which is many times faster than a
// 128-bit one; every realistic charge is far below it.
constexpr WideInt narrowLimit = WideInt(1) << 61;

} // namespace

qint64 divideRounded(WideInt numerator, WideInt denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const WideInt n = magnitude(numerator);
    const WideInt d = magnitude(denominator);
    WideInt rounded;
    if (n < narrowLimit && d < narrowLimit)
        rounded = (2 * qint64(n) + qint64(d)) / (2 * qint64(d));
    else
        rounded = (2 * n + d) / (2 * d);
    return static_cast<qint64>(negative ? -rounded : rounded);
}

qint64 divideRoundedUp(WideInt numerator, WideInt denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const WideInt n = magnitude(numerator);
    const WideInt d = magnitude(denominator);
    WideInt rounded;
    if (n < narrowLimit && d < narrowLimit)
        rounded = (qint64(n) + qint64(d) - 1) / qint64(d);
    else
        rounded = (n + d - 1) / d;
    return static_cast<qint64>(negative ? -rounded : rounded);
}

qint64 ExactRate::appliedRounded(qint64 amount, qint64 divisor) const {
    return divideRounded(static_cast<WideInt>(amount) * m_numerator,
                         static_cast<WideInt>(m_denominator) * divisor);
}

qint64 ExactRate::appliedRoundedUp(qint64 amount, qint64 divisor) const {
    return divideRoundedUp(static_cast<WideInt>(amount) * m_numerator,
                           static_cast<WideInt>(m_denominator) * divisor);
}
