// PanelAccess: the table's message panels for the keyboard and for screen readers.
#include "panelaccess.h"

#include "accesstree.h"
#include "announcer.h"
#include "flatpanel.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

PanelAccess::PanelAccess(Announcer* announcer, QObject* parent)
    : QObject(parent), m_announcer(announcer) {}

void PanelAccess::add(const Panel& panel) {
    m_panels << panel;
    panel.panel->installEventFilter(this);
    // The keys are seen before the control acts on them: Tab before the window moves the focus
    // out of the panel, Escape before a field swallows it.
    for (QWidget* inner : panel.panel->findChildren<QWidget*>())
        inner->installEventFilter(this);
}

const PanelAccess::Panel* PanelAccess::panelOf(const QObject* object) const {
    for (const Panel& panel : m_panels)
        if (panel.panel && (object == panel.panel ||
                            panel.panel->isAncestorOf(qobject_cast<const QWidget*>(object))))
            return &panel;
    return nullptr;
}

QList<QWidget*> PanelAccess::tabStops(const QWidget* panel) {
    QList<QRect> covered;
    for (const auto* inner :
         panel->findChildren<TFlatPanel*>(QString(), Qt::FindDirectChildrenOnly))
        if (inner->isVisibleTo(panel))
            covered << inner->geometry();
    QList<QWidget*> stops;
    for (QWidget* w : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(panel) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const bool under = std::any_of(covered.begin(), covered.end(), [w](const QRect& r) {
            return r.contains(w->geometry().center());
        });
        if (!under)
            stops << w;
    }
    return stops;
}

QString PanelAccess::panelText(const QWidget* panel) {
    QStringList parts;
    for (const QLabel* label :
         panel->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString text = label->text().trimmed();
        if (text.isEmpty() || accesstree::isHidden(label) || !label->isVisibleTo(panel) ||
            parts.contains(text))
            continue;
        const QChar last = text.back();
        parts << (last.isLetterOrNumber() ? text + QLatin1Char('.') : text);
    }
    return parts.join(QLatin1Char(' '));
}

bool PanelAccess::eventFilter(QObject* watched, QEvent* event) {
    const Panel* panel = panelOf(watched);
    if (!panel)
        return QObject::eventFilter(watched, event);
    if (watched == panel->panel && event->type() == QEvent::Show)
        opened(*panel);
    else if (event->type() == QEvent::KeyPress && panel->panel->isVisible()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (mods == Qt::NoModifier && keyPressed(*panel, key->key()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

// Opened: the focus goes in, and the panel is read as it arrives there.
void PanelAccess::opened(const Panel& panel) {
    QWidget* first = panel.first;
    if (!first || !first->isVisibleTo(panel.panel)) {
        const QList<QWidget*> stops = tabStops(panel.panel);
        first = stops.isEmpty() ? nullptr : stops.first();
    }
    if (!first)
        return;
    QPointer<QWidget> target = first;
    QPointer<QWidget> inside = panel.panel;
    auto* field = qobject_cast<QLineEdit*>(first);
    const QString asked = field ? field->text() : QString();
    m_announcer->sayWithFocus(first, panelText(panel.panel), [target, inside, asked] {
        // Closed again before the key was done: the focus stays where it is.
        if (!target || !inside || !inside->isVisible())
            return;
        target->setFocus(Qt::OtherFocusReason);
        // A player who has already begun typing keeps the letters typed.
        auto* edit = qobject_cast<QLineEdit*>(target.data());
        if (edit && edit->text() == asked)
            edit->selectAll();
    });
}

bool PanelAccess::keyPressed(const Panel& panel, int key) {
    if (key == Qt::Key_Escape) {
        if (!panel.escape || !panel.escape->isVisible())
            return false;
        panel.escape->click();
        return true;
    }
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return false;
    const QList<QWidget*> stops = tabStops(panel.panel);
    if (stops.isEmpty())
        return true;
    int at = -1;
    for (int i = 0; i < stops.size(); ++i)
        if (stops[i]->hasFocus())
            at = i;
    const int step = key == Qt::Key_Tab ? 1 : -1;
    const int next = at < 0 ? 0 : (at + step + stops.size()) % stops.size();
    // The focus frames show from now on, as after any Tab.
    panel.panel->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    stops[next]->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
