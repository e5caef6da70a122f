// The game by ear and by keyboard: what reaches the accessibility layer after each key (the
// message, the object that carries it and its role), the message panels that take the focus
// and keep Tab inside, the accessible tree without unnamed buttons or stale focus, the extra
// keys, and the secondary windows that Tab and Escape work in.
#include "tablefixture.h"

#include "announcer.h"
#include "boardaccess.h"
#include "buttoncomps.h"
#include "cardanimator.h"
#include "highscoreform.h"
#include "labeltable.h"
#include "tallylistform.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>

#include <functional>

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Sends a key where the keyboard would: to the focused widget, or the window when none is.
void press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, Qt::Key(key), modifiers);
}

bool showAndActivate(Table& table) {
    if (!table.show())
        return false;
    table.window->activateWindow();
    return QTest::qWaitForWindowActive(table.window.get());
}

// Every interface below `root`, depth first.
void walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit,
          int depth = 0) {
    if (!root || depth > 20)
        return;
    visit(root);
    for (int i = 0; i < root->childCount(); ++i)
        walk(root->child(i), visit, depth + 1);
}

// The names a screen reader finds inside `root`.
QStringList innerNames(QObject* root) {
    QStringList names;
    QAccessibleInterface* top = accessible(root);
    walk(top, [&](QAccessibleInterface* iface) {
        if (iface != top)
            names << iface->text(QAccessible::Name);
    });
    return names;
}

// 6 on the discard, a 7 at slot 19 and an 8 at slot 20 at the foot of the first peak with a 9 on
// them, a King first in the stock.
Game::Deck smallDeck() {
    return stackedDeck({{29, cardOf(6, 0)},
                        {19, cardOf(7, 0)},
                        {20, cardOf(8, 0)},
                        {10, cardOf(9, 0)},
                        {30, cardOf(13, 2)}});
}

// Shown and made the active window, as the window manager does for a window that opens.
void activate(QWidget* window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

QWidget* topLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace

class TstScreenReader : public QObject {
    Q_OBJECT

private slots:
    // Each key's result is said once, after the key: on the card the frame moves to when it
    // moves, read with it; otherwise as a notification inside a status bar, which screen
    // readers read as it appears.
    void eachKeySaysWhatHappenedOnce() {
        struct Case {
            const char* name;
            QList<int> keys;
            QString message;
            QString carrier; // object name of the carrying control
        };
        const QList<Case> cases = {
            {"play: the frame moves on",
             {Qt::Key_Left, Qt::Key_Return},
             "Seven of Clubs played, +1. Score 1.",
             "card_20"},
            {"stock turn",
             {Qt::Key_Left, Qt::Key_S},
             "Stock turned: King of Hearts, -1. stock, 22 cards. Score -1.",
             "announcement"},
            {"end of the row",
             {Qt::Key_Left, Qt::Key_Left},
             "End of the row. Seven of Clubs, playable",
             "announcement"},
            {"undo brings the card back",
             {Qt::Key_Left, Qt::Key_Return, Qt::Key_Right, Qt::Key_Z},
             "Undo, -3: Seven of Clubs back on the table, Six of Clubs on the discard pile. "
             "Score -3.",
             "card_19"},
        };
        for (const Case& c : cases) {
            Table table;
            QVERIFY(showAndActivate(table));
            table.deal(smallDeck());
            Announcer* announcer = table.window->boardAccess()->announcer();
            QSignalSpy said(announcer, &Announcer::said);
            for (int key : c.keys) {
                said.clear();
                if (key == Qt::Key_Z)
                    press(*table.window, key, Qt::ControlModifier);
                else
                    press(*table.window, key);
                QTRY_VERIFY(!announcer->pending());
            }
            QCOMPARE(said.size(), 1);
            QCOMPARE(said.at(0).at(0).toString(), c.message);
            auto* carrier = said.at(0).at(1).value<QWidget*>();
            QVERIFY2(carrier, c.name);
            QCOMPARE(carrier->objectName(), QString(c.carrier));
            QAccessibleInterface* iface = accessible(carrier);
            if (c.carrier == QLatin1String("announcement")) {
                QCOMPARE(iface->role(), QAccessible::Notification);
                QCOMPARE(iface->text(QAccessible::Name), c.message);
                QCOMPARE(iface->parent()->role(), QAccessible::StatusBar);
                QVERIFY(carrier->isVisible());
            } else {
                // Read with the focus that arrives at it; taken back when the focus goes on.
                QCOMPARE(iface->text(QAccessible::Description), c.message);
                QVERIFY(iface->state().focused);
                press(*table.window, Qt::Key_Down);
                QVERIFY(iface->text(QAccessible::Description).isEmpty());
            }
        }
    }

    // A move that ends the game and the panel it opens are one message, the result first.
    void theEndOfAGameAndItsPanelAreOneMessage() {
        Table table;
        QVERIFY(showAndActivate(table));
        // Without animations the panel opens with the last move, not once its card has landed.
        table.window->animator()->setEnabled(false);
        table.deal(winnableDeck());
        BoardAccess* access = table.window->boardAccess();
        QSignalSpy said(access->announcer(), &Announcer::said);
        const std::vector<int> order = clearingOrder();
        for (std::size_t i = 0; i + 1 < order.size(); ++i)
            table.click(table.card(order[i]));
        QTRY_VERIFY(!access->announcer()->pending());
        said.clear();
        table.click(table.card(order.back()));
        QTRY_COMPARE(said.size(), 1);
        const QString message = said.at(0).at(0).toString();
        QVERIFY2(message.contains("Board cleared! End bonus +120. Final score 586. "
                                  "You Cleared The Board!"),
                 qPrintable(message));
        QCOMPARE(said.at(0).at(1).value<QWidget*>(), table.control("button_sendscore"));
        QCOMPARE(QApplication::focusWidget(), table.control("button_sendscore"));
    }

    void theHintIsSaid() {
        Table table;
        QVERIFY(showAndActivate(table));
        table.deal(smallDeck());
        QSignalSpy said(table.window->boardAccess()->announcer(), &Announcer::said);
        QTRY_COMPARE(said.size(), 1); // the deal
        said.clear();
        press(*table.window, Qt::Key_H, Qt::ShiftModifier);
        QTRY_COMPARE(said.size(), 1);
        const QString hint = said.at(0).at(0).toString();
        QVERIFY2(hint.startsWith("Hint: "), qPrintable(hint));
    }

    // An open panel has the focus; Tab and Shift+Tab go round its controls and never leave it;
    // Escape presses its CANCEL or DONE.
    void openPanelsKeepTheFocusAndEscapeClosesThem() {
        struct Case {
            const char* panel;
            QStringList stops; // in Tab order
            const char* title;
        };
        const QList<Case> cases = {
            {"panel_name", {"edit_aname", "button_namedone"}, "ENTER YOUR NAME"},
            {"panel_lost", {"button_start2", "button_donelost"}, "SORRY, YOU LOST!"},
            {"panel_cleared",
             {"edit_name", "button_sendscore", "button_highscores", "button_cancel"},
             "Enter Your Name"},
            {"panel_update", {"button_updateyes", "button_updatecancel"}, "Update Available"},
        };
        for (const Case& c : cases) {
            Table table;
            QVERIFY(showAndActivate(table));
            table.deal(winnableDeck());
            Announcer* announcer = table.window->boardAccess()->announcer();
            if (c.panel == QLatin1String("panel_name"))
                table.action("ChangeName1")->trigger();
            else if (c.panel == QLatin1String("panel_lost"))
                table.window->showLostPanel(true);
            else if (c.panel == QLatin1String("panel_cleared"))
                table.window->showClearedPanel();
            else
                table.control(c.panel)->show();
            QWidget* panel = table.control(c.panel);
            QTRY_VERIFY2(panel->isAncestorOf(QApplication::focusWidget()), c.panel);
            // Read as it opens: with the focus that arrives in it, or where the focus was.
            QVERIFY2(announcer->lastMessage().contains(QLatin1String(c.title)),
                     qPrintable(announcer->lastMessage()));
            int at = c.stops.indexOf(QApplication::focusWidget()->objectName());
            QVERIFY2(at >= 0, c.panel);
            for (int i = 0; i < 2 * c.stops.size(); ++i) {
                press(*table.window, Qt::Key_Tab);
                at = (at + 1) % c.stops.size();
                QCOMPARE(QApplication::focusWidget()->objectName(), c.stops.at(at));
            }
            for (int i = 0; i < c.stops.size() + 1; ++i) {
                press(*table.window, Qt::Key_Backtab, Qt::ShiftModifier);
                at = (at + c.stops.size() - 1) % c.stops.size();
                QCOMPARE(QApplication::focusWidget()->objectName(), c.stops.at(at));
            }
            press(*table.window, Qt::Key_Escape);
            QVERIFY2(!panel->isVisible(), c.panel);
        }
    }

    // Escape on the name panel is DONE: the typed name is taken.
    void escapeOnTheNamePanelTakesTheName() {
        Table table;
        QVERIFY(showAndActivate(table));
        QTRY_COMPARE(QApplication::focusWidget(), table.control("edit_aname"));
        QCOMPARE(table.control("edit_aname")->accessibleName(), QStringLiteral("Your name"));
        for (char c : {'A', 'n', 'n'})
            QTest::keyClick(QApplication::focusWidget(), c);
        press(*table.window, Qt::Key_Escape);
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.window->playerName(), std::string("Ann"));
    }

    // No control is an unnamed button; decoration and shadow titles are not there; after Tab
    // leaves the table no card is focused.
    void theTreeHasNoUnnamedButtonAndNoStaleFocus() {
        Table table;
        QVERIFY(showAndActivate(table));
        table.deal(smallDeck());
        table.window->showLostPanel(true);
        table.control("panel_lost")->hide();
        QList<QObject*> seen;
        walk(accessible(table.window.get()), [&](QAccessibleInterface* iface) {
            seen << iface->object();
            const QAccessible::Role role = iface->role();
            if (role == QAccessible::Button || role == QAccessible::Link)
                QVERIFY2(!iface->text(QAccessible::Name).isEmpty(),
                         qPrintable(iface->object() ? iface->object()->objectName() : "?"));
        });
        for (const char* hidden : {"Image1", "image_stockend", "Label5", "Label7"})
            QVERIFY2(!seen.contains(table.control(hidden)), hidden);
        QVERIFY(seen.contains(table.control("image_logo")));
        QCOMPARE(accessible(table.control("image_logo"))->role(), QAccessible::Link);
        for (const char* panel : {"panel_name", "panel_lost", "panel_update"})
            QCOMPARE(innerNames(table.control(panel)).count(table.control(panel)->accessibleName()),
                     1);

        press(*table.window, Qt::Key_Left);
        QVERIFY(accessible(table.card(19))->state().focused);
        press(*table.window, Qt::Key_Tab);
        QVERIFY(!table.control("panel_board1")->hasFocus());
        for (int place = BoardAccess::kStock; place <= BoardAccess::kDiscard; ++place)
            QVERIFY(!accessible(table.window->boardAccess()->control(place))->state().focused);
    }

    void keysDesktopCardPlayersExpect() {
        Table table;
        QVERIFY(showAndActivate(table));
        table.deal(smallDeck());
        press(*table.window, Qt::Key_S, Qt::ShiftModifier);
        QCOMPARE(table.window->game().dealpos(), Game::kDiscardStart + 1);
        for (auto [key, modifiers] :
             {std::pair{Qt::Key_F2, Qt::KeyboardModifiers()},
              std::pair{Qt::Key_N, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
            press(*table.window, Qt::Key_S, Qt::ShiftModifier);
            QVERIFY(table.window->game().dealpos() > Game::kDiscardStart);
            press(*table.window, key, modifiers);
            QCOMPARE(table.window->game().dealpos(), Game::kDiscardStart);
        }
        // Tab goes as the eye does: UNDO -3 lies above START GAME.
        press(*table.window, Qt::Key_S);
        table.control("panel_board1")->setFocus(Qt::OtherFocusReason);
        press(*table.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), table.control("button_undo"));
        press(*table.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), table.control("button_start"));
    }

    // A checkable menu item is a check box, so that an unchecked one is read as not checked.
    void checkableMenuItemsAreCheckBoxes() {
        Table table;
        QVERIFY(table.show());
        auto* options = table.control<QMenu>("Options1");
        QAccessibleInterface* menu = accessible(options);
        QCOMPARE(menu->childCount(), options->actions().size());
        struct Item {
            const char* action;
            QAccessible::Role role;
        };
        for (const Item& item : QList<Item>{{"PlaySounds1", QAccessible::CheckBox},
                                            {"updatecheck", QAccessible::CheckBox},
                                            {"ResetScreenLocation1", QAccessible::MenuItem},
                                            {"ChangeName1", QAccessible::MenuItem}}) {
            QAction* action = table.action(item.action);
            QAccessibleInterface* iface = menu->child(options->actions().indexOf(action));
            QCOMPARE(iface->role(), item.role);
            QCOMPARE(iface->text(QAccessible::Name), action->text());
            QCOMPARE(iface->state().checkable, action->isCheckable());
            QCOMPARE(iface->state().checked, action->isChecked());
            QCOMPARE(menu->indexOfChild(iface), options->actions().indexOf(action));
        }
        table.action("updatecheck")->setChecked(false);
        QVERIFY(
            !menu->child(options->actions().indexOf(table.action("updatecheck")))->state().checked);
    }

    // Escape closes each secondary window; Tab reaches its buttons, which have names.
    void secondaryWindowsAnswerEscapeAndTab() {
        Table table;
        QVERIFY(table.show());
        struct Case {
            QWidget* window;
            QStringList buttons;
        };
        const QList<Case> cases = {
            {table.window->tallyWindow(), {"RESET TALLY", "DONE"}},
            {table.window->highscoreWindow(), {"DONE"}},
            {topLevel("help"),
             {"Overview", "Game Play", "Scoring", "Documentation", "About", "Done"}},
            {topLevel("about"), {"Done"}},
        };
        for (const Case& c : cases) {
            QVERIFY(c.window);
            activate(c.window);
            QStringList reached;
            for (int i = 0; i < 12; ++i) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                            : c.window,
                                Qt::Key_Tab);
                QAccessibleInterface* focus = Announcer::focusInterface();
                if (focus && focus->role() == QAccessible::Button &&
                    !reached.contains(focus->text(QAccessible::Name)))
                    reached << focus->text(QAccessible::Name);
            }
            for (const QString& name : c.buttons)
                QVERIFY2(reached.contains(name), qPrintable(c.window->objectName() + ": " + name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY2(!c.window->isVisible(), qPrintable(c.window->objectName()));
        }
    }

    // Space or Enter on a focused flat text button presses it.
    void flatTextButtonsPressWithSpaceAndEnter() {
        Table table;
        QVERIFY(table.show());
        QWidget* help = topLevel("help");
        for (int key : {Qt::Key_Space, Qt::Key_Return}) {
            activate(help);
            auto* done = help->findChild<TSelButton*>("button_done");
            done->setFocus(Qt::TabFocusReason);
            QTest::keyClick(done, Qt::Key(key));
            QVERIFY(!help->isVisible());
        }
    }

    // The tally's places are a table: each cell read with its column's heading.
    void theTallyIsATableOfCellsWithHeadings() {
        Table table;
        QVERIFY(table.show());
        table.window->game().startWithDeck(winnableDeck());
        for (int slot : clearingOrder())
            table.window->game().card_19Click(slot);
        QWidget* tally = table.window->tallyWindow();
        activate(tally);
        auto* places = tally->findChild<LabelTable*>("table_places");
        QVERIFY(places);
        QAccessibleInterface* iface = accessible(places);
        QCOMPARE(iface->role(), QAccessible::Table);
        QVERIFY(iface->tableInterface());
        QCOMPARE(iface->tableInterface()->rowCount(), 10);
        QCOMPARE(iface->tableInterface()->columnCount(), 4);
        QVERIFY(iface->text(QAccessible::Name).contains("Games Cleared: 1"));
        struct Cell {
            int row, column;
            QString label, header;
        };
        for (const Cell& c : QList<Cell>{{0, 0, "label_num1", "Place"},
                                         {0, 2, "label_name1", "Name"},
                                         {0, 3, "label_high1", "Score"},
                                         {9, 1, "label_date10", "Date"}}) {
            QAccessibleInterface* cell = iface->tableInterface()->cellAt(c.row, c.column);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name), tally->findChild<QLabel*>(c.label)->text());
            QCOMPARE(cell->tableCellInterface()->columnHeaderCells().at(0)->text(QAccessible::Name),
                     c.header);
            QCOMPARE(iface->indexOfChild(cell), c.row * 4 + c.column);
        }
        QCOMPARE(iface->tableInterface()->cellAt(0, 2)->text(QAccessible::Name),
                 QString::fromStdString(table.window->playerName()));
        // The window opens on the table; Tab goes round the buttons back to it; the arrows move
        // the cell a screen reader reads.
        QCOMPARE(QApplication::focusWidget(), places);
        for (const char* next : {"button_resettally", "button_done", "table_places"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
        }
        QTest::keyClick(places, Qt::Key_Down);
        QTest::keyClick(places, Qt::Key_Right);
        QAccessibleInterface* focus = Announcer::focusInterface();
        QCOMPARE(focus, iface->tableInterface()->cellAt(1, 1));
        QVERIFY(focus->state().focused);
    }
};

QTEST_MAIN(TstScreenReader)
#include "tst_screenreader.moc"
