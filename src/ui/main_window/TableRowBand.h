#pragma once

#include "ui/look/Palette.h"

// The background band of a table row: consecutive groups of IPOs opening on the same day
// alternate between the two warm bands; rows without a subscription date get their own.
enum class TableRowBand { warmLight, warmGray, missing };

PaletteColor paletteColor(TableRowBand band);
