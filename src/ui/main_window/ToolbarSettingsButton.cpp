#include "ToolbarSettingsButton.h"

ToolbarSettingsButton::ToolbarSettingsButton(Action action, QWidget *parent)
    : ToolbarActionButton(QStringLiteral("gearshape"), tr("设置"), std::move(action), parent) {
    setObjectName(QStringLiteral("ToolbarSettingsButton"));
}
