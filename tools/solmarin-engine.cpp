// solmarin-engine: plays the game engine from commands on stdin, for reproducing games and for
// scripted tests. Commands, one per line:
//   seed N     set the random source's seed (0..4294967295)
//   new        deal a new game
//   click S    click board slot S (1..28)
//   stock      click the stock
//   undo       the Undo command
//   state      print the snapshot line of the current position (not recorded)
//   info       print "playing=P history=H"
//   events     print the cues since the last "events", or "-" when there were none
//   solve      print "winnable" and the moves of a winning line (slot numbers, "s" for the
//              stock), or "unwinnable", or "over" when no game is being played
//   hint       print the first move of that line as a command ("click S" or "stock"), or "none"
//              when the position cannot be won
//   replay N LINE
//              play the move line LINE ("19.s.24.u.24": slots, "s" for the stock, "u" for
//              Undo) on deal N apart from the game above, and print "score=S cleared=C" (C 1
//              when the board was cleared, else 0), with " illegal=K" when move K could not be
//              made (the replay stops there)
//   daily YYYY-MM-DD
//              print the number of that date's Deal of the Day
// Only state, info, events, solve, hint, replay and daily print; a malformed command is reported on
// stderr and skipped. A search cut off by its node limit prints "unknown".
#include "daily.h"
#include "game.h"
#include "moveline.h"
#include "solver.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Records every cue as one token, the way "events" prints them. Sounds count as if "Play Sounds"
// were checked.
class EventLog : public GameListener {
public:
    void playsounds(const std::string& name) override { add("sound=" + name); }
    void addtomineincrease(int column) override {
        add("tally=addtomineincrease:" + std::to_string(column));
    }
    void checkforhigher(int column, int value) override {
        add("tally=checkforhigher:" + std::to_string(column) + ":" + std::to_string(value));
    }
    void checkscore(int score) override { add("tally=checkscore:" + std::to_string(score)); }
    std::string playerName() override { return "Guest"; }
    void showLostPanel(bool) override { add("lost"); }
    void showClearedPanel() override { add("cleared"); }

    std::string take() {
        std::string out = m_tokens.empty() ? "-" : m_tokens;
        m_tokens.clear();
        return out;
    }

private:
    void add(const std::string& token) {
        if (!m_tokens.empty()) {
            m_tokens += ' ';
        }
        m_tokens += token;
    }

    std::string m_tokens;
};

std::string solveLine(const Game& game, Solver& solver) {
    if (!game.playing()) {
        return "over";
    }
    const Solver::Result result = solver.solve(game);
    if (result.verdict == Solver::Verdict::Unknown) {
        return "unknown";
    }
    if (result.verdict == Solver::Verdict::Unwinnable) {
        return "unwinnable";
    }
    std::string out = "winnable";
    for (int move : result.line) {
        out += move == Solver::kStock ? std::string(" s") : " " + std::to_string(move);
    }
    return out;
}

std::string hintLine(const Game& game, Solver& solver) {
    const Solver::Result result = game.playing() ? solver.solve(game) : Solver::Result{};
    if (!game.playing() || result.verdict == Solver::Verdict::Unwinnable) {
        return "none";
    }
    if (result.verdict == Solver::Verdict::Unknown) {
        return "unknown";
    }
    const int move = result.line.front();
    return move == Solver::kStock ? "stock" : "click " + std::to_string(move);
}

template <typename T> bool parseNumber(const std::string& text, T& out) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto result = std::from_chars(first, last, out);
    return !text.empty() && result.ec == std::errc() && result.ptr == last;
}

// "score=S cleared=C", or nothing when the deal or the line cannot be read.
std::string replayLine(const std::string& deal, const std::string& line) {
    std::uint32_t number = 0;
    std::vector<int> moves;
    std::string why;
    if (!parseNumber(deal, number) || !moveline::parse(line, moves, why)) {
        return {};
    }
    const moveline::Outcome outcome = moveline::replay(number, moves);
    std::string out =
        "score=" + std::to_string(outcome.score) + " cleared=" + (outcome.cleared ? "1" : "0");
    if (!outcome.legal) {
        out += " illegal=" + std::to_string(outcome.illegalMove);
    }
    return out;
}

std::string dailyLine(const std::string& text) {
    daily::Date date;
    if (!daily::parseDate(text, date)) {
        return {};
    }
    return std::to_string(*daily::deal(date));
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    EventLog events;
    Game game(&events);
    Solver solver;
    std::string line;
    long lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        std::string command, argument, extra;
        words >> command >> argument >> extra;
        const bool noArgument = argument.empty();
        bool ok = extra.empty();
        if (command.empty()) {
            continue;
        } else if (command == "replay") {
            // An empty line of moves is a line too: the deal alone.
            std::string more;
            words >> more;
            const std::string out = more.empty() ? replayLine(argument, extra) : std::string();
            ok = !out.empty();
            if (ok) {
                std::cout << out << '\n';
            }
        } else if (command == "daily") {
            const std::string out = ok ? dailyLine(argument) : std::string();
            ok = !out.empty();
            if (ok) {
                std::cout << out << '\n';
            }
        } else if (command == "seed") {
            std::uint32_t seed = 0;
            ok = ok && parseNumber(argument, seed);
            if (ok) {
                game.random().setSeed(seed);
            }
        } else if (command == "click") {
            int slot = 0;
            ok = ok && parseNumber(argument, slot) && slot >= 1 && slot <= Game::kSlots;
            if (ok) {
                game.card_19Click(slot);
            }
        } else if (!noArgument) {
            ok = false;
        } else if (command == "new") {
            game.button_startClick();
        } else if (command == "stock") {
            game.image_stockClick();
        } else if (command == "undo") {
            game.button_undoClick();
        } else if (command == "state") {
            std::cout << game.snapshot() << '\n';
        } else if (command == "info") {
            std::cout << "playing=" << (game.playing() ? 1 : 0) << " history=" << game.historySize()
                      << '\n';
        } else if (command == "events") {
            std::cout << events.take() << '\n';
        } else if (command == "solve") {
            std::cout << solveLine(game, solver) << '\n';
        } else if (command == "hint") {
            std::cout << hintLine(game, solver) << '\n';
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "solmarin-engine: line " << lineNumber << ": cannot read \"" << line
                      << "\"\n";
        }
    }
    return 0;
}
