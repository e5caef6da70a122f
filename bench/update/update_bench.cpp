// The update's costs: downloading an installer from a server on the loopback interface into a
// file, and checking its (prehashed) signature, by installer size.
#include "downloadcore.h"
#include "httpprot.h"
#include "loopbackserver.h"
#include "minisign.h"
#include "minisignkeys.h"

#include <benchmark/benchmark.h>
#include <sodium.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

// A file of `size` bytes and its signature by a fresh key, in minisign's format.
struct Signed {
    std::string path = "/tmp/solmarin-update-bench.bin";
    testkeys::KeyPair keys;
    std::string key = keys.publicLine();
    std::string signature;

    explicit Signed(std::int64_t size) {
        std::string content(static_cast<std::size_t>(size), '\0');
        randombytes_buf(content.data(), content.size());
        std::ofstream(path, std::ios::binary) << content;
        signature = keys.sign(content, true);
    }
    ~Signed() { std::remove(path.c_str()); }
};

void BM_Verify(benchmark::State& state) {
    if (sodium_init() < 0)
        state.SkipWithError("libsodium");
    const Signed file(state.range(0) * kMiB);
    for (auto _ : state)
        if (minisign::verifyFile(file.path, file.signature, file.key) != minisign::Verdict::Good)
            state.SkipWithError("signature refused");
    state.SetBytesProcessed(state.iterations() * state.range(0) * kMiB);
}
BENCHMARK(BM_Verify)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_Download(benchmark::State& state) {
    const std::string body(static_cast<std::size_t>(state.range(0) * kMiB), 'x');
    LoopbackServer server([&](int fd, const std::string&) {
        LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: " +
                                     std::to_string(body.size()) + "\r\n\r\n" + body);
    });
    const std::string path = "/tmp/solmarin-update-bench.dl";
    THttpCli client;
    client.URL = server.url("/solmarin/solmarinsetup.sh");
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        client.ReceiveStream = &out;
        client.GetDocument();
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(state.iterations() * state.range(0) * kMiB);
}
BENCHMARK(BM_Download)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
