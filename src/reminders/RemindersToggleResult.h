#pragma once

#include <QString>

#include <optional>

// What became of the user's attempt to switch reminders on or off.
struct RemindersToggleResult {
    // Whether reminders are on now; the settings store this as the user's choice.
    bool remindersActive = false;
    // A text to show the user, if any.
    std::optional<QString> message;
    // The message explains a failure (rather than reporting success).
    bool messageIsFailure = false;

    friend bool operator==(const RemindersToggleResult &, const RemindersToggleResult &) = default;
};
