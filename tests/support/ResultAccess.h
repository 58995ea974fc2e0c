#pragma once

#include "model/Expected.h"

#include <QTest>

namespace testsupport {

// The side of a result a test expects, read without throwing: the other side fails the test and
// reads as a default, so one wrong result never aborts the whole test executable.
template <typename T, typename E> const T &valueOf(const Expected<T, E> &result) {
    static const T none{};
    return result ? *result
                  : (QTest::qFail("an error where a value was due", __FILE__, __LINE__), none);
}
template <typename T, typename E> E errorOf(const Expected<T, E> &result) {
    return result ? (QTest::qFail("a value where an error was due", __FILE__, __LINE__), E())
                  : result.error();
}

} // namespace testsupport
