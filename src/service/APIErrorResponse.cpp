#include "APIErrorResponse.h"

#include "JsonObjectReader.h"

APIErrorResponse APIErrorResponse::decode(JsonObjectReader &reader) {
    return APIErrorResponse{reader.string(QLatin1StringView("error"))};
}
