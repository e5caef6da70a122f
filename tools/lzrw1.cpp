// lzrw1: packs, restores and advises on files in the compressor's container format, for
// inspecting and repairing tally files by hand.
#include "lzrw1.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: lzrw1 c [--fast|--good|--auto] INPUT OUTPUT   compress (default --good)\n"
                 "       lzrw1 d INPUT OUTPUT                           decompress either form\n"
                 "       lzrw1 a INPUT                                  advise fast or good\n";
    return 2;
}

bool parseMode(const std::string& option, TCompressMode* mode) {
    if (option == "--fast") {
        *mode = TCompressMode::Fast;
    } else if (option == "--good") {
        *mode = TCompressMode::Good;
    } else if (option == "--auto") {
        *mode = TCompressMode::Auto;
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    const std::string& command = args[0];
    Tlzrw1 doit;
    try {
        if (command == "c") {
            std::size_t first = 1;
            if (args.size() > 1 && args[1].rfind("--", 0) == 0) {
                if (!parseMode(args[1], &doit.CompressMode)) {
                    return usage();
                }
                first = 2;
            }
            if (args.size() != first + 2) {
                return usage();
            }
            doit.InputFile = args[first];
            doit.OutputFile = args[first + 1];
            doit.Compress();
            std::cout << doit.Caption << '\n';
        } else if (command == "d") {
            if (args.size() != 3) {
                return usage();
            }
            doit.InputFile = args[1];
            doit.OutputFile = args[2];
            doit.Decompress();
            std::cout << doit.Caption << '\n';
        } else if (command == "a") {
            if (args.size() != 2) {
                return usage();
            }
            doit.InputFile = args[1];
            const TCompressMode advice = doit.Advise();
            std::cout << (advice == TCompressMode::Fast ? "fast" : "good") << '\n'
                      << doit.Caption << '\n';
        } else {
            return usage();
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
