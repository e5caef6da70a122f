// The peaks game: deal, move rules and scoring, undo snapshots and the end of a game.
#include "game.h"

#include "card.h"

#include <algorithm>
#include <charconv>

namespace {

// Which two slots lie on each of the slots 1..18; the bottom row 19..28 lies free.
constexpr Game::Cover kCoverTable[Game::kCoveredSlots + 1] = {
    {0, 0},   {4, 5},   {6, 7},   {8, 9},   {10, 11}, {11, 12}, {13, 14},
    {14, 15}, {16, 17}, {17, 18}, {19, 20}, {20, 21}, {21, 22}, {22, 23},
    {23, 24}, {24, 25}, {25, 26}, {26, 27}, {27, 28},
};

void appendInt(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Most fields are cards and slots below 100; they are written without the general conversion,
// since a snapshot is taken on every move.
void appendField(std::string& out, int value) {
    if (value >= 0 && value < 10) {
        const char field[2] = {static_cast<char>('0' + value), '*'};
        out.append(field, 2);
    } else if (value >= 10 && value < 100) {
        const char field[3] = {static_cast<char>('0' + value / 10),
                               static_cast<char>('0' + value % 10), '*'};
        out.append(field, 3);
    } else {
        appendInt(out, value);
        out += '*';
    }
}

// Reads the fields of a snapshot line one by one, each up to the next "*".
class FieldReader {
public:
    explicit FieldReader(const std::string& line) : m_line(line) {}

    bool text(std::string& out) {
        const std::size_t end = m_line.find('*', m_pos);
        if (end == std::string::npos) {
            return false;
        }
        out.assign(m_line, m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }

    bool number(int& out) {
        const std::size_t end = m_line.find('*', m_pos);
        if (end == std::string::npos || end == m_pos) {
            return false;
        }
        const char* first = m_line.data() + m_pos;
        const char* last = m_line.data() + end;
        const auto result = std::from_chars(first, last, out);
        m_pos = end + 1;
        return result.ec == std::errc() && result.ptr == last;
    }

    bool atEnd() const { return m_pos == m_line.size(); }

private:
    const std::string& m_line;
    std::size_t m_pos = 0;
};

bool validCard(int c) {
    return c >= 0 && c <= card::kCount;
}
bool validSlot(int s) {
    return s >= 0 && s <= Game::kSlots;
}

} // namespace

Game::Game(GameListener* listener) : m_listener(listener ? listener : &m_silent) {
    for (int n = 1; n <= kCoveredSlots; ++n) {
        m_covers[n] = kCoverTable[n];
    }
}

void Game::setListener(GameListener* listener) {
    m_listener = listener ? listener : &m_silent;
}

void Game::cue(const char* sound) {
    m_listener->playsounds(sound);
}

bool Game::covered(int n) const {
    const Cover& c = m_covers[n];
    return c.a != 0 && (m_slots[c.a].card != 0 || m_slots[c.b].card != 0);
}

std::string Game::scoreText() const {
    return "Score: " + std::to_string(m_score);
}

std::string Game::cardsLeftText() const {
    return "Cards Left: " + std::to_string(m_cardsLeft);
}

void Game::showCardsLeft() {
    m_cardsLeft = std::max(0, card::kCount - m_dealpos);
}

// --- New game -------------------------------------------------------------------------------

void Game::button_startClick() {
    newGame(nullptr);
}

void Game::startWithDeck(const Deck& deck) {
    newGame(&deck);
}

void Game::startDeal(std::uint32_t number) {
    const std::uint32_t ordinary = m_random.seed();
    m_random.setSeed(number);
    newGame(nullptr);
    m_random.setSeed(ordinary);
}

void Game::newGame(const Deck* stacked) {
    m_listener->hidePanels();
    m_listener->addtomineincrease(1);
    m_playing = true;
    m_chain = 0;
    m_flipcount = 0;
    m_score = 0;
    m_bonus.clear();
    // A new deal starts a fresh history, so Undo never reaches back into an abandoned game.
    m_history.clear();
    m_undoButtonVisible = false;
    m_undoMenuEnabled = false;
    if (stacked) {
        m_deck = *stacked;
        m_dealNumber.reset();
        dealBoard();
    } else {
        shufflecards();
    }
    showCardsLeft();
    cue("startgame");
    m_greeting = "Good Luck " + m_listener->playerName();
}

void Game::shufflecards() {
    m_dealNumber = m_random.seed();
    m_deck = shuffle(m_random);
    dealBoard();
}

Game::Deck Game::shuffle(Random& random) {
    Deck deck{};
    for (int a = 1; a <= card::kCount; ++a) {
        int p = static_cast<int>(random.draw(card::kCount)) + 1;
        while (deck[p] != 0) {
            p = static_cast<int>(random.draw(card::kCount)) + 1;
        }
        deck[p] = a;
    }
    return deck;
}

void Game::dealBoard() {
    m_dealpos = 0;
    for (int n = 1; n <= kSlots; ++n) {
        ++m_dealpos;
        Slot& s = m_slots[n];
        s.card = m_deck[m_dealpos];
        s.picture = m_dealpos >= kFirstFaceUp ? Picture::Face : Picture::Back;
        s.visible = true;
    }
    m_dealpos = kDiscardStart;
    m_discard = m_deck[kDiscardStart];
    m_stockShowsBack = true;
}

// --- Moves ----------------------------------------------------------------------------------

void Game::card_19Click(int n) {
    if (!m_playing || n < 1 || n > kSlots) {
        return;
    }
    Slot& clicked = m_slots[n];
    if (clicked.card == 0) {
        return;
    }
    if (covered(n) || !card::adjacent(clicked.card, m_discard)) {
        cue("invalid");
        return;
    }
    savestatus();
    ++m_chain;
    m_listener->checkforhigher(4, m_chain);
    m_flipcount = 0;

    const int gain = n > kPeakSlots ? m_chain : m_chain + kPeakBonus;
    m_score += gain;
    m_bonus = "+" + std::to_string(gain);

    m_discard = clicked.card;
    clicked = Slot{};

    if (checkforover()) {
        return;
    }
    cue("placecard");

    for (int m = 1; m <= kCoveredSlots; ++m) {
        const Cover& c = m_covers[m];
        if ((c.a == n && m_slots[c.b].card == 0) || (c.b == n && m_slots[c.a].card == 0)) {
            m_slots[m].picture = Picture::Face;
        }
    }
    if (m_dealpos > card::kCount - 1 && !checkforplayable()) {
        lose(true);
    }
}

void Game::image_stockClick() {
    if (!m_playing) {
        return;
    }
    m_chain = 0;
    savestatus();
    ++m_flipcount;
    // Past the last card a click still counts in the run, but costs nothing more.
    if (m_dealpos < card::kCount + 1) {
        m_score -= m_flipcount;
        m_bonus = "-" + std::to_string(m_flipcount);
    }
    ++m_dealpos;
    showCardsLeft();
    if (m_dealpos < card::kCount + 1) {
        m_discard = m_deck[m_dealpos];
    }
    if (m_dealpos > card::kCount - 1) {
        m_stockShowsBack = false;
        if (!checkforplayable()) {
            lose(false);
            return;
        }
    }
    savestatus();
    cue("replace");
}

bool Game::checkforplayable() const {
    for (int n = 1; n <= kSlots; ++n) {
        const int c = m_slots[n].card;
        if (c != 0 && !covered(n) && card::adjacent(c, m_discard)) {
            return true;
        }
    }
    return false;
}

bool Game::playable(int n) const {
    if (!m_playing || n < 1 || n > kSlots) {
        return false;
    }
    const int c = m_slots[n].card;
    return c != 0 && !covered(n) && card::adjacent(c, m_discard);
}

// --- End of a game --------------------------------------------------------------------------

bool Game::checkforover() {
    for (int n = 1; n <= kSlots; ++n) {
        if (m_slots[n].card != 0) {
            return false;
        }
    }
    m_playing = false;
    flipall();
    // Five points per card left in the stock, plus five; extra clicks on the emptied stock must
    // not turn the reward into a penalty.
    const int bonus = std::max(0, 5 * (card::kCount + 1 - m_dealpos));
    m_score += bonus;
    m_bonus = "+" + std::to_string(bonus);
    m_clearedTitle = "You Cleared The Board!";
    m_clearedScoreText = "Your " + scoreText();
    m_listener->addtomineincrease(2);
    m_listener->checkscore(m_score);
    m_listener->showClearedPanel();
    switch (m_random.draw(3)) {
    case 1:
        cue("winner");
        break;
    case 2:
        cue("winner1");
        break;
    default:
        cue("winner2");
        break;
    }
    m_listener->gameOver();
    return true;
}

void Game::lose(bool bringToFront) {
    m_playing = false;
    flipall();
    m_listener->showLostPanel(bringToFront);
    m_listener->gameOver();
}

void Game::flipall() {
    m_undoButtonVisible = false;
    m_undoMenuEnabled = false;
    for (int n = 1; n <= kSlots; ++n) {
        if (m_slots[n].card != 0) {
            m_slots[n].picture = Picture::Face;
        }
    }
}

// --- Undo -----------------------------------------------------------------------------------

std::string Game::snapshot() const {
    std::string line;
    line.reserve(512);
    appendField(line, m_score);
    line += m_bonus;
    line += '*';
    appendField(line, m_dealpos);
    appendField(line, m_chain);
    appendField(line, m_flipcount);
    appendField(line, m_discard);
    for (int p = 1; p <= card::kCount; ++p) {
        appendField(line, m_deck[p]);
    }
    for (int n = 1; n <= kSlots; ++n) {
        appendField(line, m_slots[n].card);
        appendField(line, covered(n) ? 0 : 1);
    }
    for (int n = 1; n <= kSlots; ++n) {
        appendField(line, m_covers[n].a);
        appendField(line, m_covers[n].b);
    }
    return line;
}

void Game::savestatus() {
    m_undoButtonVisible = true;
    m_undoMenuEnabled = true;
    m_history.push_back(snapshot());
}

void Game::button_undoClick() {
    if (!m_playing || m_history.empty()) {
        return;
    }
    const std::string line = std::move(m_history.back());
    m_history.pop_back();
    m_playing = false;
    if (restore(line)) {
        m_score -= kUndoCost;
    }
    if (m_history.empty()) {
        m_undoButtonVisible = false;
        m_undoMenuEnabled = false;
    }
    m_playing = true;
}

// Restores a position from a snapshot line; a line that does not parse changes nothing.
bool Game::restore(const std::string& line) {
    FieldReader in(line);
    int score = 0, dealpos = 0, chain = 0, flipcount = 0, discard = 0;
    std::string bonus;
    Deck deck{};
    std::array<Slot, kSlots + 1> slots{};
    std::array<Cover, kSlots + 1> covers{};
    bool ok = in.number(score) && in.text(bonus) && in.number(dealpos) && in.number(chain) &&
              in.number(flipcount) && in.number(discard) && validCard(discard);
    for (int p = 1; ok && p <= card::kCount; ++p) {
        ok = in.number(deck[p]) && validCard(deck[p]);
    }
    for (int n = 1; ok && n <= kSlots; ++n) {
        int flag = 0;
        ok = in.number(slots[n].card) && validCard(slots[n].card) && in.number(flag);
        slots[n].visible = slots[n].card != 0;
        slots[n].picture = !slots[n].visible ? Picture::None
                           : flag == 1       ? Picture::Face
                                             : Picture::Back;
    }
    for (int n = 1; ok && n <= kSlots; ++n) {
        ok = in.number(covers[n].a) && in.number(covers[n].b) && validSlot(covers[n].a) &&
             validSlot(covers[n].b);
    }
    if (!ok || !in.atEnd()) {
        return false;
    }
    m_score = score;
    m_bonus = std::move(bonus);
    m_dealpos = dealpos;
    showCardsLeft();
    m_stockShowsBack = m_dealpos < card::kCount;
    m_chain = chain;
    m_flipcount = flipcount;
    m_discard = discard;
    m_deck = deck;
    m_slots = slots;
    m_covers = covers;
    return true;
}
