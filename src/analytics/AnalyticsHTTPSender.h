#pragma once

#include "AnalyticsEventSending.h"

#include <QObject>
#include <QUrl>

#include <chrono>

class IPOAPIClient;

struct AnalyticsHTTPSenderOptions {
    std::chrono::milliseconds timeout{10000};
};

// Posts usage events to the service's "analytics/client" endpoint as JSON, through the service
// client's network access and TLS settings. Nothing waits for the answer: a failed transfer or
// an error status is logged with the "[Analytics]" tag and otherwise forgotten.
class AnalyticsHTTPSender : public QObject, public AnalyticsEventSending {
    Q_OBJECT
public:
    using Options = AnalyticsHTTPSenderOptions;

    // `client` gives the base URL, the shared network access and the TLS configuration; it must
    // outlive this sender and every send still in flight.
    explicit AnalyticsHTTPSender(IPOAPIClient &client, Options options = {},
                                 QObject *parent = nullptr);

    // Over IPOAPIClient::shared(); created on first use and never destroyed.
    static AnalyticsHTTPSender &shared();

    QUrl endpointURL() const;

    void sendEvent(const AnalyticsEventPayload &payload) override;

signals:
    // A send has ended, whatever the outcome (tests and diagnostics only; nothing in the
    // application waits for it).
    void sendFinished();

private:
    IPOAPIClient &m_client;
    Options m_options;
};
