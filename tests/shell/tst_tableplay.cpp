// The table played from the keyboard, read by a screen reader and animated: keys do what
// clicks do, every place has a name and a role, a move is announced, and the animations never
// change what the game or the controls hold.
#include "tablefixture.h"

#include "boardaccess.h"
#include "cardanimator.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>

namespace {

QString nameOf(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("(none)");
}

QAccessible::Role roleOf(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->role() : QAccessible::NoRole;
}

// Sends a key where the keyboard would: to the focused widget, or the window when none is.
void press(Tmain& window, int key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, Qt::Key(key));
}

// What the last move was announced as.
QString announcement(const Table& table) {
    return table.window->boardAccess()->lastAnnouncement();
}

// An animation that lasts as long as a test looks at it.
constexpr int kHour = 3600 * 1000;

// Notes whether a card was still in flight each time a widget was shown.
class FlightAtShow : public QObject {
public:
    FlightAtShow(QWidget* watched, CardAnimator* animator) : m_animator(animator) {
        watched->installEventFilter(this);
    }
    QList<bool> inFlight;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            inFlight << m_animator->running();
        return QObject::eventFilter(watched, event);
    }

private:
    CardAnimator* m_animator;
};

QStringList labelTexts(const Table& table) {
    return {table.text("label_score"), table.text("label_bonus"), table.text("label_cardsleft")};
}

QStringList engineTexts(Game& game) {
    return {QString::fromStdString(game.scoreText()), QString::fromStdString(game.bonusText()),
            QString::fromStdString(game.cardsLeftText())};
}

bool showAndActivate(Table& table) {
    if (!table.show())
        return false;
    table.window->activateWindow();
    return QTest::qWaitForWindowActive(table.window.get());
}

QString outputPath(const QString& name) {
    QDir build(QCoreApplication::applicationDirPath());
    build.cdUp();
    return build.filePath(name);
}

} // namespace

class TstTablePlay : public QObject {
    Q_OBJECT

private slots:
    // Arrows to the card that comes next, Enter to play it, from the first card to the last.
    void wholeGameWonFromTheKeyboard() {
        Table table;
        QVERIFY(showAndActivate(table));
        const Game::Deck deck = winnableDeck();
        table.deal(deck);
        BoardAccess* access = table.window->boardAccess();
        QCOMPARE(access->focusedPlace(), BoardAccess::kNone);
        press(*table.window, Qt::Key_Right);
        QVERIFY(access->focusedPlace() != BoardAccess::kNone);
        QVERIFY(table.control("focus_mark")->isVisible());

        for (int slot : clearingOrder()) {
            for (int tries = 0; access->focusedPlace() != slot && tries < 30; ++tries) {
                const int here = table.card(slot)->geometry().center().x();
                const int from = access->control(access->focusedPlace())->geometry().center().x();
                press(*table.window, here >= from ? Qt::Key_Right : Qt::Key_Left);
            }
            QCOMPARE(access->focusedPlace(), slot);
            press(*table.window, slot % 2 ? Qt::Key_Return : Qt::Key_Space);
            QVERIFY2(!table.card(slot)->isVisible(), qPrintable(QString("slot %1").arg(slot)));
        }
        Game byClicks;
        byClicks.startWithDeck(deck);
        for (int slot : clearingOrder())
            byClicks.card_19Click(slot);
        QCOMPARE(table.window->game().score(), byClicks.score());
        QVERIFY(table.landed());
        QVERIFY(table.visible("panel_cleared"));
        QVERIFY(!table.control("focus_mark")->isVisible());
        // The keys go on to the panel that opened.
        QTRY_VERIFY(table.control("panel_cleared")->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(announcement(table).endsWith("Board cleared! End bonus +120. Final score 586."));
    }

    void keysMoveAlongThePeaksDownToTheStockAndTurnIt() {
        Table table;
        QVERIFY(showAndActivate(table));
        // The bottom row up to slot 26 fits the discard's 6 and the stock's 6s: the four 5s
        // and the four 7s. Slots 27 and 28 hold Kings, which do not.
        std::map<int, int> placed{{29, cardOf(6, 0)}, {30, cardOf(6, 1)},  {31, cardOf(6, 2)},
                                  {32, cardOf(6, 3)}, {27, cardOf(13, 0)}, {28, cardOf(13, 1)}};
        for (int slot = 19; slot <= 26; ++slot)
            placed[slot] = cardOf(slot % 2 ? 5 : 7, (slot - 19) / 2);
        table.deal(stackedDeck(placed));
        BoardAccess* access = table.window->boardAccess();
        press(*table.window, Qt::Key_Left);
        QCOMPARE(access->focusedPlace(), 19);
        for (int slot = 20; slot <= 26; ++slot) {
            press(*table.window, Qt::Key_Right);
            QCOMPARE(access->focusedPlace(), slot);
        }
        press(*table.window, Qt::Key_Right);
        QCOMPARE(access->focusedPlace(), 26); // the last card that fits: it stays
        QVERIFY(table.window->grab().save(outputPath(QStringLiteral("screenshot-keyboard.png"))));
        press(*table.window, Qt::Key_Down);
        QCOMPARE(access->focusedPlace(), BoardAccess::kStock);
        QVERIFY(
            QAccessible::queryAccessibleInterface(table.control("image_stock"))->state().focused);
        press(*table.window, Qt::Key_Return);
        QCOMPARE(table.window->game().dealpos(), 30);
        press(*table.window, Qt::Key_Up);
        QVERIFY(access->focusedPlace() >= 19);

        // S turns the stock from wherever the mark is; then a click hides the mark.
        press(*table.window, Qt::Key_S);
        QCOMPARE(table.window->game().dealpos(), 31);
        QCOMPARE(access->focusedPlace(), BoardAccess::kStock);
        Table::click(table.control("image_stock"));
        QCOMPARE(table.window->game().dealpos(), 32);
        QCOMPARE(access->focusedPlace(), BoardAccess::kNone);
        QVERIFY(!table.control("focus_mark")->isVisible());

        // The card the mark was on is played with the mouse: the next key finds another
        // place. No 5 or 7 fits the 5 or 7 just played, so that is the stock.
        press(*table.window, Qt::Key_Up);
        press(*table.window, Qt::Key_Up);
        const int marked = access->focusedPlace();
        QVERIFY(marked >= 19);
        Table::click(table.card(marked));
        QVERIFY(!table.card(marked)->isVisible());
        press(*table.window, Qt::Key_Right);
        QCOMPARE(access->focusedPlace(), BoardAccess::kStock);
        QVERIFY(table.control("focus_mark")->isVisible());
    }

    // Keys typed into a name field stay there (Enter takes the name and closes the panel, which
    // gives the keys back to the table).
    void keysInTheNameFieldDoNotPlay() {
        Table table;
        QVERIFY(showAndActivate(table));
        table.deal(winnableDeck());
        table.action("ChangeName1")->trigger();
        QLineEdit* edit = table.control<QLineEdit>("edit_aname");
        edit->setFocus();
        const std::string before = table.window->game().snapshot();
        for (int key : {Qt::Key_Left, Qt::Key_S, Qt::Key_Space})
            press(*table.window, key);
        QCOMPARE(table.window->game().snapshot(), before);
        QCOMPARE(table.window->boardAccess()->focusedPlace(), BoardAccess::kNone);
    }

    void placesHaveNamesAndRoles() {
        Table table;
        QVERIFY(table.show());
        // Discard a 6 of clubs; slot 19 a fitting 7 of spades, slot 20 a 2 that does not fit.
        table.deal(stackedDeck({{29, cardOf(6, 0)}, {19, cardOf(7, 3)}, {20, cardOf(2, 1)}}));
        struct Case {
            QString control;
            QString name;
            QAccessible::Role role;
        };
        const QList<Case> dealt = {
            {"card_19", "Seven of Spades, playable", QAccessible::Button},
            {"card_20", "Two of Diamonds", QAccessible::Button},
            {"card_1", "face-down card", QAccessible::Button},
            {"image_stock", "stock, 23 cards", QAccessible::Button},
            {"image_discard", "discard pile, Six of Clubs", QAccessible::Graphic},
            {"button_start", "START GAME", QAccessible::Button},
            {"panel_lost", "SORRY, YOU LOST!", QAccessible::Client},
            {"panel_name", "ENTER YOUR NAME", QAccessible::Client},
        };
        for (const Case& c : dealt) {
            QObject* control = table.control<QObject>(c.control);
            QCOMPARE(nameOf(control), c.name);
            QCOMPARE(roleOf(control), c.role);
        }
        QVERIFY(table.control("button_start")->focusPolicy() & Qt::TabFocus);

        // The names follow the game: a played card leaves an empty place.
        QAccessibleInterface* card = QAccessible::queryAccessibleInterface(table.card(19));
        QVERIFY(card->actionInterface());
        card->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(nameOf(table.card(19)), QStringLiteral("empty place"));
        QCOMPARE(nameOf(table.control("image_discard")),
                 QStringLiteral("discard pile, Seven of Spades"));
        while (table.window->game().dealpos() < 51)
            table.window->game().image_stockClick();
        table.window->refresh();
        QCOMPARE(nameOf(table.control("image_stock")), QStringLiteral("stock, 1 card"));
        table.window->game().image_stockClick();
        table.window->refresh();
        QCOMPARE(nameOf(table.control("image_stock")), QStringLiteral("stock, empty"));
    }

    void movesAreAnnounced() {
        Table table;
        QVERIFY(table.show());
        // 6 on the discard; a 7 and an 8 at the foot of the first peak, a 9 on it; the stock
        // starts with a King.
        table.deal(stackedDeck({{29, cardOf(6, 0)},
                                {19, cardOf(7, 0)},
                                {20, cardOf(8, 0)},
                                {10, cardOf(9, 0)},
                                {30, cardOf(13, 2)}}));
        QCOMPARE(announcement(table),
                 QStringLiteral("New game. Six of Clubs on the discard pile, 23 cards in the "
                                "stock."));
        table.click(table.card(19));
        QCOMPARE(announcement(table), QStringLiteral("Seven of Clubs played, +1. Score 1."));
        table.click(table.card(20));
        QCOMPARE(announcement(table),
                 QStringLiteral("Eight of Clubs played, +2. Turned up: Nine of Clubs. Score 3."));
        table.click(table.control("image_stock"));
        QCOMPARE(announcement(table),
                 QStringLiteral("Stock turned: King of Hearts, -1. stock, 22 cards. Score 2."));
        table.click(table.control("button_undo"));
        QCOMPARE(announcement(table),
                 QStringLiteral("Undo, -3: King of Hearts on the discard pile. Score -1."));
    }

    // The controls and the game hold the position after the move at once; the animation is
    // painted over them. So a game played with animations ends exactly as one without.
    void animationsChangeNothingButPictures() {
        std::string withAnimations, without;
        for (bool animate : {true, false}) {
            Table table;
            QVERIFY(table.show());
            table.window->animator()->setEnabled(animate);
            table.window->animator()->setDuration(kHour);
            table.deal(winnableDeck(31));
            table.click(table.control("image_stock"));
            QCOMPARE(table.window->animator()->running(), animate);
            table.click(table.control("image_stock"));
            for (int slot : clearingOrder()) {
                Table::click(table.card(slot));
                QCOMPARE(table.window->animator()->running(), animate);
                QVERIFY(showsImage(table.control<ImageButton>("image_discard"),
                                   table.window->game().discard()));
            }
            table.window->animator()->finish();
            (animate ? withAnimations : without) =
                table.window->game().snapshot() + table.text("label_score").toStdString();
        }
        QCOMPARE(withAnimations, without);
    }

    // A click that arrives while a card is in flight ends the flight and is played.
    void clickDuringAnAnimationFinishesItAndIsHandled() {
        Table table;
        QVERIFY(table.show());
        table.deal(winnableDeck());
        CardAnimator* animator = table.window->animator();
        animator->setDuration(kHour);
        Table::click(table.card(19));
        QVERIFY(animator->running());
        QCOMPARE(animator->sprites().size(), std::size_t(1));
        Table::click(table.card(20));
        QCOMPARE(table.window->game().discard(), table.window->game().deck()[20]);
        QVERIFY(animator->running());
        // Slot 10 lay under 19 and 20: it travels nowhere but turns face up.
        QCOMPARE(animator->sprites().size(), std::size_t(2));
        QCOMPARE(animator->sprites().back().slot, 10);
        table.click("button_start");
        QVERIFY(!animator->running());
        QVERIFY(!table.control("animation_overlay")->isVisible());
    }

    // The game is decided at once, but the labels change when the flying card lands, and the
    // end panel opens only after the last card's flight has ended: nothing flies beneath it.
    void labelsAndTheEndPanelWaitForTheCardsToLand_data() {
        QTest::addColumn<bool>("won");
        QTest::newRow("board cleared") << true;
        QTest::newRow("game lost") << false;
    }
    void labelsAndTheEndPanelWaitForTheCardsToLand() {
        QFETCH(bool, won);
        Table table;
        QVERIFY(table.show());
        CardAnimator* animator = table.window->animator();
        Game& game = table.window->game();
        table.deal(won ? winnableDeck() : losingDeck());
        QList<QWidget*> moves;
        if (won) {
            for (int slot : clearingOrder())
                moves << table.card(slot);
        } else {
            for (int i = 0; i < 23; ++i)
                moves << table.control("image_stock");
        }
        QWidget* panel = table.control(won ? "panel_cleared" : "panel_lost");
        FlightAtShow shown(panel, animator);

        for (int i = 0; i + 1 < moves.size(); ++i) {
            animator->setDuration(kHour);
            const QStringList before = labelTexts(table);
            Table::click(moves[i]);
            QVERIFY(animator->running());
            QVERIFY(engineTexts(game) != before);
            QCOMPARE(labelTexts(table), before);
            animator->finish();
            QCOMPARE(labelTexts(table), engineTexts(game));
        }

        // The last move, with a flight short enough to watch to its end.
        animator->setDuration(200);
        const QStringList before = labelTexts(table);
        Table::click(moves.last());
        QVERIFY(!game.playing());
        QVERIFY(animator->running());
        QVERIFY(!panel->isVisible());
        QCOMPARE(labelTexts(table), before);
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(shown.inFlight, QList<bool>{false});
        QCOMPARE(labelTexts(table), engineTexts(game));
    }

    void animationsItemIsKeptOnlyOnceChosen() {
        Table table;
        QVERIFY(table.show());
        QAction* item = table.action("AnimateCards1");
        QVERIFY(item->isCheckable() && item->isChecked());
        table.window->close();
        QVERIFY(!table.settingsText().contains("Animations"));

        item->trigger();
        QVERIFY(!table.window->animator()->enabled());
        QVERIFY(table.settingsText().contains("Animations=no"));
        table.deal(winnableDeck());
        Table::click(table.card(19));
        QVERIFY(!table.window->animator()->running());

        Table again(table.settingsText().toUtf8().constData());
        QVERIFY(!again.action("AnimateCards1")->isChecked());
        QVERIFY(!again.window->animator()->enabled());
        again.window->close();
        QVERIFY(again.settingsText().contains("Animations=no"));
    }

    // Frames of a card played from the foot of a peak, uncovering the card above it, then of
    // a stock card turned, written as one picture for a look by eye.
    void animationFramesStrip() {
        Table table;
        QVERIFY(table.show());
        table.window->animator()->setDuration(kHour);
        table.deal(winnableDeck(31));
        Table::click(table.card(19));
        QWidget* board = table.control("panel_board1");
        const QRect area(0, 120, 460, 310);
        const QList<qreal> steps = {0.0, 0.2, 0.4, 0.6, 0.8, 1.0};
        // Three frames to a line, two lines to a move.
        QImage strip(area.width() * 3, area.height() * 4, QImage::Format_RGB32);
        QPainter p(&strip);
        auto frames = [&](int move) {
            for (int i = 0; i < steps.size(); ++i) {
                table.window->animator()->hold(steps[i]);
                p.drawPixmap(i % 3 * area.width(), (move * 2 + i / 3) * area.height(),
                             board->grab(area));
            }
        };
        table.window->animator()->finish();
        table.click("image_stock");
        table.click("image_stock");
        table.window->animator()->finish();
        Table::click(table.card(19));
        Table::click(table.card(20));
        frames(0);
        table.click("image_stock");
        frames(1);
        p.end();
        const QString path = outputPath(QStringLiteral("animation-strip.png"));
        QVERIFY(strip.save(path));
        qInfo("wrote %s", qPrintable(path));
    }
};

QTEST_MAIN(TstTablePlay)
#include "tst_tableplay.moc"
