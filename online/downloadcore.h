// The plain part of the installer download: one request written whole by the caller, sent and
// its answer read on the calling thread. The transfer lives in a module on libcurl, loaded
// with the first download, like the background fetch's.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace download {

struct Job {
    std::string url;             // where to connect: scheme, host and port are taken from it
    std::string request;         // the request bytes, head and empty line
    std::string proxy;           // "host:port", or empty to connect straight to the server
    std::ostream* out = nullptr; // receives the body of a 2xx answer
    std::int64_t limit = 0;      // a longer body fails; 0 means no limit
    const std::atomic<bool>* abort = nullptr; // polled at least every tenth of a second
    // When the transfer must have ended, however steadily the server sends; none by default.
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

enum class Failure {
    None,
    Aborted,
    Resolve,
    Connect, // osError holds the system's error number
    TooLarge,
    WriteFailed,
    Deadline, // the transfer had not ended by the job's deadline
    Other,    // message says what
};

struct Answer {
    int status = 0; // 0 when no answer arrived
    std::string reason;
    std::string location;
    Failure failure = Failure::None;
    int osError = 0;
    std::string message;
};

// Runs one download to its end on the calling thread.
void run(const Job& job, Answer& answer);

// Checks the open downloaded file's minisign signature against a public key (see
// minisign::verifyDescriptor), giving the trusted comment of a good one; the check lives in the
// module too, so the program loads libsodium only when it updates. Gives
// minisign::Verdict::Malformed when the module cannot be loaded.
int verifyDescriptor(int fd, const std::string& signature, const std::string& publicKey,
                     std::string& trustedComment);

using RunDownload = void (*)(const Job&, Answer&);
inline constexpr char kRunDownloadSymbol[] = "solmarinRunDownload";
using VerifyDescriptor = int (*)(int, const std::string&, const std::string&, std::string&);
inline constexpr char kVerifyDescriptorSymbol[] = "solmarinVerifyDescriptor";

} // namespace download
