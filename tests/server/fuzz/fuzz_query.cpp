// Fuzzes the score program's query reading: whatever arrives, an accepted post must hold only
// values the game can send, must read back the same after the game's own encoding, and must
// leave no markup of its own in the page.
#include "fetchcore.h"
#include "scores.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string query(reinterpret_cast<const char*>(data), size);
    scores::Post post;
    std::string why;
    if (!scores::parseQuery(query, post, why))
        return 0;
    if (!scores::validName(post.name) || !scores::validDate(post.date) ||
        post.score > scores::kBestPossibleScore || post.score < scores::kWorstPossibleScore)
        std::abort();

    const std::string again = "name=" + fetch::encodeQueryValue(post.name) +
                              "&date=" + fetch::encodeQueryValue(post.date) +
                              "&score=" + std::to_string(post.score);
    scores::Post reread;
    if (!scores::parseQuery(again, reread, why) || reread.name != post.name ||
        reread.date != post.date || reread.score != post.score)
        std::abort();

    const std::string cell = scores::htmlEscape(post.name);
    if (cell.find_first_of("<>\"'") != std::string::npos)
        std::abort();
    const std::string page = scores::renderPage({{post.name, post.date, post.score}}, 1);
    if (page.find("<td>" + cell + "</td>") == std::string::npos)
        std::abort();
    return 0;
}
