#include "TableSearchField.h"

#include "ui/look/ViewStyle.h"

#include <QKeyEvent>

TableSearchField::TableSearchField(QWidget *parent)
    : QLineEdit(parent) {
    setObjectName(QStringLiteral("TableSearchField"));
    setPlaceholderText(QStringLiteral("搜索代码或名称"));
    setAccessibleName(QStringLiteral("搜索代码或名称"));
    setClearButtonEnabled(true);
    setFixedWidth(fieldWidth);
    setFont(ViewStyle::font(12));
    applyAppearance();
}

void TableSearchField::applyAppearance() {
    QPalette colors = palette();
    colors.setColor(QPalette::Text, ViewStyle::color(PaletteColor::textPrimary));
    colors.setColor(QPalette::PlaceholderText, ViewStyle::color(PaletteColor::textSecondary, 0.7));
    colors.setColor(QPalette::Highlight, ViewStyle::color(PaletteColor::accentGreen, 0.35));
    colors.setColor(QPalette::HighlightedText, ViewStyle::color(PaletteColor::textPrimary));
    setPalette(colors);
    // The focus ring is the accent border, two pixels so that it reads in light and dark alike.
    setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %3;"
                                 " border-radius: 6px; padding: 3px 7px; }"
                                 "QLineEdit:focus { border: 2px solid %4; padding: 2px 6px; }")
                      .arg(ViewStyle::css(ViewStyle::color(PaletteColor::glassFillStrong)),
                           ViewStyle::css(ViewStyle::color(PaletteColor::textPrimary)),
                           ViewStyle::css(ViewStyle::color(PaletteColor::borderColor)),
                           ViewStyle::css(ViewStyle::color(PaletteColor::accentGreen, 0.8))));
}

void TableSearchField::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && !text().isEmpty()) {
        clear();
    } else if (key == Qt::Key_Escape || key == Qt::Key_Down || key == Qt::Key_Return ||
               key == Qt::Key_Enter) {
        emit leaveRequested();
    } else {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}
