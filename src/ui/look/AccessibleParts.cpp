#include "AccessibleParts.h"

#include "AccessiblePart.h"

#include <QWidget>

AccessibleParts::AccessibleParts(QWidget *widget, QAccessible::Role role, Source source)
    : QAccessibleWidget(widget, role)
    , m_source(std::move(source)) {}

AccessibleParts::~AccessibleParts() {
    // The parts are registered with the accessibility cache, which does not know they are ours.
    for (const QAccessible::Id id : std::as_const(m_parts))
        QAccessible::deleteAccessibleInterface(id);
}

int AccessibleParts::childCount() const {
    return static_cast<int>(m_source.names().size());
}

QAccessibleInterface *AccessibleParts::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    auto found = m_parts.constFind(index);
    if (found != m_parts.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto *part = new AccessiblePart(const_cast<AccessibleParts &>(*this), index);
    m_parts.insert(index, QAccessible::registerAccessibleInterface(part));
    return part;
}

int AccessibleParts::indexOfChild(const QAccessibleInterface *child) const {
    for (auto it = m_parts.constBegin(); it != m_parts.constEnd(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return -1;
}

QAccessibleInterface *AccessibleParts::childAt(int x, int y) const {
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
        if (m_source.rect(i).contains(local))
            return child(i);
    }
    return nullptr;
}

void AccessibleParts::announceSelection(QWidget *widget, int index) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *whole = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface *part = whole ? whole->child(index) : nullptr;
    if (!part)
        return;
    QAccessible::State changed;
    changed.selected = changed.checked = true;
    QAccessibleStateChangeEvent event(part, changed);
    QAccessible::updateAccessibility(&event);
}
