// BoardAccess: plays the card table from the keyboard and tells screen readers what lies on it.
#include "boardaccess.h"

#include "accesstree.h"
#include "announcer.h"
#include "boardscaler.h"
#include "card.h"
#include "flatpanel.h"
#include "imagebutton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

std::vector<BoardAccess*>& boards() {
    static std::vector<BoardAccess*> all;
    return all;
}

// The frame around the place the keys act on: wide enough to be seen at a glance, gold on a
// dark line so it shows on the cards and on the cloth alike.
class FocusMark : public QWidget {
public:
    static constexpr int kMargin = 4;

    explicit FocusMark(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("focus_mark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        BoardScaler::markOwnGeometry(this);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        p.setPen(QPen(QColor(16, 16, 40), 4));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(QPen(QColor(255, 214, 64), 2.5));
        p.drawRoundedRect(r, 6, 6);
    }
};

// A card place, the stock or the discard as a screen reader sees it: named from the game.
class PlaceInterface : public QAccessibleWidget {
public:
    PlaceInterface(QWidget* control, BoardAccess* access, int place)
        : QAccessibleWidget(control, place == BoardAccess::kDiscard ? QAccessible::Graphic
                                                                    : QAccessible::Button),
          m_access(access), m_place(place) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && m_access)
            return m_access->describe(m_place);
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (m_access && m_place != BoardAccess::kDiscard) {
            s.focusable = true;
            // Only while the table has the keyboard: a card left behind by Tab is not focused.
            s.focused = m_access->accessibleFocus() == m_place;
        }
        return s;
    }

    QStringList actionNames() const override {
        if (m_place == BoardAccess::kDiscard)
            return {};
        return {QAccessibleActionInterface::pressAction()};
    }

    void doAction(const QString& action) override {
        if (action == QAccessibleActionInterface::pressAction() && m_place != BoardAccess::kDiscard)
            if (auto* button = qobject_cast<ImageButton*>(widget()))
                button->click();
    }

private:
    QPointer<BoardAccess> m_access;
    int m_place;
};

// The card table: its decoration left out, and the marked place as its focused part, so that
// a screen reader's focus and the announcements go to the card the keys act on.
class TableInterface : public accesstree::Container {
public:
    TableInterface(QWidget* table, BoardAccess* access)
        : accesstree::Container(table), m_access(access) {}

    QAccessibleInterface* focusChild() const override {
        if (m_access) {
            const int place = m_access->accessibleFocus();
            if (place != BoardAccess::kNone)
                return QAccessible::queryAccessibleInterface(m_access->control(place));
        }
        return accesstree::Container::focusChild();
    }

private:
    QPointer<BoardAccess> m_access;
};

QAccessibleInterface* boardInterfaces(const QString&, QObject* object) {
    for (BoardAccess* access : boards()) {
        const int place = access->placeOf(object);
        if (place != BoardAccess::kNone)
            return new PlaceInterface(static_cast<QWidget*>(object), access, place);
        if (object == access->table())
            return new TableInterface(access->table(), access);
    }
    return nullptr;
}

QString signedNumber(int n) {
    return n < 0 ? QString::number(n) : QStringLiteral("+") + QString::number(n);
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

BoardAccess::BoardAccess(QWidget* window, const Game& game, const Controls& controls,
                         Announcer* announcer)
    : QObject(window), m_window(window), m_game(game), m_controls(controls),
      m_announcer(announcer) {
    static bool installed = false;
    if (!installed) {
        installed = true;
        // Installed later, so asked first: the table and its places are this class's.
        accesstree::install();
        QAccessible::installFactory(boardInterfaces);
    }
    boards().push_back(this);
    // A listening screen reader may have asked about them before this class could answer.
    accesstree::renew(m_controls.board);
    for (int place = kStock; place <= kDiscard; ++place)
        accesstree::renew(control(place));
    // Tab reaches the table; a click on a card does not take the focus from a name field.
    m_controls.board->setFocusPolicy(Qt::TabFocus);
    m_controls.board->setAccessibleName(tr("card table"));
    m_window->installEventFilter(this);
    m_controls.board->installEventFilter(this);
    for (int n = 1; n <= Game::kSlots; ++n)
        m_controls.cards[n]->installEventFilter(this);
    m_controls.stock->installEventFilter(this);
    m_seen = seen();
}

BoardAccess::~BoardAccess() {
    auto& all = boards();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

int BoardAccess::placeOf(const QObject* control) const {
    if (!control)
        return kNone;
    if (control == m_controls.stock)
        return kStock;
    if (control == m_controls.discard)
        return kDiscard;
    for (int n = 1; n <= Game::kSlots; ++n)
        if (control == m_controls.cards[n])
            return n;
    return kNone;
}

ImageButton* BoardAccess::control(int place) const {
    if (place == kStock)
        return m_controls.stock;
    if (place == kDiscard)
        return m_controls.discard;
    if (place >= 1 && place <= Game::kSlots)
        return m_controls.cards[place];
    return nullptr;
}

int BoardAccess::accessibleFocus() const {
    return m_active && m_controls.board->hasFocus() ? m_place : kNone;
}

QString BoardAccess::cardName(int c) {
    static const char* const ranks[] = {"",
                                        QT_TR_NOOP("Ace"),
                                        QT_TR_NOOP("Two"),
                                        QT_TR_NOOP("Three"),
                                        QT_TR_NOOP("Four"),
                                        QT_TR_NOOP("Five"),
                                        QT_TR_NOOP("Six"),
                                        QT_TR_NOOP("Seven"),
                                        QT_TR_NOOP("Eight"),
                                        QT_TR_NOOP("Nine"),
                                        QT_TR_NOOP("Ten"),
                                        QT_TR_NOOP("Jack"),
                                        QT_TR_NOOP("Queen"),
                                        QT_TR_NOOP("King")};
    static const char* const suits[] = {QT_TR_NOOP("Clubs"), QT_TR_NOOP("Diamonds"),
                                        QT_TR_NOOP("Hearts"), QT_TR_NOOP("Spades")};
    if (c < 1 || c > card::kCount)
        return QString();
    //: A card's name: %1 is its rank, %2 its suit.
    return tr("%1 of %2").arg(tr(ranks[card::rank(c)]), tr(suits[card::suit(c)]));
}

QString BoardAccess::describe(int place) const {
    if (place == kStock) {
        if (!m_game.stockShowsBack())
            return tr("stock, empty");
        const int left = m_game.cardsLeft();
        return left == 1 ? tr("stock, 1 card") : tr("stock, %1 cards").arg(left);
    }
    if (place == kDiscard) {
        const int top = m_game.discard();
        return top > 0 ? tr("discard pile, %1").arg(cardName(top)) : tr("discard pile, empty");
    }
    if (place < 1 || place > Game::kSlots)
        return QString();
    const Game::Slot& slot = m_game.slot(place);
    if (slot.card == 0 || !slot.visible || slot.picture == Game::Picture::None)
        return tr("empty place");
    if (slot.picture == Game::Picture::Back)
        return tr("face-down card");
    QString text = cardName(slot.card);
    if (m_game.playable(place))
        text += tr(", playable");
    return text;
}

// ---- Keys ----------------------------------------------------------------------------------

bool BoardAccess::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == m_window) {
            auto* key = static_cast<QKeyEvent*>(event);
            const auto mods = key->modifiers() & ~Qt::KeypadModifier;
            // S turns the stock with Caps Lock or Shift as well.
            if (mods == Qt::NoModifier || (mods == Qt::ShiftModifier && key->key() == Qt::Key_S))
                if (keyPressed(key->key()))
                    return true;
        }
        break;
    case QEvent::MouseButtonPress:
        // The mouse is back: the mark goes until the next key.
        if (watched != m_window && watched != m_controls.board && m_active) {
            m_active = false;
            placeMark();
        }
        break;
    case QEvent::FocusIn:
        if (watched == m_controls.board) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                m_active = true;
            // Back from a panel closed or a dialog answered by a key, the keyboard player is at
            // the table again.
            if ((reason == Qt::OtherFocusReason || reason == Qt::ActiveWindowFocusReason) &&
                m_window->testAttribute(Qt::WA_KeyboardFocusChange))
                m_active = true;
            if (m_active) {
                keepOnPlayable(false);
                // Arriving at the table, a screen reader reads the card in the frame: after the
                // table itself, which the toolkit reports once this event is handled.
                QTimer::singleShot(0, this, [this] {
                    if (m_game.playing())
                        tellFocus();
                });
            }
            placeMark();
        }
        break;
    case QEvent::FocusOut:
        if (watched == m_controls.board)
            placeMark();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // The table lays its cards out anew when the window is resized, after the board
        // itself: the mark follows its card, not the board.
        if (watched == m_controls.board || (m_place != kNone && watched == control(m_place)))
            placeMark();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool BoardAccess::mayTakeKeys(int key) const {
    if (!m_game.playing())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == m_window || focus == m_controls.board)
        return true;
    // The table's own buttons keep Enter and Space, but the arrows lead to the cards.
    return isArrow(key) && focus->parentWidget() == m_controls.board &&
           qobject_cast<const ImageButton*>(focus);
}

bool BoardAccess::keyPressed(int key) {
    const bool known = isArrow(key) || key == Qt::Key_Return || key == Qt::Key_Enter ||
                       key == Qt::Key_Space || key == Qt::Key_S;
    if (!known || !mayTakeKeys(key))
        return false;
    const bool wasActive = m_active;
    m_active = true;
    m_window->setAttribute(Qt::WA_KeyboardFocusChange);
    if (!m_controls.board->hasFocus())
        m_controls.board->setFocus(Qt::OtherFocusReason);
    if (m_place == kNone || !wasActive) {
        keepOnPlayable();
        placeMark();
        // The first key only shows where the keys act, unless it turns the stock.
        if (key != Qt::Key_S)
            return true;
    }
    if (key == Qt::Key_S) {
        setPlace(kStock);
        m_controls.stock->click();
    } else if (isArrow(key)) {
        move(key);
    } else {
        playFocused();
    }
    return true;
}

void BoardAccess::move(int key) {
    const QPoint from = centreOf(m_place);
    int next = kNone;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // Along the peaks: the nearest playable card further left or right.
        const bool right = key == Qt::Key_Right;
        int best = std::numeric_limits<int>::max();
        for (int n = 1; n <= Game::kSlots; ++n) {
            if (n == m_place || !m_game.playable(n))
                continue;
            const QPoint c = centreOf(n);
            const int dx = right ? c.x() - from.x() : from.x() - c.x();
            if (dx < 0 || (dx == 0 && (right ? c.y() <= from.y() : c.y() >= from.y())))
                continue;
            const int cost = dx * 4 + std::abs(c.y() - from.y());
            if (cost < best) {
                best = cost;
                next = n;
            }
        }
        break;
    }
    case Qt::Key_Up:
        next = nearestPlayable(from, m_place == kStock ? 0 : -1);
        break;
    case Qt::Key_Down:
        next = m_place == kStock ? kNone : nearestPlayable(from, 1);
        if (next == kNone)
            next = kStock;
        break;
    default:
        break;
    }
    if (next != kNone)
        setPlace(next);
    else if (m_place != kNone)
        // Nothing further that way: the card in the frame again, so the player knows.
        m_announcer->say(tr("End of the row. %1").arg(describe(m_place)));
    placeMark();
}

void BoardAccess::playFocused() {
    if (ImageButton* target = control(m_place))
        target->click();
}

// The nearest playable card above (-1), below (1) or anywhere (0); the stock when none is.
int BoardAccess::nearestPlayable(QPoint from, int rows) const {
    int found = kNone;
    qint64 best = std::numeric_limits<qint64>::max();
    for (int n = 1; n <= Game::kSlots; ++n) {
        if (!m_game.playable(n))
            continue;
        const QPoint c = centreOf(n);
        if ((rows < 0 && c.y() >= from.y() - 8) || (rows > 0 && c.y() <= from.y() + 8))
            continue;
        const qint64 dx = c.x() - from.x(), dy = c.y() - from.y();
        const qint64 cost = dx * dx * 4 + dy * dy;
        if (cost < best) {
            best = cost;
            found = n;
        }
    }
    if (found == kNone && rows == 0)
        return m_game.playing() ? kStock : kNone;
    return found;
}

// After a move, or when the keys come back after the mouse, the mark goes to the playable card
// nearest to where it was.
void BoardAccess::keepOnPlayable(bool tell) {
    if (m_place == kNone)
        setPlace(nearestPlayable(QPoint(0, 0), 0), tell);
    else if (m_place != kStock && !m_game.playable(m_place))
        setPlace(nearestPlayable(centreOf(m_place), 0), tell);
}

QPoint BoardAccess::centreOf(int place) const {
    const ImageButton* c = control(place == kNone ? kStock : place);
    return c ? c->geometry().center() : QPoint();
}

void BoardAccess::setPlace(int place, bool tell) {
    if (place == m_place)
        return;
    m_place = place;
    if (tell)
        tellFocus();
}

// The table's focused part moves without a widget's focus moving, so the screen reader is told
// by an event of its own.
void BoardAccess::tellFocus() {
    ImageButton* target = control(m_place);
    if (!target || accessibleFocus() == kNone)
        return;
    if (m_announcer->carrier() != target)
        m_announcer->release();
    QAccessibleEvent focus(target, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void BoardAccess::raiseBelowPanels(QWidget* overlay) {
    overlay->raise();
    // The message panels stay on top, in the order they had.
    const QObjectList children = overlay->parentWidget()->children();
    for (QObject* child : children)
        if (auto* panel = qobject_cast<TFlatPanel*>(child); panel && panel->isVisible())
            panel->raise();
}

void BoardAccess::placeMark() {
    const ImageButton* target = control(m_place);
    const bool show = m_active && m_game.playing() && target && target->isVisible() &&
                      m_controls.board->hasFocus();
    if (!show) {
        if (m_mark)
            m_mark->hide();
        return;
    }
    if (!m_mark)
        m_mark = new FocusMark(m_controls.board);
    const int margin = FocusMark::kMargin;
    m_mark->setGeometry(target->geometry().adjusted(-margin, -margin, margin, margin));
    raiseBelowPanels(m_mark);
    m_mark->show();
}

// ---- After a move --------------------------------------------------------------------------

BoardAccess::Seen BoardAccess::seen() const {
    Seen s;
    s.playing = m_game.playing();
    s.score = m_game.score();
    s.discard = m_game.discard();
    s.dealpos = m_game.dealpos();
    s.history = m_game.historySize();
    for (int n = 1; n <= Game::kSlots; ++n)
        s.cards[n] = m_game.slot(n).picture == Game::Picture::Face ? m_game.slot(n).card
                     : m_game.slot(n).card != 0                    ? -1
                                                                   : 0;
    return s;
}

void BoardAccess::refreshed() {
    const Seen before = m_seen;
    m_seen = seen();
    const int placeBefore = m_place;
    if (m_active) {
        // The frame moves quietly: the move's result is said as it arrives at its new card.
        keepOnPlayable(false);
        const QWidget* focus = QApplication::focusWidget();
        if (m_game.playing() && (!focus || !focus->isVisible()))
            m_controls.board->setFocus(Qt::OtherFocusReason);
        placeMark();
    }
    announce(moveResult(before), placeBefore);
}

QString BoardAccess::moveResult(const Seen& before) const {
    const Seen& now = m_seen;
    if (before.cards == now.cards && before.dealpos == now.dealpos && before.score == now.score &&
        before.playing == now.playing)
        return QString();
    int onBoard = 0;
    for (int n = 1; n <= Game::kSlots; ++n)
        onBoard += now.cards[n] != 0;
    const QString score = QString::number(now.score);
    if (now.playing && onBoard == Game::kSlots && now.dealpos == Game::kDiscardStart &&
        now.score == 0 && m_game.bonusText().empty()) {
        QString text = tr("New game. %1 on the discard pile, 23 cards in the stock.")
                           .arg(cardName(now.discard));
        // The frame may stay on its place while a new card lies there.
        if (m_active && m_place != kNone)
            text += tr(" The frame is on %1.").arg(describe(m_place));
        return text;
    }

    QStringList parts;
    int played = 0;
    for (int n = 1; n <= Game::kSlots; ++n)
        if (before.cards[n] > 0 && now.cards[n] == 0 && now.discard == before.cards[n])
            played = n;
    if (played != 0) {
        int gain = now.score - before.score;
        if (onBoard == 0)
            gain -= 5 * (53 - now.dealpos);
        parts << tr("%1 played, %2.").arg(cardName(now.discard), signedNumber(gain));
        if (played <= Game::kPeakSlots)
            parts << tr("Peak bonus.");
        QStringList turned;
        for (int n = 1; n <= Game::kSlots; ++n)
            if (now.playing && before.cards[n] < 0 && now.cards[n] > 0)
                turned << cardName(now.cards[n]);
        if (!turned.isEmpty())
            parts << tr("Turned up: %1.").arg(turned.join(QStringLiteral(", ")));
    } else if (now.dealpos > before.dealpos) {
        if (now.discard != before.discard)
            parts << tr("Stock turned: %1, %2.")
                         .arg(cardName(now.discard), signedNumber(now.score - before.score));
        else
            parts << tr("The stock is empty, %1.").arg(signedNumber(now.score - before.score));
        parts << describe(kStock) + QLatin1Char('.');
    } else if (now.history < before.history) {
        parts << undoResult(before);
    }
    if (before.playing && !now.playing) {
        if (onBoard == 0)
            parts << tr("Board cleared! End bonus %1. Final score %2.")
                         .arg(QString::fromStdString(m_game.bonusText()), score);
        else
            parts << tr("No card fits and the stock is empty: game lost. "
                        "Final score %1.")
                         .arg(score);
    } else {
        parts << tr("Score %1.").arg(score);
    }
    return parts.join(QLatin1Char(' '));
}

// What an undo brought back: a card to the table, a card to the stock, or the discard before a
// stock turn.
QString BoardAccess::undoResult(const Seen& before) const {
    const Seen& now = m_seen;
    QStringList back;
    for (int n = 1; n <= Game::kSlots; ++n)
        if (before.cards[n] == 0 && now.cards[n] > 0)
            back << cardName(now.cards[n]);
    // An undo costs 3; the points the move had brought go with it, and the score says so.
    const QString points = QStringLiteral("-3");
    if (!back.isEmpty())
        return tr("Undo, %1: %2 back on the table, %3 on the discard pile.")
            .arg(points, back.join(QStringLiteral(", ")), cardName(now.discard));
    if (now.dealpos < before.dealpos)
        return tr("Undo: %1 back in the stock, %2 on the discard pile. %3.")
            .arg(cardName(before.discard), cardName(now.discard), describe(kStock));
    return tr("Undo, %1: %2 on the discard pile.").arg(points, cardName(now.discard));
}

// Said once the key is done; when the frame moved to another card, the result is read as the
// screen reader arrives at that card.
void BoardAccess::announce(const QString& text, int placeBefore) {
    if (!text.isEmpty())
        m_announcement = text;
    const int focused = accessibleFocus();
    if (focused != kNone && m_game.playing() && focused != placeBefore) {
        m_announcer->sayWithFocus(control(focused), text, [this] { tellFocus(); });
        return;
    }
    m_announcer->say(text);
}
