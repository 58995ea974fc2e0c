#pragma once

#include <QNetworkReply>

// Whether a finished reply failed in transport (no answer, or an incomplete one) rather than
// carrying an HTTP answer. Qt files some answered statuses under network-layer codes of its
// own (407 as a proxy error, for one); an answer whose status line arrived is still an answer,
// and only its status decides. Errors of the connection itself (refused, reset, TLS, time-out)
// fail the exchange whatever status line came before them.
namespace HTTPFailure {

bool isTransportFailure(const QNetworkReply &reply);

} // namespace HTTPFailure
