#include "NumberParsing.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// ASCII copy of the text; anything outside printable ASCII cannot be part of a number. Short
// texts (every real price or quantity) stay in a stack buffer; longer ones, such as a count
// written with many leading zeros, are still read whole rather than refused for their length.
template <typename Number> std::optional<Number> parseAscii(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    constexpr qsizetype stackLength = 64;
    char stackBuffer[stackLength];
    std::string heapBuffer;
    char *buffer = stackBuffer;
    if (text.size() > stackLength) {
        heapBuffer.resize(static_cast<size_t>(text.size()));
        buffer = heapBuffer.data();
    }
    qsizetype length = 0;
    for (QChar c : text) {
        if (c.unicode() > 0x7e || c.unicode() <= 0x20)
            return std::nullopt;
        buffer[length++] = static_cast<char>(c.unicode());
    }
    const char *begin = buffer;
    const char *end = buffer + length;
    // A leading "+" is a sign people type; from_chars does not take it.
    if (*begin == '+') {
        ++begin;
        if (begin == end || *begin == '-' || *begin == '+')
            return std::nullopt;
    }
    Number value{};
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> parseDecimal(QStringView text) {
    const std::optional<double> value = parseAscii<double>(text);
    // from_chars also reads "nan", "inf" and "infinity": words, not amounts. A price or lot
    // amount written that way is as unreadable as any other text.
    if (value && !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<qint64> parseInteger(QStringView text) {
    return parseAscii<qint64>(text);
}

std::optional<qint64> parseScaled(QStringView text, int decimals) {
    if (decimals < 0 || decimals > 18)
        return std::nullopt;
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    qint64 value = 0;
    bool anyDigit = false;
    bool inFraction = false;
    int places = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c == u'.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        anyDigit = true;
        const int digit = c - u'0';
        if (inFraction && places == decimals) {
            // Places beyond the unit are only allowed when they change nothing.
            if (digit != 0)
                return std::nullopt;
            continue;
        }
        if (inFraction)
            ++places;
        if (__builtin_mul_overflow(value, qint64(10), &value) ||
            __builtin_add_overflow(value, qint64(digit), &value))
            return std::nullopt;
    }
    // "5." and ".5" are what people type; "." alone is not a number.
    if (!anyDigit)
        return std::nullopt;
    for (; places < decimals; ++places)
        if (__builtin_mul_overflow(value, qint64(10), &value))
            return std::nullopt;
    return negative ? -value : value;
}
