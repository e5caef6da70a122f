// solmarin.cgi: records one posted score and rewrites the list page, as a CGI program under the
// web server. Run as `solmarin.cgi --write-page FOLDER` it writes the page of a new list.
#include "scores.h"
#include "service.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-page") == 0) {
        const std::string error = scores::writePage(argv[2]);
        if (!error.empty()) {
            std::fprintf(stderr, "solmarin.cgi: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    scores::Request request;
    request.query = environment("QUERY_STRING");
    request.remoteAddress = environment("REMOTE_ADDR");
    request.folder = environment("SOLMARIN_DATA");
    const std::string limit = environment("SOLMARIN_POSTS_PER_MINUTE");
    if (!limit.empty())
        request.postsPerMinute = std::atoi(limit.c_str());
    request.policy.verifiedOnly = environment("SOLMARIN_VERIFIED_ONLY") == "yes";
    request.now = std::time(nullptr);
    const scores::Response response = request.folder.empty()
                                          ? scores::Response{500, "No score folder is set.\n"}
                                          : scores::handle(request);
    if (response.status == 400 || response.status == 429)
        std::fprintf(stderr, "solmarin.cgi: refused a post from %s: %s",
                     request.remoteAddress.c_str(), response.body.c_str());
    std::printf("Status: %d %s\r\nContent-Type: text/plain; charset=utf-8\r\n"
                "Cache-Control: no-store\r\nContent-Length: %zu\r\n\r\n%s",
                response.status, scores::reasonPhrase(response.status), response.body.size(),
                response.body.c_str());
    return 0;
}
