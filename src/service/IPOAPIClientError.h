#pragma once

#include <QString>

// Every way a request to the service can fail, each with the Chinese text the user sees.
// Besides the client's own three cases, transport failures (no network, time-out, TLS, an
// oversized answer) and answers that do not decode travel as the same type, so callers show
// description() and need nothing else.
class IPOAPIClientError {
public:
    enum class Kind { serverError, invalidURL, invalidResponse, transport, decoding };

    IPOAPIClientError() = default;
    static IPOAPIClientError serverError(QString message) {
        return {Kind::serverError, std::move(message)};
    }
    static IPOAPIClientError invalidURL() { return {Kind::invalidURL, {}}; }
    static IPOAPIClientError invalidResponse() { return {Kind::invalidResponse, {}}; }
    static IPOAPIClientError transport(QString description) {
        return {Kind::transport, std::move(description)};
    }
    static IPOAPIClientError decoding(QString description) {
        return {Kind::decoding, std::move(description)};
    }

    Kind kind() const { return m_kind; }
    QString description() const;

    friend bool operator==(const IPOAPIClientError &, const IPOAPIClientError &) = default;

private:
    IPOAPIClientError(Kind kind, QString message)
        : m_kind(kind)
        , m_message(std::move(message)) {}

    Kind m_kind = Kind::invalidResponse;
    QString m_message;
};
