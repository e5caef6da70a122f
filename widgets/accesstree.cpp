// accesstree: what screen readers see of the program's own controls.
#include "accesstree.h"

#include "buttoncomps.h"
#include "flatpanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <algorithm>

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

// An item of a menu. A checkable one is a check box, so that screen readers, which read a plain
// menu item's mark only when it is set, say "not checked" too.
class MenuItemInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuItemInterface(QMenu* menu, QAction* action) : m_menu(menu), m_action(action) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }
    bool isValid() const override { return m_menu && m_action; }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return m_menu ? m_menu->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_menu ? QAccessible::queryAccessibleInterface(m_menu.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!m_action)
            return QString();
        if (t == QAccessible::Name) {
            QString name = m_action->text();
            // "&&" is a written ampersand, a single "&" marks the mnemonic.
            name.replace(QLatin1String("&&"), QString(QChar(0x1)));
            name.remove(QLatin1Char('&'));
            name.replace(QChar(0x1), QLatin1Char('&'));
            return name;
        }
        if (t == QAccessible::Accelerator)
            return m_action->shortcut().toString(QKeySequence::NativeText);
        return QString();
    }
    QAccessible::Role role() const override {
        if (m_action && m_action->isSeparator())
            return QAccessible::Separator;
        return m_action && m_action->isCheckable() ? QAccessible::CheckBox : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = !m_action->isSeparator();
        s.focused = s.hotTracked = m_menu->activeAction() == m_action;
        s.disabled = !m_action->isEnabled();
        s.invisible = !m_action->isVisible() || !m_menu->isVisible();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        return s;
    }
    QRect rect() const override {
        if (!isValid())
            return QRect();
        const QRect r = m_menu->actionGeometry(m_action);
        return QRect(m_menu->mapToGlobal(r.topLeft()), r.size());
    }

    QStringList actionNames() const override {
        if (!isValid() || m_action->isSeparator())
            return {};
        return {QAccessibleActionInterface::pressAction()};
    }
    void doAction(const QString& name) override {
        if (name == QAccessibleActionInterface::pressAction() && isValid() && m_action->isEnabled())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override {
        return m_action ? QStringList{text(QAccessible::Accelerator)} : QStringList();
    }

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

// A menu whose items are those above.
class MenuInterface : public QAccessibleWidget {
public:
    explicit MenuInterface(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}
    ~MenuInterface() override {
        for (QAccessible::Id id : std::as_const(m_items))
            QAccessible::deleteAccessibleInterface(id);
    }

    QMenu* menu() const { return static_cast<QMenu*>(widget()); }
    int childCount() const override { return menu()->actions().size(); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAction*> actions = menu()->actions();
        if (index < 0 || index >= actions.size())
            return nullptr;
        QAction* action = actions.at(index);
        auto found = m_items.constFind(action);
        if (found == m_items.constEnd())
            found = m_items.insert(action, QAccessible::registerAccessibleInterface(
                                               new MenuItemInterface(menu(), action)));
        return QAccessible::accessibleInterface(*found);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? menu()->actions().indexOf(qobject_cast<QAction*>(child->object())) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = menu()->mapFromGlobal(QPoint(x, y));
        QAction* action = menu()->actionAt(at);
        return action ? child(menu()->actions().indexOf(action)) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        QAction* active = menu()->activeAction();
        return active ? child(menu()->actions().indexOf(active)) : nullptr;
    }

private:
    mutable QHash<QAction*, QAccessible::Id> m_items;
};

bool hasCheckableItem(const QMenu* menu) {
    const QList<QAction*> actions = menu->actions();
    return std::any_of(actions.begin(), actions.end(),
                       [](const QAction* a) { return a->isCheckable(); });
}

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(kHidden).toBool())
        return new HiddenInterface(widget);
    if (auto* button = qobject_cast<TSelButton*>(widget))
        return new SelButtonInterface(button);
    if (auto* menu = qobject_cast<QMenu*>(widget); menu && hasCheckableItem(menu))
        return new MenuInterface(menu);
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
