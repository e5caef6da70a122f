// The update's costs: downloading an installer from a server on the loopback interface into a
// file, and checking its signature (prehashed and over the whole file), by installer size.
#include "downloadcore.h"
#include "httpprot.h"
#include "minisign.h"
#include "loopbackserver.h"

#include <benchmark/benchmark.h>
#include <sodium.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

std::string base64(const unsigned char* bytes, std::size_t size) {
    std::string out(sodium_base64_ENCODED_LEN(size, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(out.data(), out.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
    out.pop_back();
    return out;
}

// A file of `size` bytes and its signature by a fresh key, in minisign's format.
struct Signed {
    std::string path = "/tmp/solmarin-update-bench.bin";
    std::string key;
    std::string signature;

    Signed(std::int64_t size, bool prehashed) {
        std::string content(static_cast<std::size_t>(size), '\0');
        randombytes_buf(content.data(), content.size());
        std::ofstream(path, std::ios::binary) << content;
        unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES], id[8];
        crypto_sign_keypair(pk, sk);
        randombytes_buf(id, sizeof id);
        std::vector<unsigned char> message(content.begin(), content.end());
        if (prehashed) {
            message.assign(crypto_generichash_BYTES_MAX, 0);
            crypto_generichash(message.data(), message.size(),
                               reinterpret_cast<const unsigned char*>(content.data()),
                               content.size(), nullptr, 0);
        }
        unsigned char sig[crypto_sign_BYTES], global[crypto_sign_BYTES];
        crypto_sign_detached(sig, nullptr, message.data(), message.size(), sk);
        const std::string comment = "bench";
        std::vector<unsigned char> both(sig, sig + sizeof sig);
        both.insert(both.end(), comment.begin(), comment.end());
        crypto_sign_detached(global, nullptr, both.data(), both.size(), sk);
        std::vector<unsigned char> keyLine = {'E', 'd'},
                                   sigLine = {'E',
                                              static_cast<unsigned char>(prehashed ? 'D' : 'd')};
        keyLine.insert(keyLine.end(), id, id + 8);
        keyLine.insert(keyLine.end(), pk, pk + sizeof pk);
        sigLine.insert(sigLine.end(), id, id + 8);
        sigLine.insert(sigLine.end(), sig, sig + sizeof sig);
        key = base64(keyLine.data(), keyLine.size());
        signature = "untrusted comment: x\n" + base64(sigLine.data(), sigLine.size()) +
                    "\ntrusted comment: " + comment + "\n" + base64(global, sizeof global) + "\n";
    }
    ~Signed() { std::remove(path.c_str()); }
};

void BM_Verify(benchmark::State& state, bool prehashed) {
    if (sodium_init() < 0)
        state.SkipWithError("libsodium");
    const Signed file(state.range(0) * kMiB, prehashed);
    for (auto _ : state)
        if (minisign::verifyFile(file.path, file.signature, file.key) != minisign::Verdict::Good)
            state.SkipWithError("signature refused");
    state.SetBytesProcessed(state.iterations() * state.range(0) * kMiB);
}
BENCHMARK_CAPTURE(BM_Verify, prehashed, true)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Verify, whole_file, false)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

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
