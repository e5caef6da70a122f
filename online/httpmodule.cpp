// The transfer of the background fetch on libcurl, in a module of its own beside the
// executable: linking libcurl and its TLS and compression libraries into the program would cost
// its start-up the relocation of all of them.
#include "fetchcore.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>

namespace {

// How long one wait for the network may last before the stop request is looked at again.
constexpr int kPollMilliseconds = 100;

struct Transfer {
    const fetch::Settings& settings;
    fetch::Result& result;
    fetch::Control& control;
    bool contentLengthSeen = false;
    bool encoded = false; // the length, if any, is of the compressed body
    bool badContentLength = false;
    bool refused = false; // the body was not wanted (binary data without a length)
    bool tooLarge = false;
    bool headerTooLarge = false;
    std::size_t headerBytes = 0;
};

bool headerIs(const char* line, std::size_t size, const char* name) {
    const std::size_t length = std::strlen(name);
    if (size < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != name[i])
            return false;
    }
    return true;
}

size_t onHeader(char* line, size_t, size_t size, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    transfer->headerBytes += size;
    if (transfer->headerBytes > fetch::kMaxHeaderBytes) {
        transfer->headerTooLarge = true;
        return 0;
    }
    if (headerIs(line, size, "http/")) {
        // A new response (after an interim one) starts its headers afresh.
        transfer->contentLengthSeen = false;
        transfer->badContentLength = false;
        transfer->encoded = false;
        transfer->result.totalSize = 0;
    } else if (headerIs(line, size, "content-encoding:")) {
        transfer->encoded = true;
    } else if (headerIs(line, size, "content-length:")) {
        std::string value(line + 15, size - 15);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t\r\n") + 1);
        long long length = 0;
        bool ok = !value.empty() && value.size() <= 18;
        for (char c : value) {
            if (c < '0' || c > '9')
                ok = false;
            else
                length = length * 10 + (c - '0');
        }
        transfer->contentLengthSeen = true;
        transfer->badContentLength = !ok;
        transfer->result.totalSize = ok ? length : 0;
    }
    return size;
}

size_t onBody(char* data, size_t, size_t size, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    fetch::Result& result = transfer->result;
    if (transfer->settings.binaryData && !transfer->contentLengthSeen) {
        transfer->refused = true;
        return 0;
    }
    // The decoded size of a compressed body is not known before its end.
    if (transfer->encoded)
        result.totalSize = 0;
    // Checked before anything is kept, so the body held never passes the bound.
    if (static_cast<unsigned long long>(result.readed) + size >
        static_cast<unsigned long long>(transfer->settings.maxBodySize)) {
        transfer->tooLarge = true;
        return 0;
    }
    // Handed on in chunks of a fixed greatest size, whatever the library delivers at once.
    for (size_t done = 0; done < size;) {
        if (transfer->control.stopRequested())
            return 0;
        const size_t piece = std::min(fetch::kChunkSize, size - done);
        result.body.append(data + done, piece);
        result.readed += static_cast<long long>(piece);
        done += piece;
        transfer->control.chunkRead(result);
    }
    return size;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->control.stopRequested() ? 1 : 0;
}

std::string address(const fetch::UrlParts& parts) {
    return std::string(parts.tls ? "https://" : "http://") + parts.host + ":" +
           std::to_string(parts.port) + parts.path;
}

void setOptions(CURL* easy, Transfer& transfer, const fetch::UrlParts& parts, curl_slist* headers,
                const std::string& url) {
    const fetch::Settings& settings = transfer.settings;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, parts.tls ? "https" : "http");
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    if (settings.acceptGzip)
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "gzip");
    if (!settings.agent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, settings.agent.c_str());
    if (!settings.referer.empty())
        curl_easy_setopt(easy, CURLOPT_REFERER, settings.referer.c_str());
    if (!settings.userName.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, settings.userName.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, settings.password.c_str());
    }
    if (!settings.postQuery.empty()) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, settings.postQuery.data());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(settings.postQuery.size()));
    }
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, fetch::kConnectTimeout);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, fetch::kStallTimeout);
    // An announced length over the bound fails before the body starts; a body that announces
    // nothing is counted as it arrives (onBody). A trickling server meets the deadline.
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(settings.maxBodySize));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, settings.deadlineMs);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
}

// Drives the transfer in short waits, so a stop request ends it within one wait even while
// the server says nothing.
CURLcode perform(CURL* easy, fetch::Control& control, bool& stopped) {
    CURLM* multi = curl_multi_init();
    if (!multi)
        return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, easy);
    CURLcode code = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        if (CURLMsg* message = curl_multi_info_read(multi, &queued);
            message && message->msg == CURLMSG_DONE) {
            code = message->data.result;
            break;
        }
        if (control.stopRequested()) {
            stopped = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return code;
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
solmarinRunFetch(const fetch::Settings& settings, fetch::Result& result, fetch::Control& control) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    if (control.stopRequested()) {
        result.error = "stopped";
        return;
    }
    const fetch::UrlParts parts = fetch::splitUrl(settings.url);
    if (!parts.valid) {
        result.error = "the address names no host and path";
        return;
    }
    CURL* easy = curl_easy_init();
    if (!easy) {
        result.error = "the transfer cannot be set up";
        return;
    }
    curl_slist* headers = nullptr;
    for (const std::string& line : fetch::requestHeaders(settings))
        headers = curl_slist_append(headers, line.c_str());
    if (settings.agent.empty())
        headers = curl_slist_append(headers, "User-Agent:");
    Transfer transfer{settings, result, control};
    const std::string url = address(parts);
    setOptions(easy, transfer, parts, headers, url);

    bool stopped = false;
    const CURLcode code = perform(easy, control, stopped);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    result.status = int(status);
    curl_easy_cleanup(easy);
    curl_slist_free_all(headers);

    // A body cut short (fewer bytes than announced, a length that is no number) is never
    // passed off as the whole one.
    if (stopped || control.stopRequested())
        result.error = "stopped";
    else if (transfer.refused)
        result.error = "no Content-Length for binary data";
    else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        result.error = "the body is larger than " + std::to_string(settings.maxBodySize) + " bytes";
    else if (transfer.headerTooLarge)
        result.error = "the headers are too long";
    else if (transfer.badContentLength)
        result.error = "the Content-Length is no number";
    else if (code != CURLE_OK)
        result.error = curl_easy_strerror(code);
    else if (result.readed == 0)
        result.error = "the body is empty";
    result.success = result.error.empty();
}
