// Announcer: says a short message through the screen reader, once, right after the key that
// caused it.
#include "announcer.h"

#include "accesstree.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <QWidget>

Announcer::Announcer(QWidget* window) : QObject(window), m_window(window) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

Announcer::~Announcer() {
    release();
}

void Announcer::say(const QString& text) {
    if (text.isEmpty())
        return;
    m_waiting << text;
    m_last = waiting();
    schedule();
}

void Announcer::sayWithFocus(QWidget* carrier, const QString& text,
                             std::function<void()> giveFocus) {
    m_focusCarrier = carrier;
    m_giveFocus = std::move(giveFocus);
    m_focusText = text;
    m_last = waiting();
    schedule();
}

void Announcer::schedule() {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &Announcer::flush);
}

// What happened comes first, then what the focus arrives at.
QString Announcer::waiting() const {
    QStringList all = m_waiting;
    if (!m_focusText.isEmpty())
        all << m_focusText;
    return all.join(QLatin1Char(' '));
}

void Announcer::flush() {
    // A dialog that has just closed (Select Deal) still holds the screen reader's attention
    // until the window manager has given the focus back; a message said before that is heard
    // late or not at all. It waits, up to a second, for its window to be active again.
    if (m_window->isVisible() && !m_window->isActiveWindow() &&
        !QApplication::activeModalWidget() && m_windowWaits < kWindowWaits) {
        ++m_windowWaits;
        QTimer::singleShot(kWindowWait, this, &Announcer::flush);
        return;
    }
    m_windowWaits = 0;
    m_scheduled = false;
    const QString text = waiting();
    m_waiting.clear();
    m_focusText.clear();
    std::function<void()> giveFocus;
    giveFocus.swap(m_giveFocus);
    QWidget* target = m_focusCarrier;
    m_focusCarrier = nullptr;
    if (giveFocus && target) {
        // A widget that has the focus already is not read again; a part inside a widget (a card
        // place) is told of by its owner's own focus event.
        const bool arrives = !target->hasFocus();
        release();
        if (arrives) {
            // Read with the focus as it arrives: the description is there before the focus is.
            if (!text.isEmpty())
                attach(target, text);
            giveFocus();
            return;
        }
        giveFocus();
    }
    notify(text);
}

void Announcer::notify(const QString& text) {
    if (text.isEmpty())
        return;
    if (!m_bar) {
        // One pixel, drawing nothing and letting the mouse through: seen by screen readers only.
        m_bar = new QWidget(m_window);
        m_bar->setObjectName(QStringLiteral("announcements"));
        m_bar->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_bar->setGeometry(0, 0, 1, 1);
        accesstree::setRole(m_bar, QAccessible::StatusBar);
        m_notice = new QWidget(m_bar);
        m_notice->setObjectName(QStringLiteral("announcement"));
        m_notice->setGeometry(0, 0, 1, 1);
        m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        accesstree::setRole(m_notice, QAccessible::Notification);
        m_bar->show();
    }
    // Shown anew, the notification is read, whatever it said before.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->show();
    m_last = text;
    emit said(text, m_notice);
}

void Announcer::attach(QWidget* carrier, const QString& text) {
    if (m_carrier != carrier) {
        m_carrier = carrier;
        m_ownDescription = carrier->accessibleDescription();
    }
    // The same words again are still news: a reader that skips an unchanged description hears
    // them once the text differs by a blank.
    QString description = text;
    if (carrier->accessibleDescription() == description)
        description += QLatin1Char(' ');
    // The widget tells the accessibility layer of the change itself.
    carrier->setAccessibleDescription(description);
    m_last = text;
    emit said(text, carrier);
}

void Announcer::release() {
    if (!m_carrier)
        return;
    QWidget* carrier = m_carrier;
    m_carrier = nullptr;
    carrier->setAccessibleDescription(m_ownDescription);
}

void Announcer::focusChanged(QWidget* now) {
    if (m_carrier && m_carrier != now)
        release();
}

QAccessibleInterface* Announcer::focusInterface() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return nullptr;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(focus);
    // A widget may hold a focused part of its own, such as a card place on the table.
    for (int depth = 0; iface && depth < 4; ++depth) {
        QAccessibleInterface* inner = iface->focusChild();
        if (!inner || inner == iface || inner->object() == iface->object())
            break;
        iface = inner;
    }
    return iface;
}
