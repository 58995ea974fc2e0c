#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The one integer grammar of the application (backup files, typed quantities), written out
// longhand: an optional "+" or "-", then one or more ASCII digits, within the signed 64-bit range.
namespace integeroracle {

struct Expectation {
    bool grammatical = false;
    // The value as QString::number writes it, when it is grammatical and in range.
    std::optional<QString> canonical;
};

inline Expectation expect(QStringView text) {
    Expectation result;
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return result;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return result;
    }
    result.grammatical = true;
    qsizetype first = 0;
    while (first + 1 < text.size() && text[first] == u'0')
        ++first;
    const QString digits = text.mid(first).toString();
    const QString limit =
        negative ? QStringLiteral("9223372036854775808") : QStringLiteral("9223372036854775807");
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit))
        return result;
    result.canonical = (negative && digits != u"0") ? u'-' + digits : digits;
    return result;
}

} // namespace integeroracle
