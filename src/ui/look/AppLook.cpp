#include "AppLook.h"

#include "AppearanceMonitor.h"
#include "SymbolImage.h"
#include "ViewStyle.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QWidget>

namespace AppLook {

namespace {

// What a widget declared, applied now and after every switch while the widget lives. A later
// declaration of the same kind for the same widget replaces the earlier one.
struct Declaration {
    QPointer<QObject> target;
    int kind;
    std::function<void()> apply;
};

enum Kind { textColor, fill, scrollArea, field, splitter, symbol };

QList<Declaration> &declarations() {
    static QList<Declaration> list;
    return list;
}

void applyAppearance();

// Declaring is enough to be followed: the look starts listening with the first declaration.
void follow() {
    static const bool following = [] {
        QObject::connect(&AppearanceMonitor::shared(), &AppearanceMonitor::appearanceChanged, qApp,
                         [] { applyAppearance(); });
        return true;
    }();
    Q_UNUSED(following);
}

void declare(QObject *target, Kind kind, std::function<void()> apply) {
    follow();
    apply();
    QList<Declaration> &list = declarations();
    list.removeIf([&](const Declaration &d) {
        return d.target.isNull() || (d.target == target && d.kind == kind);
    });
    list.append({target, kind, std::move(apply)});
}

void applyAppearance() {
    QList<Declaration> &list = declarations();
    list.removeIf([](const Declaration &d) { return d.target.isNull(); });
    for (const Declaration &declaration : std::as_const(list))
        declaration.apply();
    // Everything else paints with the palette of the moment: one repaint of every widget.
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        widget->update();
}

// The one slim scroll bar of the windows; the toolkit's own would be a light slab in dark.
QString slimScrollBar() {
    return QStringLiteral("QScrollBar:vertical { background: transparent; width: 8px; "
                          "margin: 3px 2px 3px 0; border: none; }"
                          "QScrollBar::handle:vertical { background: %1; border-radius: 3px; "
                          "min-height: 24px; }"
                          "QScrollBar::handle:vertical:hover { background: %2; }"
                          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical "
                          "{ height: 0; border: none; background: none; }"
                          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                          "{ background: none; }")
        .arg(ViewStyle::css(ViewStyle::color(PaletteColor::textSecondary, 0.35)),
             ViewStyle::css(ViewStyle::color(PaletteColor::textSecondary, 0.55)));
}

// The one input field of the windows. Focus is the accent border two pixels wide (the padding
// gives back the extra pixel), so that it reads in light and dark alike.
QString fieldStyle() {
    return QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %3;"
                          " border-radius: 6px; padding: 6px 7px; }"
                          "QLineEdit:focus { border: 2px solid %4; padding: 5px 6px; }")
        .arg(ViewStyle::css(ViewStyle::color(PaletteColor::glassFillStrong)),
             ViewStyle::css(ViewStyle::color(PaletteColor::textPrimary)),
             ViewStyle::css(ViewStyle::color(PaletteColor::borderColor)),
             ViewStyle::css(ViewStyle::color(PaletteColor::accentGreen, 0.8)));
}

} // namespace

void setTextTone(QWidget *widget, PaletteColor tone, qreal opacity) {
    setTextColor(widget, [tone, opacity] { return ViewStyle::color(tone, opacity); });
}

void setTextColor(QWidget *widget, std::function<QColor()> color) {
    declare(widget, textColor, [widget, color = std::move(color)] {
        // Labels draw in WindowText, item views and fields in Text.
        QPalette colors = widget->palette();
        const QColor shown = color();
        colors.setColor(QPalette::WindowText, shown);
        colors.setColor(QPalette::Text, shown);
        widget->setPalette(colors);
    });
}

void setFill(QWidget *widget, PaletteColor tone) {
    widget->setAutoFillBackground(true);
    declare(widget, fill, [widget, tone] {
        QPalette colors = widget->palette();
        colors.setColor(QPalette::Window, ViewStyle::color(tone));
        widget->setPalette(colors);
    });
}

void setScrollAreaFill(QAbstractScrollArea *area, std::optional<PaletteColor> tone) {
    declare(area, scrollArea, [area, tone] {
        if (tone) {
            QPalette colors = area->palette();
            colors.setColor(QPalette::Base, ViewStyle::color(*tone));
            colors.setColor(QPalette::Window, ViewStyle::color(*tone));
            area->setPalette(colors);
        }
        area->setStyleSheet(slimScrollBar());
    });
}

void styleField(QLineEdit *field) {
    declare(field, AppLook::field, [field] {
        QPalette colors = field->palette();
        colors.setColor(QPalette::Text, ViewStyle::color(PaletteColor::textPrimary));
        colors.setColor(QPalette::PlaceholderText,
                        ViewStyle::color(PaletteColor::textSecondary, 0.6));
        colors.setColor(QPalette::Highlight, ViewStyle::color(PaletteColor::accentGreen, 0.35));
        colors.setColor(QPalette::HighlightedText, ViewStyle::color(PaletteColor::textPrimary));
        field->setPalette(colors);
        field->setStyleSheet(fieldStyle());
    });
}

void styleSplitter(QSplitter *splitter) {
    declare(splitter, AppLook::splitter, [splitter] {
        splitter->setStyleSheet(
            QStringLiteral("QSplitter::handle { background: %1; }")
                .arg(ViewStyle::css(ViewStyle::color(PaletteColor::borderColor))));
    });
}

void setSymbol(QLabel *label, const QString &name, PaletteColor tone, int points) {
    declare(label, symbol, [label, name, tone, points] {
        label->setPixmap(
            ViewStyle::symbol(name, ViewStyle::color(tone), points, label->devicePixelRatioF()));
    });
}

void setSymbol(QAction *action, const QString &name, PaletteColor tone, int points) {
    declare(action, symbol, [action, name, tone, points] {
        action->setIcon(SymbolImage::icon(name, ViewStyle::color(tone), points));
    });
}

} // namespace AppLook
