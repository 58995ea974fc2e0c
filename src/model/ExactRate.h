#pragma once

#include <QtGlobal>

// Wide enough for amount × numerator × days of any realistic figure.
__extension__ typedef __int128 WideInt;

// A rate as an exact fraction (0.0027 % is 27 / 1,000,000), so that no charge ever passes
// through binary floating point. Amounts are integers in a fixed unit (cents, or thousandths
// of a HK$ for prices); intermediate products are widened, so no realistic amount overflows.
class ExactRate {
public:
    constexpr ExactRate() = default;
    constexpr ExactRate(qint64 numerator, qint64 denominator)
        : m_numerator(numerator)
        , m_denominator(denominator) {}

    qint64 numerator() const { return m_numerator; }
    qint64 denominator() const { return m_denominator; }
    bool isZero() const { return m_numerator == 0; }

    // amount × rate ÷ divisor, to the nearest whole unit, halves away from zero.
    qint64 appliedRounded(qint64 amount, qint64 divisor = 1) const;
    // amount × rate ÷ divisor, up to the next whole unit (away from zero).
    qint64 appliedRoundedUp(qint64 amount, qint64 divisor = 1) const;

    friend bool operator==(const ExactRate &a, const ExactRate &b) {
        // 1/100 and 10/1000 are the same rate.
        return static_cast<WideInt>(a.m_numerator) * b.m_denominator ==
               static_cast<WideInt>(b.m_numerator) * a.m_denominator;
    }

private:
    qint64 m_numerator = 0;
    qint64 m_denominator = 1;
};

// numerator ÷ denominator to the nearest integer, halves away from zero (denominator ≠ 0).
qint64 divideRounded(WideInt numerator, WideInt denominator);
// numerator ÷ denominator, up to the next integer away from zero (denominator ≠ 0).
qint64 divideRoundedUp(WideInt numerator, WideInt denominator);
