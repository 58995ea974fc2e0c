#pragma once

#include <QString>

// What a notification shows. Both texts are plain text; whoever displays them escapes them for
// whatever markup the display understands.
struct NotificationContent {
    QString title;
    QString body;
    // The desktop's default notification sound.
    bool playsDefaultSound = false;

    friend bool operator==(const NotificationContent &, const NotificationContent &) = default;
};
