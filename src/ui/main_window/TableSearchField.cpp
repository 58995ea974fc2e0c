#include "TableSearchField.h"

#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QKeyEvent>

TableSearchField::TableSearchField(QWidget *parent)
    : QLineEdit(parent) {
    setObjectName(QStringLiteral("TableSearchField"));
    setPlaceholderText(tr("搜索代码或名称"));
    setAccessibleName(tr("搜索代码或名称"));
    // The clear button's icon comes from the desktop's icon theme, and looking it up costs about
    // as much as everything else the first frame draws; the button only shows with text anyway.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty() && !isClearButtonEnabled())
            setClearButtonEnabled(true);
    });
    setFixedWidth(fieldWidth);
    setFont(ViewStyle::font(12));
    AppLook::styleField(this);
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
