#pragma once

#include <QString>

class JsonObjectReader;

// The body the service sends with an error status; its text is shown to the user unchanged.
struct APIErrorResponse {
    QString error;

    static APIErrorResponse decode(JsonObjectReader &reader);
};
