// The game's random source.
#include "random.h"

std::uint32_t Random::seedFromTime(int hour, int minute, int second, int millisecond) {
    return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}
