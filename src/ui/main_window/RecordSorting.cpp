#include "RecordSorting.h"

#include <QString>

#include <algorithm>

namespace RecordSorting {

namespace {

int compareCodePoints(QStringView a, QStringView b) {
    const QList<uint> left = a.toUcs4();
    const QList<uint> right = b.toUcs4();
    const auto [l, r] = std::mismatch(left.cbegin(), left.cend(), right.cbegin(), right.cend());
    if (l != left.cend() && r != right.cend())
        return *l < *r ? -1 : 1;
    if (l == left.cend() && r == right.cend())
        return 0;
    return l == left.cend() ? -1 : 1;
}

} // namespace

int compareUnicode(QStringView a, QStringView b) {
    if (a == b)
        return 0;
    return compareCodePoints(a.toString().normalized(QString::NormalizationForm_C),
                             b.toString().normalized(QString::NormalizationForm_C));
}

bool isOrderedBefore(const IPORecord &a, const IPORecord &b) {
    const std::optional<QDateTime> &left = a.ipo.subStart;
    const std::optional<QDateTime> &right = b.ipo.subStart;
    if (left && right && *left != *right)
        return *left > *right;
    if (left && !right)
        return true;
    if (!left && right)
        return false;
    const int byName = compareUnicode(a.ipo.name, b.ipo.name);
    if (byName != 0)
        return byName < 0;
    return compareUnicode(a.ipo.code, b.ipo.code) < 0;
}

QList<IPORecord> sorted(QList<IPORecord> records) {
    std::stable_sort(records.begin(), records.end(), isOrderedBefore);
    return records;
}

} // namespace RecordSorting
