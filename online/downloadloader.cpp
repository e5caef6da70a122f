// Runs a download through the download module, loaded beside the executable with the first one.
#include "downloadcore.h"

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

RunDownload loadModule(std::string& error) {
    static std::once_flag once;
    static RunDownload entry = nullptr;
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
        entry = reinterpret_cast<RunDownload>(::dlsym(module, kRunDownloadSymbol));
        if (!entry)
            loadError = "the download module has no entry point";
    });
    error = loadError;
    return entry;
}

} // namespace

void run(const Job& job, Answer& answer) {
    answer = Answer();
    std::string error;
    const RunDownload entry = loadModule(error);
    if (!entry) {
        answer.failure = Failure::Other;
        answer.message = error;
        return;
    }
    entry(job, answer);
}

} // namespace download
