#include "AccessiblePart.h"

#include "AccessibleParts.h"

#include <QWidget>

AccessiblePart::AccessiblePart(AccessibleParts &owner, int index)
    : m_owner(owner)
    , m_index(index) {}

bool AccessiblePart::isValid() const {
    return m_owner.isValid() && m_index < m_owner.childCount();
}

QWindow *AccessiblePart::window() const {
    return m_owner.window();
}

QAccessibleInterface *AccessiblePart::parent() const {
    return &m_owner;
}

QString AccessiblePart::text(QAccessible::Text type) const {
    if (type != QAccessible::Name)
        return {};
    return m_owner.source().names().value(m_index);
}

QRect AccessiblePart::rect() const {
    const QRect local = m_owner.source().rect(m_index);
    return QRect(m_owner.partsWidget()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role AccessiblePart::role() const {
    return m_owner.source().partRole;
}

QAccessible::State AccessiblePart::state() const {
    QAccessible::State state;
    const AccessibleParts::Source &source = m_owner.source();
    if (source.selected) {
        const bool selected = source.selected() == m_index;
        state.selectable = state.checkable = true;
        state.selected = state.checked = selected;
    }
    return state;
}

void *AccessiblePart::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                : nullptr;
}

QStringList AccessiblePart::actionNames() const {
    return m_owner.source().press ? QStringList{pressAction()} : QStringList{};
}

void AccessiblePart::doAction(const QString &actionName) {
    if (actionName == pressAction() && m_owner.source().press)
        m_owner.source().press(m_index);
}
