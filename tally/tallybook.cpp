// The player's tally for the whole run.
#include "tallybook.h"

void TallyBook::load() {
    m_tally.setDefaults();
    try {
        m_store.load(m_tally.grid());
    } catch (...) {
        m_tally.loadtally();
        throw;
    }
    m_tally.loadtally();
}

void TallyBook::reset() {
    m_tally.reset();
    save();
}
