// Cards 1..52 (0 = no card) and the rank key that every play rule works on.
#pragma once

namespace card {

constexpr int kNone = 0;
constexpr int kCount = 52;

// 0 clubs, 1 diamonds, 2 hearts, 3 spades.
constexpr int suit(int c) {
    return (c - 1) / 13;
}
// 1 Ace .. 13 King.
constexpr int rank(int c) {
    return (c - 1) % 13 + 1;
}
// 1 Ace, 2..10, 11 Jack, 12 Queen, 0 King: the King's key is 0, not 13.
constexpr int key(int c) {
    return c % 13;
}

// Neighbours around the cycle Ace-2-..-Queen-King-Ace; equal ranks never match.
constexpr bool adjacent(int a, int b) {
    const int diff = ((key(a) - key(b)) % 13 + 13) % 13;
    return diff == 1 || diff == 12;
}

} // namespace card
