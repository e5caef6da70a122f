// The plain part of the background fetch: splitting an address, encoding query values, the
// request a fetch sends, and running one fetch to its end on the calling thread.
#pragma once

#include <string>
#include <vector>

namespace fetch {

// Where a fetch goes. An address without a scheme is plain HTTP; "http://" and "https://" are
// recognised in any letter case. A port written after the host is honoured.
struct UrlParts {
    bool tls = false;
    std::string host;
    int port = 80;
    std::string path; // from the first "/" after the host, query included, as written
    bool valid = false;
};

UrlParts splitUrl(const std::string& url);

// Percent-encodes every byte except letters, digits, "-._~" and "/", so that a value can stand
// in a query without changing its shape. Ordinary values ("Guest", "12/7/26", "-40") go
// through unchanged.
std::string encodeQueryValue(const std::string& value);

// A private copy of what a fetch needs, taken when it starts.
struct Settings {
    std::string acceptTypes = "*/*";
    std::string agent = "Zentrik HTTPGet";
    std::string url;
    std::string userName;
    std::string password;
    std::string postQuery;
    std::string referer;
    bool binaryData = false;
    bool useCache = false;
    // Asks for the body gzip-compressed and hands it on decoded; the bound below counts the
    // decoded bytes, so a small compressed body cannot unpack into a large one.
    bool acceptGzip = false;
    // Whatever answers may be hostile: a body longer than this ends the fetch as a failure
    // before more of it is held, and so does a fetch still running at its deadline.
    long long maxBodySize = 256 * 1024;
    long deadlineMs = 30000;
};

// The extra request header lines (without line ends) a fetch sends besides the ones the
// transfer library writes itself (request line, Host, User-Agent).
std::vector<std::string> requestHeaders(const Settings& settings);

// Chunks of the body are handed on at most this large.
constexpr std::size_t kChunkSize = 1025;
// A server that accepts no connection within this many seconds is given up.
constexpr long kConnectTimeout = 30;
// A transfer that receives nothing for this many seconds fails.
constexpr long kStallTimeout = 60;
// Headers beyond this many bytes end the fetch: no server of ours sends more than a few lines,
// and an endless header must not grow the program.
constexpr std::size_t kMaxHeaderBytes = 16 * 1024;

struct Result {
    std::string body;
    long long totalSize = 0; // the response's Content-Length, 0 without one
    long long readed = 0;    // body bytes received so far
    int status = 0;          // the response's status code, 0 when none arrived
    bool success = false;
    std::string error; // why a failed fetch failed, for tests and diagnostics
};

// What the fetch asks of whoever runs it, from the fetching thread.
class Control {
public:
    virtual ~Control() = default;
    // Polled often, at least every tenth of a second; true ends the fetch as a failure.
    virtual bool stopRequested() const = 0;
    // Told after each chunk has been appended to the body.
    virtual void chunkRead(const Result& result) = 0;
};

// Runs one fetch on the calling thread until it ends. A fetch succeeds when the whole body
// arrived and holds at least one byte, whatever the status code.
void run(const Settings& settings, Result& result, Control& control);

// The transfer lives in a module beside the executable, loaded with the first fetch, so the
// program does not load the network libraries before its window is on the screen.
using RunFetch = void (*)(const Settings&, Result&, Control&);
inline constexpr char kRunFetchSymbol[] = "solmarinRunFetch";

} // namespace fetch
