#pragma once

#include "Palette.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QAbstractScrollArea;
class QAction;
class QLabel;
class QLineEdit;
class QSplitter;
class QWidget;

// The look of ORVEL's windows, kept in one place. A widget declares once what it looks like
// (the tone of a label, the fill behind a pane, the kind of input field or scroll bar, a tinted
// symbol); the look applies it at once and again after every switch between light and dark,
// then repaints every widget, so that widgets drawing for themselves read their colours afresh
// (ViewStyle::color at paint time). No widget follows the appearance itself.
//
// Why not one application palette or style sheet: the appearance is detected from the
// application palette when the desktop has no portal, so setting ORVEL's own colours there would
// read back as the desktop's; and an application-wide style sheet would put every widget of
// every window, the desktop's file dialogs included, through style-sheet matching on the first
// frame. The declarations here touch only the widgets that ask, with the same palette roles and
// the same few style-sheet fragments as before, each written once below.
namespace AppLook {

// The colour of a label's (or any widget's) text: a palette tone, or a colour worked out anew
// at every switch.
void setTextTone(QWidget *widget, PaletteColor tone, qreal opacity = 1.0);
void setTextColor(QWidget *widget, std::function<QColor()> color);
// A widget painted over with a palette fill.
void setFill(QWidget *widget, PaletteColor fill);
// A list or scroll area on a palette fill, with the slim scroll bar.
void setScrollAreaFill(QAbstractScrollArea *area, std::optional<PaletteColor> fill);
// An input field of the windows: glass fill, hairline border, accent border while focused.
void styleField(QLineEdit *field);
// A splitter whose handle is a hairline in the border colour.
void styleSplitter(QSplitter *splitter);
// A label or menu action showing a named symbol tinted in a palette tone.
void setSymbol(QLabel *label, const QString &symbol, PaletteColor tone, int points);
void setSymbol(QAction *action, const QString &symbol, PaletteColor tone, int points);

} // namespace AppLook
