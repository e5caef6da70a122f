#!/usr/bin/env python3
"""An independent model of the Solmarin game engine, driven by the solmarin-engine command language.

Written apart from the C++ engine so that the two can be run side by side on the same scripts and
any disagreement points at a misreading in one of them. Standard library only.

Commands, one per line on stdin: seed N, new, click S, stock, undo, state, info, events.
"""

import sys

# The two slots lying on each of slots 1..28; slots 19..28 are the open bottom row.
COVERS = (
    (4, 5), (6, 7), (8, 9),
    (10, 11), (11, 12), (13, 14), (14, 15), (16, 17), (17, 18),
    (19, 20), (20, 21), (21, 22), (22, 23), (23, 24), (24, 25), (25, 26), (26, 27), (27, 28),
) + ((0, 0),) * 10

SLOTS = 28
DECK_SIZE = 52
PEAK_SLOTS = (1, 2, 3)
PEAK_BONUS = 20
UNDO_COST = 3
# A click on the stock costs points only while this position has not been passed yet.
STOCK_CHARGE_LIMIT = 53
# The position of the last stock card: from here on the stock is empty and a game can be lost.
LAST_STOCK_POS = 52
DISCARD_STARTER_POS = 29
# The winning sound is picked by random(3); index = drawn number.
WIN_SOUNDS = ("winner2", "winner", "winner1")

LCG_MULTIPLIER = 134775813
UINT32 = 0xFFFFFFFF


def rank_key(card):
    """Ace 1, pips 2..10, Jack 11, Queen 12, King 0."""
    return card % 13


def adjacent(card, other):
    return (rank_key(card) - rank_key(other)) % 13 in (1, 12)


class PeaksModel:
    """The engine's state and rules, with the console's observable output."""

    def __init__(self):
        self.seed = 0
        self.playing = False
        self.deck = [0] * (DECK_SIZE + 1)  # positions 1..52; index 0 unused
        self.dealpos = 0
        self.chain = 0
        self.flipcount = 0
        self.covers = [(0, 0)] + list(COVERS)  # index 0 unused
        self.slots = [0] * (SLOTS + 1)
        self.discard = 0
        self.score = 0
        self.bonus = ""
        self.history = []  # newest last (the engine keeps it newest first; only the count is seen)
        self.events = []

    # --- random source ---------------------------------------------------------------------------

    def random(self, bound):
        self.seed = (self.seed * LCG_MULTIPLIER + 1) & UINT32
        return (self.seed * bound) >> 32

    # --- board queries ---------------------------------------------------------------------------

    def covered(self, n):
        a, b = self.covers[n]
        return a != 0 and (self.slots[a] != 0 or self.slots[b] != 0)

    def playable_slots(self):
        """Slots whose card may be played onto the discard now."""
        return [n for n in range(1, SLOTS + 1)
                if self.slots[n] != 0 and not self.covered(n)
                and adjacent(self.slots[n], self.discard)]

    def checkforplayable(self):
        return any(True for _ in self.playable_slots())

    def board_empty(self):
        return not any(self.slots[1:])

    # --- snapshots -------------------------------------------------------------------------------

    def snapshot(self):
        fields = [str(self.score), self.bonus, str(self.dealpos), str(self.chain),
                  str(self.flipcount), str(self.discard)]
        fields += [str(c) for c in self.deck[1:]]
        for n in range(1, SLOTS + 1):
            fields.append(str(self.slots[n]))
            fields.append("0" if self.covered(n) else "1")
        for n in range(1, SLOTS + 1):
            fields += [str(self.covers[n][0]), str(self.covers[n][1])]
        return "*".join(fields) + "*"

    def savestatus(self):
        self.history.append(self.snapshot())

    def restore(self, line):
        fields = line.split("*")
        pos = 0

        def take():
            nonlocal pos
            pos += 1
            return fields[pos - 1]

        self.score = int(take())
        self.bonus = take()
        self.dealpos = int(take())
        self.chain = int(take())
        self.flipcount = int(take())
        self.discard = int(take())
        self.deck = [0] + [int(take()) for _ in range(DECK_SIZE)]
        for n in range(1, SLOTS + 1):
            self.slots[n] = int(take())
            take()  # the face flag only decides the picture
        for n in range(1, SLOTS + 1):
            self.covers[n] = (int(take()), int(take()))

    # --- cues ------------------------------------------------------------------------------------

    def sound(self, name):
        self.events.append("sound=" + name)

    # --- commands --------------------------------------------------------------------------------

    def new(self):
        self.events.append("tally=addtomineincrease:1")
        self.playing = True
        self.chain = 0
        self.flipcount = 0
        self.score = 0
        self.bonus = ""
        self.shufflecards()
        # A new deal starts a fresh undo history.
        self.history = []
        self.sound("startgame")

    def shufflecards(self):
        self.deck = [0] * (DECK_SIZE + 1)
        for card in range(1, DECK_SIZE + 1):
            p = self.random(DECK_SIZE) + 1
            while self.deck[p] != 0:
                p = self.random(DECK_SIZE) + 1
            self.deck[p] = card
        for n in range(1, SLOTS + 1):
            self.slots[n] = self.deck[n]
        self.dealpos = DISCARD_STARTER_POS
        self.discard = self.deck[DISCARD_STARTER_POS]

    def click(self, n):
        if not self.playing or self.slots[n] == 0:
            return
        if self.covered(n) or not adjacent(self.slots[n], self.discard):
            self.sound("invalid")
            return
        self.savestatus()
        self.chain += 1
        self.events.append("tally=checkforhigher:4:%d" % self.chain)
        self.flipcount = 0
        gain = self.chain + (PEAK_BONUS if n in PEAK_SLOTS else 0)
        self.score += gain
        self.bonus = "+%d" % gain
        self.discard = self.slots[n]
        self.slots[n] = 0
        if self.checkforover():
            return
        self.sound("placecard")
        if self.dealpos >= LAST_STOCK_POS and not self.checkforplayable():
            self.lose()

    def checkforover(self):
        if not self.board_empty():
            return False
        self.playing = False
        # Clicks on the emptied stock push dealpos past 53; they must not turn the bonus negative.
        end_bonus = max(0, 5 * (STOCK_CHARGE_LIMIT - self.dealpos))
        self.score += end_bonus
        self.bonus = "+%d" % end_bonus
        self.events.append("tally=addtomineincrease:2")
        self.events.append("tally=checkscore:%d" % self.score)
        self.events.append("cleared")
        self.sound(WIN_SOUNDS[self.random(3)])
        return True

    def lose(self):
        self.playing = False
        self.events.append("lost")

    def stock(self):
        if not self.playing:
            return
        self.chain = 0
        self.savestatus()
        self.flipcount += 1
        if self.dealpos < STOCK_CHARGE_LIMIT:
            self.score -= self.flipcount
            self.bonus = "-%d" % self.flipcount
        self.dealpos += 1
        if self.dealpos < STOCK_CHARGE_LIMIT:
            self.discard = self.deck[self.dealpos]
        if self.dealpos >= LAST_STOCK_POS and not self.checkforplayable():
            self.lose()
            return
        self.savestatus()
        self.sound("replace")

    def undo(self):
        if not self.playing or not self.history:
            return
        line = self.history.pop()
        self.playing = False
        self.restore(line)
        self.score -= UNDO_COST
        self.playing = True

    # --- console ---------------------------------------------------------------------------------

    def execute(self, line):
        """Runs one command line; returns the printed line or None.
        Raises ValueError when the line is malformed."""
        words = line.split()
        if not words:
            return None
        cmd, args = words[0], words[1:]
        if cmd == "seed" and len(args) == 1:
            value = parse_uint(args[0], 0, UINT32)
            self.seed = value
            return None
        if cmd == "click" and len(args) == 1:
            self.click(parse_uint(args[0], 1, SLOTS))
            return None
        if args:
            raise ValueError("unexpected arguments")
        if cmd == "new":
            self.new()
        elif cmd == "stock":
            self.stock()
        elif cmd == "undo":
            self.undo()
        elif cmd == "state":
            return self.snapshot()
        elif cmd == "info":
            return "playing=%d history=%d" % (self.playing, len(self.history))
        elif cmd == "events":
            text = " ".join(self.events) if self.events else "-"
            self.events = []
            return text
        else:
            raise ValueError("unknown command")
        return None


def parse_uint(text, low, high):
    if not text.isdigit():
        raise ValueError("not a number")
    value = int(text)
    if not low <= value <= high:
        raise ValueError("out of range")
    return value


def run_lines(lines, model=None):
    """Runs a script; returns the printed lines (malformed lines are skipped)."""
    model = model or PeaksModel()
    out = []
    for line in lines:
        try:
            printed = model.execute(line)
        except ValueError:
            continue
        if printed is not None:
            out.append(printed)
    return out


def main():
    model = PeaksModel()
    for number, line in enumerate(sys.stdin, 1):
        line = line.rstrip("\r\n")
        try:
            printed = model.execute(line)
        except ValueError as error:
            print('peaks_model: line %d: cannot read "%s" (%s)' % (number, line, error),
                  file=sys.stderr)
            continue
        if printed is not None:
            print(printed, flush=False)
    sys.stdout.flush()


if __name__ == "__main__":
    main()
