#pragma once

#include <QString>

// Which edition a build is: the store edition updates itself, the direct one asks the service.
enum class DistributionChannel { appstore, direct };

inline QString rawValue(DistributionChannel channel) {
    return channel == DistributionChannel::direct ? QStringLiteral("direct")
                                                  : QStringLiteral("appstore");
}
