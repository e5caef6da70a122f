// The peaks game: deck, board of 28 slots, move rules, scoring, undo history and the end of a game.
// Plain C++; the main window draws from this state and forwards clicks to the handlers.
#pragma once

#include "random.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the game tells the rest of the program. Every cue has an empty default, so a listener
// overrides only what it serves.
class GameListener {
public:
    virtual ~GameListener() = default;

    virtual void playsounds(const std::string& name) { (void)name; }
    // The tally's reports: a statistic counted, a chain offered as a record, the final score of
    // a cleared board (entered under the current player name).
    virtual void addtomineincrease(int column) { (void)column; }
    virtual void checkforhigher(int column, int value) {
        (void)column;
        (void)value;
    }
    virtual void checkscore(int score) { (void)score; }
    // The current player name, read whenever it is needed.
    virtual std::string playerName() { return {}; }
    // The game has ended, cleared or lost, after every other cue of its end.
    virtual void gameOver() {}
    // A new deal closes every message panel (wait, lost, name, cleared).
    virtual void hidePanels() {}
    virtual void showLostPanel(bool bringToFront) { (void)bringToFront; }
    virtual void showClearedPanel() {}
};

class Game {
public:
    static constexpr int kSlots = 28;
    static constexpr int kPeakSlots = 3;     // slots 1-3 top the three peaks
    static constexpr int kCoveredSlots = 18; // slots 1-18 lie under two others
    static constexpr int kFirstFaceUp = 19;  // deal positions from here are dealt face up
    static constexpr int kDiscardStart = 29; // deal position of the discard starter
    static constexpr int kPeakBonus = 20;
    static constexpr int kUndoCost = 3;
    static constexpr int kSnapshotFields = 170;

    enum class Picture { None, Back, Face };
    struct Slot {
        int card = 0;                    // 0 once played
        Picture picture = Picture::None; // the face shown is always that of `card`
        bool visible = false;
    };
    struct Cover {
        int a = 0; // 0: nothing lies on this slot
        int b = 0;
    };
    using Deck = std::array<int, 53>; // positions 1..52; [0] unused

    explicit Game(GameListener* listener = nullptr);

    void setListener(GameListener* listener);
    Random& random() { return m_random; }

    // Handlers.
    void button_startClick();
    void card_19Click(int slot);
    void image_stockClick();
    void button_undoClick();

    // The new-game sequence with a given deck in place of the shuffle (stacked deals for tests
    // and solvers).
    void startWithDeck(const Deck& deck);
    // The new-game sequence for deal number `number`, chosen by the player: the shuffle the
    // random source makes from that seed. The source itself is left where it was, so the deals
    // that follow are those of the ordinary sequence, not a fixed series after every number.
    void startDeal(std::uint32_t number);

    // The shuffle: every card to a random free position, drawn from `random`.
    static Deck shuffle(Random& random);

    // Operations.
    void shufflecards();
    bool checkforplayable() const;
    void savestatus();
    bool checkforover();
    void flipall();
    bool covered(int slot) const;
    // Whether a click on the slot would play its card now: a game runs, the slot holds an
    // uncovered card and that card neighbours the discard.
    bool playable(int slot) const;

    // The snapshot line of the current position, as savestatus records it.
    std::string snapshot() const;

    // The moves taken since the deal, joined by ".": the slot of each card played, "s" for each
    // stock click, "u" for each undo that took a move back. Clicks that change nothing are left
    // out, so the line played again on the same deal reaches the same position and score.
    const std::string& moveLine() const { return m_moveLine; }
    std::size_t moveCount() const { return m_moveCount; }

    // State.
    bool playing() const { return m_playing; }
    const Deck& deck() const { return m_deck; }
    int dealpos() const { return m_dealpos; }
    // The random source's seed just before the shuffle of the current deal; none before the
    // first deal or for a stacked one.
    std::optional<std::uint32_t> dealNumber() const { return m_dealNumber; }
    int chain() const { return m_chain; }
    int flipcount() const { return m_flipcount; }
    const Cover& covers(int slot) const { return m_covers[slot]; }
    const Slot& slot(int n) const { return m_slots[n]; }
    int discard() const { return m_discard; }
    int score() const { return m_score; }
    const std::string& bonusText() const { return m_bonus; }
    std::string scoreText() const;
    std::string cardsLeftText() const;
    int cardsLeft() const { return m_cardsLeft; }
    bool stockShowsBack() const { return m_stockShowsBack; }
    const std::string& greeting() const { return m_greeting; }
    bool undoButtonVisible() const { return m_undoButtonVisible; }
    bool undoMenuEnabled() const { return m_undoMenuEnabled; }
    std::size_t historySize() const { return m_history.size(); }
    // Texts of the board-cleared panel: its title and the final score line.
    const std::string& clearedTitle() const { return m_clearedTitle; }
    const std::string& clearedScoreText() const { return m_clearedScoreText; }

private:
    void newGame(const Deck* stacked);
    void dealBoard();
    void lose(bool bringToFront);
    bool restore(const std::string& line);
    void showCardsLeft();
    void cue(const char* sound);
    void record(const char* move);

    GameListener m_silent;
    GameListener* m_listener;
    Random m_random;

    bool m_playing = false;
    Deck m_deck{};
    std::optional<std::uint32_t> m_dealNumber;
    int m_dealpos = 0;
    int m_chain = 0;
    int m_flipcount = 0;
    std::array<Cover, kSlots + 1> m_covers{};
    std::array<Slot, kSlots + 1> m_slots{}; // [0] stays empty, so cover pairs of 0 read no card

    int m_discard = 0;
    int m_score = 0;
    std::string m_bonus;
    int m_cardsLeft = 0;
    bool m_stockShowsBack = false;
    std::string m_greeting = "Welcome to Solmarin by Velbor Software!";
    bool m_undoButtonVisible = false;
    bool m_undoMenuEnabled = true;
    std::vector<std::string> m_history; // newest last
    std::string m_moveLine;
    std::size_t m_moveCount = 0;
    std::string m_clearedTitle = "YOUR CLEARED THE BOARD!";
    std::string m_clearedScoreText;
};
