// Fuzzes the score program's query reading and the replay of posted moves: whatever arrives, an
// accepted post must hold only values the game can send, must read back the same after the
// game's own encoding, must leave no markup of its own in the page, and its moves must replay
// within their bound to a verdict that agrees with the engine.
#include "fetchcore.h"
#include "moveline.h"
#include "scores.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string query(reinterpret_cast<const char*>(data), size);
    scores::Post post;
    std::string why;
    if (!scores::parseQuery(query, post, why))
        return 0;
    if (!scores::validName(post.name) || !scores::validDate(post.date) ||
        post.score > scores::kBestPossibleScore || post.score < scores::kWorstPossibleScore)
        std::abort();
    std::vector<int> moves;
    if (post.hasMoves &&
        (!moveline::parse(post.moves, moves, why) || post.moves.size() > moveline::kMaxLength ||
         moves.size() > moveline::kMaxMoves || moveline::format(moves) != post.moves))
        std::abort();
    if (!post.daily.empty() && !post.hasMoves)
        std::abort();

    std::string again = "name=" + fetch::encodeQueryValue(post.name) +
                        "&date=" + fetch::encodeQueryValue(post.date) +
                        "&score=" + std::to_string(post.score);
    if (post.hasMoves)
        again +=
            "&deal=" + std::to_string(post.deal) + "&moves=" + fetch::encodeQueryValue(post.moves);
    if (!post.daily.empty())
        again += "&daily=" + fetch::encodeQueryValue(post.daily);
    scores::Post reread;
    if (!scores::parseQuery(again, reread, why) || reread.name != post.name ||
        reread.date != post.date || reread.score != post.score ||
        reread.hasMoves != post.hasMoves || reread.deal != post.deal ||
        reread.moves != post.moves || reread.daily != post.daily)
        std::abort();

    // The daily search is the solver's work, fuzzed elsewhere; the replay is checked here.
    post.daily.clear();
    const bool verified = scores::verifyPost(post, {}, 0, why);
    if (post.hasMoves) {
        const moveline::Outcome outcome = moveline::replay(post.deal, moves);
        const bool won = outcome.legal && outcome.cleared && outcome.score == post.score;
        if (verified != won || post.verified != won || (!won && why.empty()))
            std::abort();
    } else if (!verified || post.verified) {
        std::abort();
    }

    const std::string cell = scores::htmlEscape(post.name);
    if (cell.find_first_of("<>\"'") != std::string::npos)
        std::abort();
    const std::string page = scores::renderPage({{post.name, post.date, post.score, verified}}, 1);
    if (page.find("<td>" + cell + "</td>") == std::string::npos)
        std::abort();
    return 0;
}
