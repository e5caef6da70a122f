// PanelAccess: the table's message panels for the keyboard and for screen readers. A panel that
// opens takes the focus and is read out; Tab and Shift+Tab stay inside it while it is open;
// Escape presses its CANCEL or DONE.
#pragma once

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class Announcer;
class QWidget;

class PanelAccess : public QObject {
    Q_OBJECT

public:
    // Guarded: the window's end destroys the panels one by one while events still arrive.
    struct Panel {
        QPointer<QWidget> panel;
        QPointer<QWidget> first;          // takes the focus when the panel opens
        QPointer<QAbstractButton> escape; // pressed by Escape; none when null
    };

    PanelAccess(Announcer* announcer, QObject* parent = nullptr);

    void add(const Panel& panel);

    // The controls Tab visits in an open panel, in the order they were made: shown, enabled,
    // reached by Tab and not lying under another panel inside it.
    static QList<QWidget*> tabStops(const QWidget* panel);
    // What a screen reader is told when the panel opens: its texts as they are shown, each once.
    static QString panelText(const QWidget* panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Panel* panelOf(const QObject* object) const;
    void opened(const Panel& panel);
    bool keyPressed(const Panel& panel, int key);

    Announcer* m_announcer;
    QList<Panel> m_panels;
};
