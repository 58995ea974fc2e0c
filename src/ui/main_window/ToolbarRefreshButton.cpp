#include "ToolbarRefreshButton.h"

ToolbarRefreshButton::ToolbarRefreshButton(Action action, QWidget *parent)
    : ToolbarActionButton(QStringLiteral("arrow.clockwise"), tr("刷新"), std::move(action),
                          parent) {
    setObjectName(QStringLiteral("ToolbarRefreshButton"));
}
