#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QStringView>

// Named symbol images ("arrow.clockwise", "doc.text", ...). Each name maps to a freedesktop
// icon-theme name for reference, but the application draws its own small SVG glyphs so that
// every symbol can take the palette colour it is drawn in and looks the same on every desktop.
namespace SymbolImage {

// The freedesktop icon-theme name that stands for `symbol`; empty when there is none.
QString themeIconName(QStringView symbol);
// Whether the application has its own glyph for `symbol`.
bool hasGlyph(QStringView symbol);
// `symbol` drawn in `color` in a square of `pointSize` device-independent pixels at the given
// device pixel ratio. An unknown symbol gives a transparent pixmap.
QPixmap pixmap(QStringView symbol, const QColor &color, int pointSize,
               qreal devicePixelRatio = 1.0);
// The same as an icon for buttons and menus.
QIcon icon(QStringView symbol, const QColor &color, int pointSize = 16);

} // namespace SymbolImage
