// Runs a download through the download module, loaded with the first one.
#include "downloadcore.h"

#include "minisign.h"
#include "modulepath.h"

#include <mutex>

#include <dlfcn.h>

namespace download {

namespace {

struct Entries {
    RunDownload run = nullptr;
    VerifyDescriptor verify = nullptr;
};

Entries loadModule(std::string& error) {
    static std::once_flag once;
    static Entries entry;
    static std::string loadError;
    std::call_once(once, [] {
        void* module = modulepath::load(SOLMARIN_DOWNLOAD_MODULE, "download module", loadError);
        if (!module)
            return;
        entry.run = reinterpret_cast<RunDownload>(::dlsym(module, kRunDownloadSymbol));
        entry.verify = reinterpret_cast<VerifyDescriptor>(::dlsym(module, kVerifyDescriptorSymbol));
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

int verifyDescriptor(int fd, const std::string& signature, const std::string& publicKey,
                     std::string& trustedComment) {
    std::string error;
    const Entries entry = loadModule(error);
    if (!entry.verify)
        return static_cast<int>(minisign::Verdict::Malformed);
    return entry.verify(fd, signature, publicKey, trustedComment);
}

} // namespace download
