// The player's tally for the whole run: the tally and its file. It is read before the table is
// first shown and written when a game ends, when the player resets it and at exit, so no report
// of the game waits for a window and a process ended later loses no finished game.
#pragma once

#include "tally.h"
#include "tallystore.h"

#include <string>

class TallyBook {
public:
    explicit TallyBook(std::string path) : m_store(std::move(path)) {}

    // Reads the file into a default tally. A file that cannot be read throws once the tally
    // holds what could be read (the defaults at least), so the caller can report it and go on.
    void load();
    // Writes the file; false when it could not be written. The old file then stays.
    bool save() { return m_store.save(m_tally.grid()); }

    // The game's reports.
    void addtomineincrease(int column) { m_tally.addtomineincrease(column); }
    void checkforhigher(int column, int value) { m_tally.checkforhigher(column, value); }
    bool checkscore(int score, const std::string& name) { return m_tally.checkscore(score, name); }
    // A game has ended, cleared or lost.
    void gameOver() { save(); }
    // RESET TALLY, once confirmed; the cleared tally is written at once.
    void reset();

    Tally& tally() { return m_tally; }
    const Tally& tally() const { return m_tally; }
    const TallyStore& store() const { return m_store; }

private:
    Tally m_tally;
    TallyStore m_store;
};
