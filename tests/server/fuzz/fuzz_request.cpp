// Fuzzes the score service's reading of a request: the first line of the input is the method,
// the rest the address (path and query) as the web server hands them over. Whatever arrives, the
// answer must be one the service gives, only a GET or HEAD of the score program's address with a
// post the rules accept may store anything, and a stored post must be one the rules accept.
#include "service.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

scores::Service& service() {
    static scores::Service* made = [] {
        std::string error;
        auto store = scores::openSqlite(":memory:", error);
        if (!store)
            std::abort();
        const auto quiet = [](const std::string&) {};
        return new scores::Service(
            std::make_unique<scores::GroupCommitter>(std::move(store), nullptr, 0, quiet),
            scores::Policy{}, quiet);
    }();
    return *made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t line = input.find('\n');
    const std::string method = line == std::string::npos ? input : input.substr(0, line);
    const std::string uri = line == std::string::npos ? std::string() : input.substr(line + 1);

    const scores::Answer answer = service().answer(method, uri, "127.0.0.1", 1000);
    std::string query, daily;
    const scores::Route route = scores::route(method, uri, query, daily);
    scores::Post post;
    std::string why;
    const bool acceptable = route == scores::Route::Post && scores::parseQuery(query, post, why) &&
                            scores::verifyPost(post, scores::Policy{}, 1000, why);
    switch (answer.status) {
    case 200:
        if (!acceptable)
            std::abort();
        break;
    case 400:
        if (route != scores::Route::Post || acceptable)
            std::abort();
        break;
    case 404:
        if (route == scores::Route::Post || route == scores::Route::NotAllowed)
            std::abort();
        break;
    case 405:
        if (method == "GET" || method == "HEAD")
            std::abort();
        break;
    default:
        std::abort();
    }
    if (acceptable && (!scores::validName(post.name) || !scores::validDate(post.date)))
        std::abort();
    return 0;
}
