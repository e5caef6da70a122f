// accesstree: what screen readers see of the program's own controls.
#include "accesstree.h"

#include "buttoncomps.h"
#include "flatpanel.h"

#include <QAbstractButton>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kHidden[] = "accesstreeHidden";
constexpr char kHasHidden[] = "accesstreeHasHidden";
constexpr char kRole[] = "accesstreeRole";

// Hidden from screen readers: no name, no role, not shown.
class HiddenInterface : public QAccessibleWidget {
public:
    explicit HiddenInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
};

// A control in the role it plays, named by its accessible name.
class RoleInterface : public QAccessibleWidget {
public:
    RoleInterface(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QStringList actionNames() const override {
        if (qobject_cast<QAbstractButton*>(widget()) || qobject_cast<TSelButton*>(widget()))
            return {QAccessibleActionInterface::pressAction()};
        return {};
    }
    void doAction(const QString& action) override {
        if (action != QAccessibleActionInterface::pressAction())
            return;
        if (auto* button = qobject_cast<QAbstractButton*>(widget()))
            button->click();
        else if (auto* button = qobject_cast<TSelButton*>(widget()))
            emit button->clicked();
    }
};

// The flat text button is a button named by its caption.
class SelButtonInterface : public RoleInterface {
public:
    explicit SelButtonInterface(TSelButton* button) : RoleInterface(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? static_cast<TSelButton*>(widget())->caption() : own;
        }
        return RoleInterface::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = RoleInterface::state();
        s.focusable = widget()->focusPolicy() & Qt::TabFocus;
        s.focused = widget()->hasFocus();
        return s;
    }
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(kHidden).toBool())
        return new HiddenInterface(widget);
    if (auto* button = qobject_cast<TSelButton*>(widget))
        return new SelButtonInterface(button);
    const QVariant role = widget->property(kRole);
    if (role.isValid())
        return new RoleInterface(widget, QAccessible::Role(role.toInt()));
    if (widget->property(kHasHidden).toBool() || qobject_cast<TFlatPanel*>(widget))
        return new accesstree::Container(widget);
    return nullptr;
}

} // namespace

namespace accesstree {

void install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(interfaceFor);
}

void hide(QWidget* widget) {
    install();
    widget->setProperty(kHidden, true);
    renew(widget);
    if (QWidget* parent = widget->parentWidget()) {
        if (!parent->property(kHasHidden).toBool()) {
            parent->setProperty(kHasHidden, true);
            renew(parent);
        }
    }
}

void renew(QObject* object) {
    if (!QAccessible::isActive())
        return;
    // Only a screen reader that is listening has had interfaces made.
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

bool isHidden(const QObject* object) {
    return object && object->property(kHidden).toBool();
}

void setRole(QWidget* widget, QAccessible::Role role) {
    install();
    widget->setProperty(kRole, int(role));
    renew(widget);
}

QList<QWidget*> shownChildren(const QWidget* widget) {
    QList<QWidget*> shown;
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && !isHidden(w))
            shown << w;
    }
    return shown;
}

Container::Container(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

int Container::childCount() const {
    return shownChildren(widget()).size();
}

QAccessibleInterface* Container::child(int index) const {
    const QList<QWidget*> shown = shownChildren(widget());
    if (index < 0 || index >= shown.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(shown.at(index));
}

int Container::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    return shownChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object()));
}

} // namespace accesstree
