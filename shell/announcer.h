// Announcer: says a short message through the screen reader, once, right after the key that
// caused it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QAccessibleInterface;
class QWidget;

// Qt 6.4 has no announcement event (QAccessibleAnnouncementEvent came with Qt 6.8), and its
// AT-SPI bridge sends the object instead of the new text with a change of name or description,
// which screen readers then cannot read. Until the program moves to a Qt that has the event, a
// message is said in one of two ways that do work:
// - as a notification: a small object in a status bar that is shown anew with the message as
//   its name; screen readers read a notification that appears, without its role inside a bar;
// - when the focus moves with the message (a move's result as the frame arrives at its new
//   card, a panel as it opens), as the accessible description of the control the focus
//   arrives at, which is read with it. The description is taken back when the focus moves on,
//   so nothing stale is read later.
// With the event, flush() becomes one QAccessibleAnnouncementEvent and this class can go.
//
// Messages asked for while one key is handled are said together, once the key is done, so that
// a move's result and the panel it opened are one message.
class Announcer : public QObject {
    Q_OBJECT

public:
    // The notification lies in `window`, which it is read with.
    explicit Announcer(QWidget* window);
    ~Announcer() override;

    // Says `text` where the focus is.
    void say(const QString& text);
    // Says `text` as the focus arrives at `carrier`; `giveFocus` moves it there. Of several
    // asked for during one key the last one is kept.
    void sayWithFocus(QWidget* carrier, const QString& text, std::function<void()> giveFocus);

    // Says what is waiting at once instead of when the key is done.
    void flush();
    // Something is waiting to be said.
    bool pending() const { return m_scheduled; }
    // The message said last (or waiting to be said), for tests and for repeating.
    const QString& lastMessage() const { return m_last; }
    // The control whose description carries the message now; null when none does.
    QWidget* carrier() const { return m_carrier; }
    // The notification that carries a message said where the focus already was.
    QWidget* notification() const { return m_notice; }
    // Takes the message back from its carrier; done before the focus moves by other ways than
    // the widgets' own (a card place on the table is focused by an event of its own).
    void release();

    // The object a screen reader takes for the focus: the focused widget, or the focused part
    // inside it that its accessible interface names.
    static QAccessibleInterface* focusInterface();

signals:
    // A message has gone to the accessibility layer on `carrier`.
    void said(const QString& text, QWidget* carrier);

private:
    void attach(QWidget* carrier, const QString& text);
    void notify(const QString& text);
    void focusChanged(QWidget* now);

    void schedule();
    QString waiting() const;

    // Waiting for the window after a dialog: up to kWindowWaits times kWindowWait.
    static constexpr int kWindowWaits = 20;
    static constexpr int kWindowWait = 50; // milliseconds
    int m_windowWaits = 0;
    QStringList m_waiting;
    QString m_focusText; // said with the focus, after the rest
    QPointer<QWidget> m_focusCarrier;
    std::function<void()> m_giveFocus;
    bool m_scheduled = false;
    QWidget* m_window;
    QWidget* m_bar = nullptr;    // made with the first message
    QWidget* m_notice = nullptr; // inside m_bar
    QPointer<QWidget> m_carrier;
    QString m_ownDescription; // the carrier's description before the message
    QString m_last;
};
