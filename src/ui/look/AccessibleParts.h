#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QStringList>

#include <functional>

// The accessible face of a widget that draws several parts itself (the segments of a segmented
// control, the headings of a header bar): each part is a child that the accessibility bus can
// read with its name, place and whether it is the selected one; a part that can be pressed
// offers the press action.
class AccessibleParts : public QAccessibleWidget {
public:
    struct Source {
        QAccessible::Role partRole;
        std::function<QStringList()> names;
        // A part's area in the widget's coordinates.
        std::function<QRect(int)> rect;
        // The selected part, -1 for none; unset where parts are never selected.
        std::function<int()> selected;
        // Unset where parts cannot be pressed.
        std::function<void(int)> press;
    };

    AccessibleParts(QWidget *widget, QAccessible::Role role, Source source);
    ~AccessibleParts() override;

    const Source &source() const { return m_source; }
    QWidget *partsWidget() const { return widget(); }

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // Tells the accessibility bus that part `index` of `widget` is now the selected one.
    static void announceSelection(QWidget *widget, int index);

private:
    Source m_source;
    mutable QHash<int, QAccessible::Id> m_parts;
};
