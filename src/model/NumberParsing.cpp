#include "NumberParsing.h"

#include <charconv>
#include <cstring>

namespace {

// Latin-1 copy into a small stack buffer; anything outside ASCII cannot be part of a number.
template <typename Number> std::optional<Number> parseAscii(QStringView text) {
    constexpr qsizetype maxLength = 64;
    if (text.isEmpty() || text.size() > maxLength)
        return std::nullopt;
    char buffer[maxLength] = {};
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
    return parseAscii<double>(text);
}

std::optional<qint64> parseInteger(QStringView text) {
    return parseAscii<qint64>(text);
}
