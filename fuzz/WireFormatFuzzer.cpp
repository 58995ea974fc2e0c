#include "FuzzInput.h"

#include "model/IPOStatus.h"
#include "service/APIErrorResponse.h"
#include "service/AppUpdateResponse.h"
#include "service/JsonObjectReader.h"
#include "service/RemoteIPOListResponse.h"
#include "service/RemoteIPOStatsResponse.h"

// Every answer body the client decodes (list, statistics, update, error), from arbitrary bytes.
// A body either decodes or fails with a description; a decoded list holds only the three known
// stages.

namespace {

template <typename T> void decodeAs(const QByteArray &body) {
    const Expected<T, QString> decoded = JsonObjectReader::decode<T>(body, &T::decode);
    if (!decoded)
        FUZZ_CHECK(!decoded.error().isEmpty(), QString::fromUtf8(body));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray body(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    decodeAs<RemoteIPOStatsResponse>(body);
    decodeAs<AppUpdateResponse>(body);
    decodeAs<APIErrorResponse>(body);

    const auto list =
        JsonObjectReader::decode<RemoteIPOListResponse>(body, &RemoteIPOListResponse::decode);
    if (!list) {
        FUZZ_CHECK(!list.error().isEmpty(), QString::fromUtf8(body));
        return 0;
    }
    for (const RemoteIPO &item : list->items)
        FUZZ_CHECK(ipoStatusFromRawValue(rawValue(item.status)) == item.status,
                   QString::fromUtf8(body));
    return 0;
}
