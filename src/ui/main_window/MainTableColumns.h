#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

#include <array>

// The eight columns of the main table, shared by the header bar and the rows so that both line
// up: fixed widths in points, the name column taking whatever width is left.
namespace MainTableColumns {

enum Column {
    code,
    name,
    status,
    lotAmount,
    subscriptionDate,
    subQuantity,
    winQuantity,
    prospectus
};
inline constexpr int count = 8;
// Horizontal padding of the header texts and of the text cells.
inline constexpr int textPadding = 12;

QString headerText(Column column);
// The header's and the text cells' fonts; the widths are measured in them.
QFont headerFont();
QFont cellFont();
// The fixed width, or 0 for the name column.
int fixedWidth(Column column);
// Measures the texts the widths are fitted to, once for the run (the language and the fonts do
// not change during one), in whichever thread asks first: the translators must be installed.
void measureWidths();
// Whether the cell centres its content (badges and the link) rather than leading-aligns it.
bool isCentred(Column column);

// The columns' rectangles inside a row or header of `bounds`, left to right. The name column
// never gets a negative width; when too narrow the columns after it run past the right edge.
std::array<QRect, count> cellRects(const QRect &bounds);

// Which column holds x within `bounds`; -1 outside every column.
int columnAt(const QRect &bounds, int x);

} // namespace MainTableColumns
