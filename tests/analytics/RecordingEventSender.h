#pragma once

#include "analytics/AnalyticsEventSending.h"

#include <QList>

#include <algorithm>

// Keeps every event handed to it instead of sending anything.
class RecordingEventSender : public AnalyticsEventSending {
public:
    void sendEvent(const AnalyticsEventPayload &payload) override { sent.append(payload); }

    qsizetype count(const QString &event) const {
        return std::count_if(sent.cbegin(), sent.cend(),
                             [&event](const AnalyticsEventPayload &p) { return p.event == event; });
    }

    QList<AnalyticsEventPayload> sent;
};
