// The solmarin-engine console, driven as a separate program.
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
