#pragma once

#include "RemoteIPO.h"

#include <QList>

// One page of the IPO list, in the service's order. `count` is the service's own figure and is
// not relied on.
struct RemoteIPOListResponse {
    QList<RemoteIPO> items;
    qint64 count = 0;

    static RemoteIPOListResponse decode(JsonObjectReader &reader);

    friend bool operator==(const RemoteIPOListResponse &, const RemoteIPOListResponse &) = default;
};
