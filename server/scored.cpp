// solmarin-scored: the resident score service, a FastCGI program behind lighttpd. It stores the
// posts of all connections in group commits and keeps the list pages as files for lighttpd: with
// SQLite each batch writes them, with PostgreSQL a page keeper writes this machine's after every
// batch of any machine (see pagekeeper.h). Refused posts are logged on standard error, one line
// each, with the reason.
//
//   solmarin-scored [--database PATH|postgresql://…] [--listen SOCKET] [--posts-per-minute N]
//                   [--verified-only] [--threads N] [--pid-file FILE] FOLDER
#include "pagekeeper.h"
#include "service.h"

#include <fcgiapp.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

struct Options {
    std::string folder;
    std::string database; // empty: FOLDER/scores.db
    std::string listen;   // empty: the socket the web server handed over on descriptor 0
    std::string pidFile;
    int postsPerMinute = 20;
    scores::Policy policy;
    // Every connection the web server opens waits in a thread of its own until its batch is
    // committed, so there must be at least as many threads as posts arriving together.
    int threads = 128;
};

void usage() {
    std::fprintf(stderr,
                 "usage: solmarin-scored [--database PATH|postgresql://...] [--listen "
                 "SOCKET] [--posts-per-minute N] [--verified-only] [--threads N] [--pid-file "
                 "FILE] FOLDER\n");
    std::exit(2);
}

bool number(const char* text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (errno || end == text || *end || n < 0 || n > 1000000)
        return false;
    value = int(n);
    return true;
}

Options readOptions(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
        if (std::strcmp(argv[i], "--verified-only") == 0) {
            options.policy.verifiedOnly = true;
            --i;
            continue;
        }
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--database")
            options.database = value;
        else if (name == "--listen")
            options.listen = value;
        else if (name == "--pid-file")
            options.pidFile = value;
        else if (name == "--posts-per-minute" && number(value, options.postsPerMinute))
            continue;
        else if (name == "--threads" && number(value, options.threads) && options.threads > 0)
            continue;
        else
            usage();
    }
    if (i + 1 != argc)
        usage();
    options.folder = argv[i];
    return options;
}

std::mutex logMutex;

void logLine(const std::string& line) {
    const std::string text = "solmarin-scored: " + line + "\n";
    std::lock_guard<std::mutex> lock(logMutex);
    (void)!::write(STDERR_FILENO, text.data(), text.size());
}

[[noreturn]] void fail(const std::string& why) {
    logLine(why);
    std::exit(1);
}

// Pages left half written by a writer that died are removed before the first is written: the
// temporary files in the folder of `page`.
void removeLeftoverPages(const std::string& page) {
    const std::string folder = page.substr(0, page.rfind('/'));
    const std::string suffix = scores::kTemporarySuffix;
    std::vector<std::string> names;
    scores::namesIn(folder, names);
    for (const std::string& name : names) {
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            ::unlink((folder + "/" + name).c_str());
    }
}

std::unique_ptr<scores::Service> makeService(const Options& options,
                                             std::unique_ptr<scores::PageKeeper>& keeper) {
    std::string error;
    const bool postgres = scores::isPostgresAddress(options.database);
    if (postgres) {
        const std::string id = scores::newKeeperId();
        auto writer = scores::openPostgres(options.database, error, id);
        if (!writer)
            fail("cannot open the database: " + error);
        keeper = std::make_unique<scores::PageKeeper>(scores::openKeeperLink(options.database, id),
                                                      options.folder, logLine);
        error = keeper->start();
        if (!error.empty())
            fail(error);
        const scores::PageKeeper* pages = keeper.get();
        return std::make_unique<scores::Service>(
            std::make_unique<scores::GroupCommitter>(std::move(writer), nullptr,
                                                     options.postsPerMinute, logLine),
            options.policy, logLine, [pages] { return pages->shown(); });
    }
    const std::string path =
        options.database.empty() ? scores::databasePath(options.folder) : options.database;
    auto store = scores::openSqlite(path, error, true);
    if (!store)
        fail("cannot open " + path + ": " + error);
    // The page may be older than the database after a crash between a commit and the page.
    removeLeftoverPages(scores::pagePath(options.folder));
    removeLeftoverPages(scores::dailyPagePath(options.folder, "0000-00-00"));
    error = scores::writeMainPage(*store, options.folder);
    if (!error.empty())
        fail(error);
    return std::make_unique<scores::Service>(
        std::make_unique<scores::GroupCommitter>(
            std::move(store), std::make_unique<scores::PageFiles>(options.folder),
            options.postsPerMinute, logLine),
        options.policy, logLine);
}

std::string parameter(const FCGX_Request& request, const char* name) {
    const char* value = FCGX_GetParam(name, request.envp);
    return value ? value : "";
}

void serve(int socket, scores::Service& service) {
    FCGX_Request request;
    FCGX_InitRequest(&request, socket, 0);
    while (FCGX_Accept_r(&request) == 0) {
        const std::string method = parameter(request, "REQUEST_METHOD");
        const scores::Answer answer =
            service.answer(method, parameter(request, "REQUEST_URI"),
                           parameter(request, "REMOTE_ADDR"), std::time(nullptr));
        const std::string head =
            "Status: " + std::to_string(answer.status) + " " + scores::reasonPhrase(answer.status) +
            "\r\nContent-Type: " + answer.contentType +
            "\r\nCache-Control: no-store\r\nContent-Length: " + std::to_string(answer.body.size()) +
            "\r\n\r\n";
        FCGX_PutStr(head.data(), int(head.size()), request.out);
        if (method != "HEAD")
            FCGX_PutStr(answer.body.data(), int(answer.body.size()), request.out);
        FCGX_Finish_r(&request);
    }
}

} // namespace

int main(int argc, char** argv) {
    const Options options = readOptions(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    // Only the main thread takes the signals that end the service.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);

    if (FCGX_Init() != 0)
        fail("cannot start FastCGI");
    // The page is written before the socket appears: whoever waits for the socket finds it.
    std::unique_ptr<scores::PageKeeper> keeper;
    const std::unique_ptr<scores::Service> service = makeService(options, keeper);
    int socket = 0;
    if (!options.listen.empty()) {
        ::unlink(options.listen.c_str());
        socket = FCGX_OpenSocket(options.listen.c_str(), 1024);
        if (socket < 0)
            fail("cannot listen on " + options.listen);
    }
    if (!options.pidFile.empty()) {
        if (FILE* file = std::fopen(options.pidFile.c_str(), "w")) {
            std::fprintf(file, "%d\n", int(::getpid()));
            std::fclose(file);
        }
    }
    std::vector<std::thread> workers;
    for (int i = 0; i < options.threads; ++i)
        workers.emplace_back([&] { serve(socket, *service); });
    int signal = 0;
    sigwait(&ending, &signal);
    // The pages go, and then the keeper's row, so that no machine waits for this one's lease; a
    // database that does not answer gets a second.
    if (keeper)
        keeper->stop(std::chrono::seconds(1));
    // A post being stored when the signal comes either is committed or is not; none has been
    // answered before its commit, so ending here loses no answered post.
    std::_Exit(0);
}
