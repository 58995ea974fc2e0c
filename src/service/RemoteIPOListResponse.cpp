#include "RemoteIPOListResponse.h"

#include "JsonObjectReader.h"

RemoteIPOListResponse RemoteIPOListResponse::decode(JsonObjectReader &reader) {
    RemoteIPOListResponse response;
    response.items = reader.list<RemoteIPO>(QLatin1StringView("items"), &RemoteIPO::decode);
    response.count = reader.integer(QLatin1StringView("count"));
    return response;
}
