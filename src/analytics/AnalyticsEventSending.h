#pragma once

#include "AnalyticsEventPayload.h"

// Where the tracker hands its events. Fire-and-forget: sendEvent returns at once, never blocks
// on the network and never reports an outcome; failures end in a log line at most.
class AnalyticsEventSending {
public:
    virtual ~AnalyticsEventSending() = default;

    virtual void sendEvent(const AnalyticsEventPayload &payload) = 0;
};
