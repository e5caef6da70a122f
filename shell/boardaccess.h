// BoardAccess: plays the card table from the keyboard and tells screen readers what lies on it.
#pragma once

#include "game.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

class Announcer;
class ImageButton;
class QWidget;

class BoardAccess : public QObject {
    Q_OBJECT

public:
    // The places on the table: slots 1..28, the stock and the discard.
    static constexpr int kNone = -1;
    static constexpr int kStock = 0;
    static constexpr int kDiscard = Game::kSlots + 1;

    struct Controls {
        QWidget* board = nullptr; // the panel the cards lie on
        std::array<ImageButton*, Game::kSlots + 1> cards{};
        ImageButton* stock = nullptr;
        ImageButton* discard = nullptr;
    };

    // Watches the keys that reach `window`. Plays by clicking the controls, so a key does
    // exactly what a click does. What happens is said through `announcer`.
    BoardAccess(QWidget* window, const Game& game, const Controls& controls, Announcer* announcer);
    ~BoardAccess() override;

    // After every redraw of the table: keeps the keyboard mark on a playable place and
    // announces what the last move did.
    void refreshed();

    // The place the keyboard mark is on; kNone until the keyboard is used.
    int focusedPlace() const { return m_active ? m_place : kNone; }
    // The place a screen reader takes for the focus: the marked place while the table has the
    // keyboard focus, kNone otherwise.
    int accessibleFocus() const;
    // What a screen reader says for a place ("Seven of Spades, playable", "stock, 22 cards").
    QString describe(int place) const;
    // The place a control shows, or kNone.
    int placeOf(const QObject* control) const;
    ImageButton* control(int place) const;
    // The last move's result as it was announced.
    const QString& lastAnnouncement() const { return m_announcement; }
    Announcer* announcer() const { return m_announcer; }
    QWidget* table() const { return m_controls.board; }

    static QString cardName(int card);
    // Raises an overlay over the cards, leaving the open message panels above it.
    static void raiseBelowPanels(QWidget* overlay);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Seen {
        bool playing = false;
        int score = 0;
        int discard = 0;
        int dealpos = 0;
        std::size_t history = 0;
        std::array<int, Game::kSlots + 1> cards{};
    };

    bool keyPressed(int key);
    bool mayTakeKeys(int key) const;
    void move(int key);
    void playFocused();
    void setPlace(int place, bool tell = true);
    void tellFocus();
    void keepOnPlayable(bool tell = true);
    void placeMark();
    int nearestPlayable(QPoint from, int rowFilter) const;
    QPoint centreOf(int place) const;
    void announce(const QString& text, int placeBefore);
    QString moveResult(const Seen& before) const;
    QString undoResult(const Seen& before) const;
    Seen seen() const;

    QWidget* m_window;
    const Game& m_game;
    Controls m_controls;
    bool m_active = false; // the keyboard is in use: the mark shows
    int m_place = kNone;
    QPointer<QWidget> m_mark; // made the first time the keyboard is used
    Announcer* m_announcer;
    QString m_announcement;
    Seen m_seen;
};
