// The solmarin-engine console, driven as a separate program.
#include "game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Runs the console on the given script and returns its standard output, line by line.
std::vector<std::string> runConsole(const std::string& script) {
    // Each test runs in a process of its own, possibly at the same time as the others.
    const std::string input = testing::TempDir() + "console_" +
                              testing::UnitTest::GetInstance()->current_test_info()->name() +
                              ".txt";
    std::ofstream(input) << script;
    const std::string command = std::string(SOLMARIN_ENGINE) + " < " + input + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    std::size_t n;
    while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, n);
    }
    EXPECT_EQ(pipe ? pclose(pipe) : -1, 0);
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(Console, ReportsStateInfoAndEventsOfAScriptedGame) {
    const std::vector<std::string> out = runConsole("info\nevents\nseed 0\nnew\ninfo\nevents\n"
                                                    "stock\nevents\ninfo\nundo\nundo\ninfo\n"
                                                    "events\nstate\n");
    ASSERT_EQ(out.size(), 9u);
    EXPECT_EQ(out[0], "playing=0 history=0");
    EXPECT_EQ(out[1], "-");
    EXPECT_EQ(out[2], "playing=1 history=0");
    EXPECT_EQ(out[3], "tally=addtomineincrease:1 sound=startgame");
    EXPECT_EQ(out[4], "sound=replace");
    EXPECT_EQ(out[5], "playing=1 history=2");
    EXPECT_EQ(out[6], "playing=1 history=0");
    EXPECT_EQ(out[7], "-") << "undo plays no sound";
    // Two undos after one stock click: back at the deal, charged 3 on the deal's score of 0.
    EXPECT_EQ(out.size() > 8 ? out[8].substr(0, 7) : "", "-3**29*");
}

TEST(Console, StatePrintsTheSnapshotLineWithoutRecordingIt) {
    const std::vector<std::string> out = runConsole("seed 0\nnew\nstate\nstate\ninfo\n");
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], out[1]);
    EXPECT_EQ(std::count(out[0].begin(), out[0].end(), '*'), 170);
    EXPECT_EQ(out[0].substr(0, 14), "0**29*0*0*31*1");
    EXPECT_EQ(out[2], "playing=1 history=0");
}

TEST(Console, SkipsMalformedCommandsWithoutOutput) {
    const std::vector<std::string> out =
        runConsole("seed\nseed -1\nseed 4294967296\nclick 0\nclick 29\nclick x\nnew now\n"
                   "bogus\n\ninfo\nseed 4294967295\r\ninfo\n");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "playing=0 history=0");
    EXPECT_EQ(out[1], "playing=0 history=0");
}

namespace {

// The commands that play a `solve` line: "winnable 19 s 24" gives click 19, stock, click 24.
std::string commandsOf(const std::string& solved) {
    std::istringstream words(solved);
    std::string word, script;
    words >> word;
    while (words >> word) {
        script += word == "s" ? "stock\n" : "click " + word + "\n";
    }
    return script;
}

} // namespace

TEST(Console, SolveGivesALineThatClearsTheBoardAndHintItsFirstMove) {
    for (const char* seed : {"7", "1000", "4294967295"}) {
        const std::string deal = std::string("seed ") + seed + "\nnew\n";
        const std::vector<std::string> out = runConsole("solve\nhint\n" + deal + "solve\nhint\n");
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0], "over");
        EXPECT_EQ(out[1], "none");
        if (out[2] == "unwinnable") {
            EXPECT_EQ(out[3], "none");
            continue;
        }
        ASSERT_EQ(out[2].rfind("winnable ", 0), 0u) << out[2];
        const std::string script = commandsOf(out[2]);
        EXPECT_EQ(out[3], script.substr(0, script.find('\n')))
            << "the hint is the line's first move";
        const std::vector<std::string> played = runConsole(deal + script + "info\nevents\nsolve\n");
        ASSERT_EQ(played.size(), 3u);
        EXPECT_EQ(played[0].substr(0, 10), "playing=0 ");
        EXPECT_NE(played[1].find("cleared"), std::string::npos) << played[1];
        EXPECT_EQ(played[2], "over");
    }
}

TEST(Console, APositionWithOnlyALosingStockClickLeftIsUnwinnable) {
    // A deal where, after turning all but one stock card, no board card fits and the last stock
    // card fits nothing either: the only move left loses.
    Game game;
    std::uint32_t seed = 0;
    for (;; ++seed) {
        ASSERT_LT(seed, 10000u);
        game.startDeal(seed);
        for (int i = 0; i < 22 && game.playing(); ++i) {
            game.image_stockClick();
        }
        if (!game.playing() || game.checkforplayable()) {
            continue;
        }
        game.image_stockClick();
        if (!game.playing()) {
            break;
        }
    }
    std::string script = "seed " + std::to_string(seed) + "\nnew\n";
    for (int i = 0; i < 22; ++i) {
        script += "stock\n";
    }
    const std::vector<std::string> out = runConsole(script + "solve\nhint\nstock\nsolve\nhint\n");
    EXPECT_EQ(out, (std::vector<std::string>{"unwinnable", "none", "over", "none"}));
}

// An operator checks a stored post by hand: the console replays its line on its deal.
TEST(Console, ReplaysAMoveLineOnItsDealAndTellsTheDailyDeal) {
    const std::vector<std::string> solved = runConsole("seed 7\nnew\nsolve\n");
    ASSERT_EQ(solved.size(), 1u);
    ASSERT_EQ(solved[0].substr(0, 9), "winnable ");
    std::string line = solved[0].substr(9);
    std::replace(line.begin(), line.end(), ' ', '.');
    const std::string cut = line.substr(0, line.rfind('.'));
    // The same moves played through the console's own commands give the score to compare.
    std::string script = "seed 7\nnew\n";
    for (std::size_t at = 0; at < line.size();) {
        std::size_t dot = line.find('.', at);
        if (dot == std::string::npos)
            dot = line.size();
        const std::string move = line.substr(at, dot - at);
        script += move == "s" ? "stock\n" : "click " + move + "\n";
        at = dot + 1;
    }
    script += "state\nreplay 7 " + line + "\nreplay 7 " + cut + "\nreplay 7 1." + line +
              "\nreplay 7\nreplay 7 1.x\nreplay -1 19\ndaily 2026-12-08\ndaily 2026-12-08\n"
              "daily 2026-02-30\n";
    const std::vector<std::string> out = runConsole(script);
    ASSERT_EQ(out.size(), 7u);
    const std::string score = out[0].substr(0, out[0].find('*'));
    EXPECT_EQ(out[1], "score=" + score + " cleared=1");
    EXPECT_EQ(out[2].substr(out[2].size() - 10), " cleared=0");
    EXPECT_EQ(out[3], "score=0 cleared=0 illegal=1");
    EXPECT_EQ(out[4], "score=0 cleared=0");
    EXPECT_EQ(out[5], out[6]);
    EXPECT_FALSE(out[5].empty());
    EXPECT_EQ(out[5].find_first_not_of("0123456789"), std::string::npos) << out[5];
}
