#!/usr/bin/env python3
"""Checks the engine model itself on rules whose outcome is known by hand, so that the differential
test compares the engine with a trustworthy oracle."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import differential  # noqa: E402
import peaks_model as pm  # noqa: E402


def dealt(seed=0):
    model = pm.PeaksModel()
    model.seed = seed
    model.new()
    model.events = []
    return model


def find_deal(predicate, limit=5000):
    for seed in range(limit):
        model = dealt(seed)
        if predicate(model):
            return model
    raise AssertionError("no deal found")


def run_script(*lines):
    return pm.run_lines(lines)


class RandomSourceTest(unittest.TestCase):
    def test_draws_from_seed_zero(self):
        model = pm.PeaksModel()
        self.assertEqual([model.random(52), model.seed], [0, 1])
        self.assertEqual([model.random(52), model.seed], [1, 134775814])

    def test_seed_wraps_at_32_bits(self):
        model = pm.PeaksModel()
        model.seed = pm.UINT32
        model.random(52)
        self.assertEqual(model.seed, (pm.UINT32 * 134775813 + 1) % 2**32)

    def test_deck_is_a_permutation_and_dealt_in_order(self):
        for seed in (0, 1, 12345, pm.UINT32):
            model = dealt(seed)
            self.assertEqual(sorted(model.deck[1:]), list(range(1, 53)))
            self.assertEqual(model.slots[1:], model.deck[1:29])
            self.assertEqual((model.discard, model.dealpos), (model.deck[29], 29))


class RulesTest(unittest.TestCase):
    def test_rank_keys_and_adjacency(self):
        cases = [  # card, discard, legal
            (13, 12, True), (13, 1, True), (13, 26, False),  # King on Queen, Ace; not on a King
            (1, 13, True), (1, 2, True), (1, 3, False),  # Ace on King, 2
            (12, 11, True), (12, 52, True), (25, 38, False),  # Queen on Jack, King; not a Queen
            (40, 15, True),  # suits never matter
        ]
        for card, discard, legal in cases:
            with self.subTest(card=card, discard=discard):
                self.assertEqual(pm.adjacent(card, discard), legal)
                self.assertEqual(pm.adjacent(discard, card), legal)
        kings_and_aces = (13, 26, 39, 52, 1, 14, 27, 40)
        self.assertEqual([pm.rank_key(c) for c in kings_and_aces], [0] * 4 + [1] * 4)

    def test_face_flags_after_deal(self):
        flags = dealt(7).snapshot().split("*")[59:114:2]
        self.assertEqual(flags, ["0"] * 18 + ["1"] * 10)

    def test_run_bonuses_and_stock_charges(self):
        model = dealt(3)
        charges = []
        for _ in range(3):
            model.stock()
            charges.append(model.bonus)
        self.assertEqual(charges, ["-1", "-2", "-3"])
        self.assertEqual((model.score, model.dealpos), (-6, 32))
        while not model.playable_slots():
            model.stock()
        model.click(model.playable_slots()[0])
        self.assertEqual((model.bonus, model.chain, model.flipcount), ("+1", 1, 0))

    def test_peak_cards_score_twenty_more(self):
        for slot, bonus in ((1, "+23"), (2, "+23"), (3, "+23"), (4, "+3"), (28, "+3")):
            with self.subTest(slot=slot):
                model = dealt(11)
                model.slots = [0] * 29
                model.slots[slot], model.slots[19] = 5, 20  # fives; the discard is a four
                model.discard, model.chain = 4, 2
                model.click(slot)
                self.assertEqual((model.bonus, model.chain), (bonus, 3))
                self.assertEqual(model.events, ["tally=checkforhigher:4:3", "sound=placecard"])

    def test_either_coverer_blocks_a_card(self):
        for gone, staying in ((19, 20), (20, 19)):
            with self.subTest(gone=gone):
                model = dealt(11)
                model.slots[10], model.discard = 5, 4
                model.slots[gone], model.slots[staying] = 0, 30
                model.click(10)
                self.assertEqual((model.events, model.slots[10]), (["sound=invalid"], 5))
                model.slots[staying] = 0
                model.click(10)
                self.assertEqual(model.slots[10], 0)

    def test_illegal_clicks_change_nothing_but_sound(self):
        model = find_deal(
            lambda m: any(not pm.adjacent(m.slots[n], m.discard) for n in range(19, 29)))
        before = model.snapshot()
        wrong = next(n for n in range(19, 29) if not pm.adjacent(model.slots[n], model.discard))
        for slot in (1, 10, wrong):
            model.click(slot)
        self.assertEqual(model.events, ["sound=invalid"] * 3)
        self.assertEqual((model.snapshot(), len(model.history)), (before, 0))

    def test_snapshot_before_third_board_move(self):
        for seed in range(5000):
            for first in dealt(seed).playable_slots():
                model = dealt(seed)
                model.click(first)
                if model.playable_slots():
                    model.click(model.playable_slots()[0])
                    line = model.snapshot()
                    self.assertTrue(line.startswith("3*+2*29*2*0*%d*" % model.discard), line)
                    self.assertTrue(line.endswith("*27*28*" + "0*0*" * 10), line)
                    self.assertEqual(line.count("*"), 170)
                    return
        self.fail("no deal with two board moves in a row")


class StockAndUndoTest(unittest.TestCase):
    def test_first_stock_click(self):
        model = dealt(5)
        model.stock()
        self.assertEqual((model.dealpos, model.bonus, model.score, len(model.history)),
                         (30, "-1", -1, 2))
        self.assertEqual(model.discard, model.deck[30])
        self.assertEqual(model.events, ["sound=replace"])

    def test_two_undos_after_a_stock_click(self):
        model = dealt(5)
        before = model.snapshot()
        model.stock()
        after = model.snapshot()
        model.undo()
        self.assertEqual(model.snapshot(), "-4" + after[2:])
        model.undo()
        self.assertEqual(model.snapshot(), "-3" + before[1:])
        model.undo()  # nothing left
        self.assertEqual(model.score, -3)

    def test_emptied_stock_charges_once_then_nothing(self):
        model = find_deal(all_turned_playable)
        charges = []
        for _ in range(3):
            score = model.score
            model.stock()
            charges.append(score - model.score)
        self.assertEqual(charges, [model.flipcount - 2, 0, 0])
        self.assertEqual((model.dealpos, model.bonus, model.playing),
                         (55, "-%d" % charges[0], True))

    def test_new_deal_empties_history(self):
        out = run_script("new", "stock", "info", "new", "info", "undo", "info")
        self.assertEqual(out, ["playing=1 history=2", "playing=1 history=0", "playing=1 history=0"])

    def test_nothing_before_the_first_deal(self):
        out = run_script("click 19", "stock", "undo", "events", "info")
        self.assertEqual(out, ["-", "playing=0 history=0"])


def all_turned_playable(model):
    """Turns the whole stock; true when the game is still on."""
    while model.playing and model.dealpos < pm.LAST_STOCK_POS:
        model.stock()
    return model.playing


class EndOfGameTest(unittest.TestCase):
    def test_end_bonus(self):
        cases = [(29, "+120"), (52, "+5"), (53, "+0"), (54, "+0"), (60, "+0")]
        for dealpos, bonus in cases:
            with self.subTest(dealpos=dealpos):
                model = dealt(9)
                model.slots = [0] * 29
                model.slots[19] = 5
                model.discard, model.dealpos, model.score = 4, dealpos, 10
                model.click(19)
                self.assertEqual(model.bonus, bonus)
                self.assertEqual(model.score, 10 + 1 + int(bonus))
                self.assertFalse(model.playing)
                self.assertEqual(model.events[1:4], [
                    "tally=addtomineincrease:2", "tally=checkscore:%d" % model.score, "cleared"])

    def test_winning_sound_follows_random_three(self):
        for seed, draw in ((0, 0), (0x55555556, 1), (0xAAAAAAAB, 2)):
            model = dealt(1)
            model.slots = [0] * 29
            model.slots[19], model.discard = 5, 4
            model.seed = (seed - 1) * pow(134775813, -1, 2**32) % 2**32  # next seed is `seed`
            model.click(19)
            self.assertEqual(model.seed, seed)
            self.assertEqual(model.events[-1], "sound=" + ("winner2", "winner", "winner1")[draw])

    def test_deal_cleared_without_the_stock(self):
        for seed in differential.CLEAR_WITHOUT_STOCK_SEEDS[:2]:
            model = dealt(seed)
            for move in differential.solve(model, allow_stock=False, budget=2000000):
                model.click(move)
            self.assertEqual((model.playing, model.bonus, model.dealpos), (False, "+120", 29))

    def test_losing_stock_click_records_one_snapshot_and_no_sound(self):
        model = find_deal(lambda m: not all_turned_playable(m))
        self.assertEqual(model.dealpos, 52)
        self.assertEqual(model.events.count("lost"), 1)
        self.assertEqual(model.events[-2:], ["sound=replace", "lost"])
        self.assertEqual(len(model.history), 2 * 23 - 1)
        model.undo()
        self.assertEqual((model.dealpos, model.playing), (52, False))


if __name__ == "__main__":
    unittest.main()
