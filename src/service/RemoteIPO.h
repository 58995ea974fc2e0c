#pragma once

#include "model/IPOStatus.h"

#include <QHashFunctions>
#include <QString>

#include <optional>

class JsonObjectReader;

// One IPO as the service lists it. Dates stay text here; they are read when records are made.
struct RemoteIPO {
    QString code;
    QString name;
    std::optional<QString> subStart;
    std::optional<QString> subEnd;
    std::optional<QString> listDate;
    QString lotAmount;
    QString priceRange;
    QString prospectusUrl;
    IPOStatus status = IPOStatus::upcoming;
    QString board;

    static RemoteIPO decode(JsonObjectReader &reader);

    friend bool operator==(const RemoteIPO &, const RemoteIPO &) = default;
};

size_t qHash(const RemoteIPO &ipo, size_t seed = 0);
