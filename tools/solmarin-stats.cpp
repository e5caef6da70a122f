// solmarin-stats: the share of winnable deals among a range of deal numbers, solved on all cores.
//   solmarin-stats [FIRST LAST]   deal numbers FIRST..LAST (default 0..999999)
// Prints the count of deals, of winnable, unwinnable and undecided ones (a search cut off by its
// node limit), the share of winnable deals, and the largest search met.
#include "game.h"
#include "solver.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

struct Tally {
    std::uint64_t winnable = 0;
    std::uint64_t unwinnable = 0;
    std::uint64_t unknown = 0;
    std::uint64_t mostNodes = 0;
    std::uint32_t hardest = 0;
};

bool parse(const char* text, std::uint32_t& out) {
    const char* last = text + std::strlen(text);
    const auto result = std::from_chars(text, last, out);
    return *text != '\0' && result.ec == std::errc() && result.ptr == last;
}

// Deals are handed out in blocks, so that no core idles while another still has a long run.
void work(std::uint64_t first, std::uint64_t last, std::atomic<std::uint64_t>& next, Tally& tally) {
    constexpr std::uint64_t kBlock = 256;
    Solver solver;
    for (;;) {
        const std::uint64_t from = next.fetch_add(kBlock);
        if (from > last - first) {
            return;
        }
        const std::uint64_t to = std::min(last - first, from + kBlock - 1);
        for (std::uint64_t i = from; i <= to; ++i) {
            const auto number = static_cast<std::uint32_t>(first + i);
            Random random(number);
            const Solver::Result result =
                solver.solve(Solver::Position::dealt(Game::shuffle(random)));
            switch (result.verdict) {
            case Solver::Verdict::Winnable:
                ++tally.winnable;
                break;
            case Solver::Verdict::Unwinnable:
                ++tally.unwinnable;
                break;
            case Solver::Verdict::Unknown:
                ++tally.unknown;
                break;
            }
            if (result.nodes > tally.mostNodes) {
                tally.mostNodes = result.nodes;
                tally.hardest = number;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t first = 0;
    std::uint32_t last = 999999;
    if (argc == 3 ? !parse(argv[1], first) || !parse(argv[2], last) || last < first : argc != 1) {
        std::fprintf(stderr, "usage: solmarin-stats [FIRST LAST]\n");
        return 2;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<std::uint64_t> next{0};
    std::vector<Tally> tallies(cores);
    std::vector<std::thread> threads;
    for (unsigned c = 0; c < cores; ++c) {
        threads.emplace_back(work, first, last, std::ref(next), std::ref(tallies[c]));
    }
    Tally total;
    for (unsigned c = 0; c < cores; ++c) {
        threads[c].join();
        total.winnable += tallies[c].winnable;
        total.unwinnable += tallies[c].unwinnable;
        total.unknown += tallies[c].unknown;
        if (tallies[c].mostNodes > total.mostNodes) {
            total.mostNodes = tallies[c].mostNodes;
            total.hardest = tallies[c].hardest;
        }
    }
    const std::uint64_t deals = std::uint64_t{last} - first + 1;
    std::printf("deals %u..%u: %llu, winnable %llu (%.3f%%), unwinnable %llu, undecided %llu\n",
                first, last, static_cast<unsigned long long>(deals),
                static_cast<unsigned long long>(total.winnable), 100.0 * total.winnable / deals,
                static_cast<unsigned long long>(total.unwinnable),
                static_cast<unsigned long long>(total.unknown));
    std::printf("largest search: deal %u, %llu nodes; %u threads\n", total.hardest,
                static_cast<unsigned long long>(total.mostNodes), cores);
    return 0;
}
