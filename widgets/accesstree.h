// accesstree: what screen readers see of the program's own controls: decoration left out, the
// flat text buttons as buttons, pictures that act on a click in the role they play.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>

class QWidget;

namespace accesstree {

// Installs the program's accessible interfaces; later calls do nothing.
void install();

// Keeps `widget` out of what screen readers see: a background picture, the grey shadow copy of
// a title. To be called when the widget is made, before a screen reader first asks about it or
// its parent.
void hide(QWidget* widget);
bool isHidden(const QObject* object);

// Shows `widget` to screen readers in `role` (a picture that opens a web site as a link),
// pressed by their press action when it is a button.
void setRole(QWidget* widget, QAccessible::Role role);

// Drops the accessible interface made for `object` so far, if a screen reader had one made: the
// next question makes it from the program's own interfaces. For objects made before those were
// installed, or before their role was settled.
void renew(QObject* object);

// The children of `widget` that screen readers see, in the order they are given.
QList<QWidget*> shownChildren(const QWidget* widget);

// A widget with children hidden from screen readers: they are left out of its children.
class Container : public QAccessibleWidget {
public:
    explicit Container(QWidget* widget, QAccessible::Role role = QAccessible::Client);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
};

} // namespace accesstree
