// Tmain for the keyboard and for screen readers: the announcer, the message panels' keys, the
// extra keys of the menu, and what the table shows to screen readers.
#include "mainform.h"

#include "accesstree.h"
#include "announcer.h"
#include "boardaccess.h"
#include "flatpanel.h"
#include "imagebutton.h"
#include "maker.h"
#include "panelaccess.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

void Tmain::createAccess() {
    // Decoration is no control, and the stock is one control: the empty stock's picture under
    // it is only seen. Each title's grey shadow would be read as a second title.
    for (QWidget* decoration :
         {static_cast<QWidget*>(Image1), static_cast<QWidget*>(image_stockend),
          static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label7),
          static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label3),
          static_cast<QWidget*>(Label15), static_cast<QWidget*>(Label17)})
        accesstree::hide(decoration);
    // The logo opens the maker's web site, as a link does.
    accesstree::setRole(image_logo, QAccessible::Link);
    image_logo->setAccessibleName(tr("%1 web site").arg(QLatin1String(kMakerName)));
    edit_aname->setAccessibleName(tr("Your name"));
    edit_name->setAccessibleName(tr("Your name"));

    // Menus made before their items were checkable are asked about afresh.
    for (QMenu* menu : {file1, Options1, View1, Help1})
        accesstree::renew(menu);

    m_panels = new PanelAccess(m_announcer, this);
    m_panels->add({panel_name, edit_aname, button_namedone});
    m_panels->add({panel_lost, button_start2, button_donelost});
    m_panels->add({panel_cleared, button_sendscore, button_cancel});
    m_panels->add({panel_update, button_updateyes, button_updatecancel});

    // Tab goes as the eye does: the table, then UNDO -3 above START GAME.
    QWidget::setTabOrder(panel_board1, button_undo);
    QWidget::setTabOrder(button_undo, button_start);

    // The keys players of other card games reach for; the menu shows the first of each.
    StartGame1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_F2),
                              QKeySequence(Qt::CTRL | Qt::Key_N)});
    Hint1->setShortcuts({QKeySequence(Qt::Key_H), QKeySequence(Qt::SHIFT | Qt::Key_H)});
    // F10 opens the menu bar, as in the desktop's other programs: as a lone Alt does, with the
    // first menu marked and the arrow keys going to the menus.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* target = focusWidget() ? focusWidget() : this;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    });
}

// The hint is said as well as shown: the card or the stock to play, or that the game is lost.
void Tmain::announceHint(const Solver::Result& result) {
    QString text;
    if (result.verdict == Solver::Verdict::Unwinnable) {
        text = label_nowin->text();
    } else if (result.verdict == Solver::Verdict::Winnable) {
        const int move = result.line.front();
        text = move == Solver::kStock
                   ? tr("Hint: turn the stock.")
                   : tr("Hint: play the %1.").arg(BoardAccess::cardName(m_game.slot(move).card));
    }
    if (!text.isEmpty())
        m_announcer->say(text);
}
