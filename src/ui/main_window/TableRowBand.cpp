#include "TableRowBand.h"

PaletteColor paletteColor(TableRowBand band) {
    switch (band) {
    case TableRowBand::warmLight:
        return PaletteColor::detailGlassFill;
    case TableRowBand::warmGray:
        return PaletteColor::detailFill;
    case TableRowBand::missing:
        return PaletteColor::detailFillAlt;
    }
    return PaletteColor::detailFillAlt;
}
