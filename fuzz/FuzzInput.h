#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz targets.
namespace fuzzinput {

// The rest of the input as text, read the way the first byte says: UTF-8 (what files and the
// network deliver, with invalid sequences replaced), raw UTF-16 code units (which reaches lone
// surrogates and every code point directly) or Latin-1.
inline QString text(const uint8_t *data, size_t size) {
    if (size == 0)
        return {};
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = static_cast<qsizetype>(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromUtf8(bytes, length);
    case 1:
        return QString(reinterpret_cast<const QChar *>(QByteArray(bytes, length).constData()),
                       length / 2);
    default:
        return QString::fromLatin1(bytes, length);
    }
}

// A broken promise of the code under test: say which, with the input's text, and stop so that
// libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(const char *what, const QString &input) {
    std::fprintf(stderr, "fuzz check failed: %s\ninput: %s\n", what,
                 QString(input).toUtf8().toPercentEncoding(" ,.-+:\"").constData());
    std::abort();
}

} // namespace fuzzinput

#define FUZZ_CHECK(condition, input)                                                               \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzinput::fail(#condition, (input));                                                  \
    } while (false)
