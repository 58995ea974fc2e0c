#pragma once

#include <QString>

// The capital field of the settings sheet: what a submitted text stores and what a stored
// amount shows.
namespace SettingsCapital {

// The amount a submitted text stands for. Every "," goes first (people type thousands
// separators); the rest must be a decimal number and nothing else, not even a surrounding
// space. Anything else is 0, and so are infinity and not-a-number: the panel prints the
// capital as a whole number, and neither has one.
double amountFromText(const QString &text);

// The text the field starts with: the amount rounded to a whole number ("%.0f") when it is
// above 0, otherwise empty so the placeholder shows.
QString textForAmount(double amount);

} // namespace SettingsCapital
