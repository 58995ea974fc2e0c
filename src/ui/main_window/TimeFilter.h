#pragma once

#include <QHashFunctions>
#include <QString>

#include <array>

// How far back the main table looks. The raw values are the toolbar segments' labels in the
// chosen language, and the declaration order is the segments' order.
enum class TimeFilter { thisWeek, thisMonth, last30Days, all };

inline constexpr std::array<TimeFilter, 4> allTimeFilters{
    TimeFilter::thisWeek, TimeFilter::thisMonth, TimeFilter::last30Days, TimeFilter::all};

QString rawValue(TimeFilter filter);

size_t qHash(TimeFilter filter, size_t seed = 0);
