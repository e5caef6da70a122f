// The peaks game: deal, move rules and scoring, undo snapshots and the end of a game.
#include "game.h"

#include "card.h"

#include <algorithm>
#include <charconv>

namespace {

// The longest decimal int, "-2147483648".
constexpr int kMaxFieldLength = 11;

// Which two slots lie on each of the slots 1..18; the bottom row 19..28 lies free.
constexpr Game::Cover kCoverTable[Game::kCoveredSlots + 1] = {
    {0, 0},   {4, 5},   {6, 7},   {8, 9},   {10, 11}, {11, 12}, {13, 14},
    {14, 15}, {16, 17}, {17, 18}, {19, 20}, {20, 21}, {21, 22}, {22, 23},
    {23, 24}, {24, 25}, {25, 26}, {26, 27}, {27, 28},
};

// Writes one field and its "*". Most fields are cards and slots below 100; they are written
// without the general conversion, since a snapshot is taken on every move and the server takes
// one on every move it replays.
char* writeField(char* out, int value) {
    if (value >= 0 && value < 10) {
        *out++ = static_cast<char>('0' + value);
    } else if (value >= 10 && value < 100) {
        *out++ = static_cast<char>('0' + value / 10);
        *out++ = static_cast<char>('0' + value % 10);
    } else {
        out = std::to_chars(out, out + kMaxFieldLength, value).ptr;
    }
    *out++ = '*';
    return out;
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
        // Most fields are one or two digits: read at once, as the general path would.
        const std::size_t left = m_line.size() - m_pos;
        const char* at = m_line.data() + m_pos;
        if (left >= 2 && isDigit(at[0]) && at[1] == '*') {
            out = at[0] - '0';
            m_pos += 2;
            return true;
        }
        if (left >= 3 && isDigit(at[0]) && isDigit(at[1]) && at[2] == '*') {
            out = (at[0] - '0') * 10 + (at[1] - '0');
            m_pos += 3;
            return true;
        }
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
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

void Game::record(const char* move) {
    if (m_moveCount++ > 0) {
        m_moveLine += '.';
    }
    m_moveLine += move;
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
    m_moveLine.clear();
    m_moveCount = 0;
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
    record(std::to_string(n).c_str());
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
    record("s");
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
    // Room for every field at its longest, written in place and then cut to its length.
    std::string line((kSnapshotFields - 1) * (kMaxFieldLength + 1) + m_bonus.size() + 1, '\0');
    char* out = line.data();
    out = writeField(out, m_score);
    out = std::copy(m_bonus.begin(), m_bonus.end(), out);
    *out++ = '*';
    out = writeField(out, m_dealpos);
    out = writeField(out, m_chain);
    out = writeField(out, m_flipcount);
    out = writeField(out, m_discard);
    for (int p = 1; p <= card::kCount; ++p) {
        out = writeField(out, m_deck[p]);
    }
    for (int n = 1; n <= kSlots; ++n) {
        out = writeField(out, m_slots[n].card);
        out = writeField(out, covered(n) ? 0 : 1);
    }
    for (int n = 1; n <= kSlots; ++n) {
        out = writeField(out, m_covers[n].a);
        out = writeField(out, m_covers[n].b);
    }
    line.resize(static_cast<std::size_t>(out - line.data()));
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
    record("u");
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
