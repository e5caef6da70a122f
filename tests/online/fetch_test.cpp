// The fetch without Qt: address splitting, query encoding, and whole fetches against a server
// of the test's own on 127.0.0.1, well-behaved and not.
#include "fetchcore.h"
#include "loopbackserver.h"
#include "serveraddress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <sstream>
#include <thread>

namespace {

struct Recorder : fetch::Control {
    std::atomic<bool> stop{false};
    std::vector<std::pair<long long, long long>> chunks; // (total, readed) per chunk
    bool stopRequested() const override { return stop.load(); }
    void chunkRead(const fetch::Result& result) override {
        chunks.emplace_back(result.totalSize, result.readed);
    }
};

fetch::Result fetchFrom(const std::string& url, Recorder& recorder,
                        const std::string& postQuery = {}, bool binaryData = false) {
    fetch::Settings settings;
    settings.url = url;
    settings.postQuery = postQuery;
    settings.binaryData = binaryData;
    fetch::Result result;
    fetch::run(settings, result, recorder);
    return result;
}

// The request line, the header lines as a set (their order is the transfer library's), and the
// body.
struct Request {
    std::string line;
    std::set<std::string> headers;
    std::string body;
};

Request parse(const std::string& bytes) {
    Request request;
    const std::size_t end = bytes.find("\r\n\r\n");
    std::istringstream head(bytes.substr(0, end + 2));
    std::string line;
    std::getline(head, request.line);
    request.line.pop_back(); // "\r"
    while (std::getline(head, line) && line.size() > 1)
        request.headers.insert(line.substr(0, line.size() - 1));
    request.body = bytes.substr(end + 4);
    return request;
}

TEST(FetchAddress, SplitsSchemeHostPortAndPath) {
    struct Case {
        const char* url;
        bool valid;
        bool tls;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"http://example.org/cgi-bin/a.cgi?x=1", true, false, "example.org", 80,
         "/cgi-bin/a.cgi?x=1"},
        {"HTTP://example.org/cgi-bin/a.cgi?x=1", true, false, "example.org", 80,
         "/cgi-bin/a.cgi?x=1"},
        {"example.org/cgi-bin/a.cgi?x=1", true, false, "example.org", 80, "/cgi-bin/a.cgi?x=1"},
        {"127.0.0.1:8080/x", true, false, "127.0.0.1", 8080, "/x"},
        {"HttpS://example.org/", true, true, "example.org", 443, "/"},
        {"https://example.org:8443/p", true, true, "example.org", 8443, "/p"},
        {"[::1]:81/p", true, false, "[::1]", 81, "/p"},
        {"[::1]/p", true, false, "[::1]", 80, "/p"},
        {"example.org", false, false, "", 80, ""},
        {"http://example.org", false, false, "", 80, ""},
        {"example.org:/x", false, false, "", 80, ""},
        {"example.org:99999/x", false, false, "", 80, ""},
        {"example.org:8o/x", false, false, "", 80, ""},
        {"/x", false, false, "", 80, "/x"},
    };
    for (const Case& c : cases) {
        const fetch::UrlParts parts = fetch::splitUrl(c.url);
        EXPECT_EQ(parts.valid, c.valid) << c.url;
        if (!c.valid)
            continue;
        EXPECT_EQ(parts.tls, c.tls) << c.url;
        EXPECT_EQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.port, c.port) << c.url;
        EXPECT_EQ(parts.path, c.path) << c.url;
    }
}

TEST(FetchAddress, QueryValuesKeepOrdinaryTextAndEncodeTheRest) {
    const std::pair<std::string, std::string> cases[] = {
        {"Guest", "Guest"},
        {"12/7/26", "12/7/26"},
        {"-40", "-40"},
        {"a.b_c~d", "a.b_c~d"},
        {"a b&c=d#", "a%20b%26c%3Dd%23"},
        {"1+1?%", "1%2B1%3F%25"},
        {"Zo\xC3\xAB", "Zo%C3%AB"},
        {std::string("a\0b", 3), "a%00b"},
        {"\r\n", "%0D%0A"},
    };
    for (const auto& [value, encoded] : cases)
        EXPECT_EQ(fetch::encodeQueryValue(value), encoded) << value;
}

TEST(ServerAddress, AcceptsHostHostPortAndSchemeForms) {
    const std::pair<std::string, std::string> cases[] = {
        {"scores.example.org", "http://scores.example.org"},
        {"scores.example.org:8080", "http://scores.example.org:8080"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"HTTP://127.0.0.1:80/", "http://127.0.0.1"},
        {"https://scores.example.org", "https://scores.example.org"},
        {"  host:81  ", "http://host:81"},
        {"", ""},
        {"host:port", ""},
        {"http://host/path", ""},
        {"ho st", ""},
        {"user@host", ""},
        {"ftp://host", ""},
    };
    for (const auto& [text, base] : cases)
        EXPECT_EQ(serveraddress::parse(text), base) << text;

    serveraddress::setConfigured("127.0.0.1:9");
    EXPECT_EQ(serveraddress::baseUrl(), "http://127.0.0.1:9");
    serveraddress::setConfigured("not a host");
    EXPECT_EQ(serveraddress::baseUrl(), "http://" + serveraddress::defaultHost());
}

TEST(FetchRequest, GetAndPostCarryTheAgentAcceptAndNoCacheHeaders) {
    LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    Recorder recorder;
    ASSERT_TRUE(fetchFrom(server.base() + "/cgi-bin/solmarin.cgi?name=a%20b", recorder).success);
    ASSERT_TRUE(fetchFrom(server.base() + "/p", recorder, "abc").success);
    server.waitForRequests(2);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port());

    const Request get = parse(server.requests()[0]);
    EXPECT_EQ(get.line, "GET /cgi-bin/solmarin.cgi?name=a%20b HTTP/1.0");
    EXPECT_EQ(get.headers,
              (std::set<std::string>{host, "User-Agent: Zentrik HTTPGet", "Accept: */*",
                                     "Pragma: no-cache", "Cache-Control: no-cache"}));
    EXPECT_EQ(get.body, "");

    const Request post = parse(server.requests()[1]);
    EXPECT_EQ(post.line, "POST /p HTTP/1.0");
    EXPECT_EQ(post.headers,
              (std::set<std::string>{host, "User-Agent: Zentrik HTTPGet", "Accept: */*",
                                     "Pragma: no-cache", "Cache-Control: no-cache",
                                     "Content-Type: application/x-www-form-urlencoded",
                                     "Content-Length: 3"}));
    EXPECT_EQ(post.body, "abc");
}

TEST(FetchResponse, MisbehavingServersGiveTheRightOutcome) {
    const std::string zeros("a\0b\0\0c", 6);
    struct Case {
        const char* what;
        std::string reply;
        bool binaryData;
        bool success;
        std::string body;
        int status;
    } cases[] = {
        {"no Content-Length", "HTTP/1.0 200 OK\r\n\r\nread to the end", false, true,
         "read to the end", 200},
        {"no Content-Length, binary data", "HTTP/1.0 200 OK\r\n\r\nbytes", true, false, "", 200},
        {"404 page", "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!", false, true,
         "not here!", 404},
        {"bytes of value 0", "HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n" + zeros, false, true,
         zeros, 200},
        {"empty body", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", false, false, "", 200},
        {"closes early", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", false, false,
         "only this", 200},
        {"closes before any reply", "", false, false, "", 0},
    };
    for (const Case& c : cases) {
        LoopbackServer server(c.reply);
        Recorder recorder;
        const fetch::Result result = fetchFrom(server.base() + "/x", recorder, {}, c.binaryData);
        EXPECT_EQ(result.success, c.success) << c.what << ": " << result.error;
        EXPECT_EQ(result.status, c.status) << c.what;
        if (c.success) {
            EXPECT_EQ(result.body, c.body) << c.what;
        }
        EXPECT_EQ(result.readed, (long long)result.body.size()) << c.what;
    }
}

TEST(FetchResponse, BodyArrivesInChunksOfAtMost1025Bytes) {
    const std::string body(3000, 'x');
    for (bool withLength : {true, false}) {
        LoopbackServer server("HTTP/1.0 200 OK\r\n" +
                              (withLength ? "Content-Length: 3000\r\n" : std::string()) + "\r\n" +
                              body);
        Recorder recorder;
        const fetch::Result result = fetchFrom(server.base() + "/x", recorder);
        ASSERT_TRUE(result.success) << result.error;
        EXPECT_EQ(result.body, body);
        ASSERT_FALSE(recorder.chunks.empty());
        long long previous = 0;
        for (const auto& [total, readed] : recorder.chunks) {
            EXPECT_EQ(total, withLength ? 3000 : 0);
            EXPECT_GT(readed, previous);
            EXPECT_LE(readed - previous, 1025);
            previous = readed;
        }
        EXPECT_EQ(previous, 3000);
    }
}

TEST(FetchResponse, StopEndsAFetchTheServerNeverAnswers) {
    LoopbackServer server("", true);
    Recorder recorder;
    std::thread stopper([&] {
        server.waitForRequests(1);
        recorder.stop = true;
    });
    const fetch::Result result = fetchFrom(server.base() + "/x", recorder);
    stopper.join();
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.error, "stopped");
    server.waitForClientClose();
}

// Sends `piece` again and again, `pause` apart, until the client goes (or a minute has passed,
// so that a fault cannot hang the test forever).
void stream(int fd, const std::string& piece, std::chrono::milliseconds pause) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < end && LoopbackServer::send(fd, piece))
        std::this_thread::sleep_for(pause);
}

TEST(FetchBounds, EveryFetchEndsAtItsSizeBoundOrItsDeadline) {
    using std::chrono::milliseconds;
    constexpr long long kBound = 512;
    const std::string ok = "HTTP/1.0 200 OK\r\n";
    struct Case {
        const char* what;
        LoopbackServer::Handler serve;
        bool success;
        const char* error; // the start of the reason a failure gives
    } cases[] = {
        {"a body of exactly the bound",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "\r\n" + std::string(kBound, 'v'));
         },
         true, ""},
        {"one byte more, announced",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "Content-Length: 513\r\n\r\n" +
                                          std::string(kBound + 1, 'v'));
         },
         false, "the body is larger than 512 bytes"},
        {"one byte more, not announced",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "\r\n" + std::string(kBound + 1, 'v'));
         },
         false, "the body is larger than 512 bytes"},
        {"an endless body",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "\r\n");
             stream(fd, std::string(65536, 'v'), milliseconds(0));
         },
         false, "the body is larger than 512 bytes"},
        {"an absurd length",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "Content-Length: 9223372036854775807\r\n\r\n");
             stream(fd, std::string(65536, 'v'), milliseconds(0));
         },
         false, "the body is larger than 512 bytes"},
        {"endless headers",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok);
             stream(fd, "X-Padding: " + std::string(1000, 'h') + "\r\n", milliseconds(0));
         },
         false, "the headers are too long"},
        {"a trickle",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "\r\n");
             stream(fd, "v", milliseconds(50));
         },
         false, "Timeout"},
        {"a header line that never ends",
         [&](int fd, const std::string&) {
             LoopbackServer::send(fd, ok + "X-Slow: ");
             stream(fd, "h", milliseconds(50));
         },
         false, "Timeout"},
    };
    for (const Case& c : cases) {
        LoopbackServer server(c.serve);
        fetch::Settings settings;
        settings.url = server.url("/solmarin/solmarinversion.txt");
        settings.maxBodySize = kBound;
        settings.deadlineMs = 1500;
        Recorder recorder;
        fetch::Result result;
        fetch::run(settings, result, recorder);
        EXPECT_EQ(result.success, c.success) << c.what << ": " << result.error;
        EXPECT_EQ(result.error.rfind(c.error, 0), 0u) << c.what << ": " << result.error;
        // Nothing beyond the bound is ever held.
        EXPECT_LE(result.body.size(), std::size_t(kBound)) << c.what;
        EXPECT_LE(result.readed, kBound) << c.what;
    }
}

TEST(FetchResponse, NoServerAndNoPathFail) {
    int port;
    {
        LoopbackServer gone("");
        port = gone.port();
    }
    Recorder recorder;
    EXPECT_FALSE(fetchFrom("http://127.0.0.1:" + std::to_string(port) + "/x", recorder).success);
    EXPECT_FALSE(fetchFrom("http://127.0.0.1", recorder).success);
}

} // namespace
