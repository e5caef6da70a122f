// Runs a download through the download module, loaded beside the executable with the first one.
#include "downloadcore.h"

#include "minisign.h"

#include <climits>
#include <mutex>

#include <dlfcn.h>
#include <unistd.h>

namespace download {

namespace {

std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string file(path, std::size_t(length));
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

struct Entries {
    RunDownload run = nullptr;
    VerifyFile verify = nullptr;
};

Entries loadModule(std::string& error) {
    static std::once_flag once;
    static Entries entry;
    static std::string loadError;
    std::call_once(once, [] {
        // Only the module built beside this executable is used, never one from the library
        // search path.
        const std::string path = programFolder() + "/" + SOLMARIN_DOWNLOAD_MODULE;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = ::dlerror();
            loadError = why ? why : "the download module cannot be loaded";
            return;
        }
        entry.run = reinterpret_cast<RunDownload>(::dlsym(module, kRunDownloadSymbol));
        entry.verify = reinterpret_cast<VerifyFile>(::dlsym(module, kVerifyFileSymbol));
        if (!entry.run || !entry.verify) {
            entry = Entries();
            loadError = "the download module has no entry point";
        }
    });
    error = loadError;
    return entry;
}

} // namespace

void run(const Job& job, Answer& answer) {
    answer = Answer();
    std::string error;
    const Entries entry = loadModule(error);
    if (!entry.run) {
        answer.failure = Failure::Other;
        answer.message = error;
        return;
    }
    entry.run(job, answer);
}

int verifyFile(const std::string& path, const std::string& signature,
               const std::string& publicKey) {
    std::string error;
    const Entries entry = loadModule(error);
    if (!entry.verify)
        return static_cast<int>(minisign::Verdict::Malformed);
    return entry.verify(path, signature, publicKey);
}

} // namespace download
