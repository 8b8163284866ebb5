#include "cli/options.h"

#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kName = "account-generator-cli";

enum Option { kLetters = 1000, kHanzi, kDigits, kCount, kDomain, kOutput, kEncoding, kSeed, kUnique, kHelp, kVersion };

const option kOptions[] = {
    {"letters", required_argument, nullptr, kLetters}, {"hanzi", required_argument, nullptr, kHanzi},
    {"digits", required_argument, nullptr, kDigits},   {"count", required_argument, nullptr, kCount},
    {"domain", required_argument, nullptr, kDomain},   {"output", required_argument, nullptr, kOutput},
    {"encoding", required_argument, nullptr, kEncoding}, {"seed", required_argument, nullptr, kSeed},
    {"unique", no_argument, nullptr, kUnique},         {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},       {nullptr, 0, nullptr, 0},
};

void TryHelp() { std::fprintf(stderr, "Try '%s --help' for more information.\n", kName); }

}  // namespace

void PrintHelp() {
    std::printf(
        "Usage: %s [OPTION]...\n"
        "Write random accounts, one per line ended by CR LF: lowercase letters, then\n"
        "Chinese characters, then digits, as the window 账号生成器 makes them.\n"
        "\n"
        "  --letters N      lowercase letters per account (default: none)\n"
        "  --hanzi N        Chinese characters per account (default: 3)\n"
        "  --digits N       digits per account (default: 5)\n"
        "  --count N        number of accounts (default: 100)\n"
        "  --domain D       append \"@D\" to every account\n"
        "  --output FILE    write to FILE instead of standard output; FILE is replaced\n"
        "                   only once every line is written\n"
        "  --encoding E     gbk (default: code page 936, as the window exports) or utf-8\n"
        "  --seed N         read the tick count N at every seeding instead of the clock:\n"
        "                   the same command then writes the same bytes, so a list can\n"
        "                   be made again\n"
        "  --unique         no account twice; refused at once when the format has\n"
        "                   fewer distinct accounts than --count asks for\n"
        "  --help           show this help and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "Counts are read as the window reads its boxes: leading blanks and a sign are\n"
        "allowed, full-width digits count, the number ends at the first other\n"
        "character. A format whose three counts are all empty or \"0\" is refused.\n"
        "\n"
        "Exit status: 0 done, 1 the output could not be written, 2 bad use.\n",
        kName);
}

ParseOutcome ParseCommandLine(int argc, char** argv, CliOptions& options) {
    opterr = 1;
    optind = 1;
    for (;;) {
        const int option = getopt_long(argc, argv, "", kOptions, nullptr);
        if (option == -1) break;
        switch (option) {
        case kLetters: options.letters = optarg; break;
        case kHanzi: options.hanzi = optarg; break;
        case kDigits: options.digits = optarg; break;
        case kCount: options.count = optarg; break;
        case kDomain: options.domain = optarg; break;
        case kOutput: options.output = optarg; break;
        case kEncoding:
            if (std::strcmp(optarg, "gbk") == 0) {
                options.utf8 = false;
            } else if (std::strcmp(optarg, "utf-8") == 0) {
                options.utf8 = true;
            } else {
                std::fprintf(stderr, "%s: invalid argument '%s' for '--encoding'\nValid arguments are: gbk, utf-8\n",
                             kName, optarg);
                TryHelp();
                return ParseOutcome::BadUse;
            }
            break;
        case kSeed: {
            char* end = nullptr;
            errno = 0;
            const unsigned long long value = std::strtoull(optarg, &end, 10);
            if (!*optarg || *end || errno || value > 0xFFFFFFFFull || optarg[0] == '-') {
                std::fprintf(stderr, "%s: invalid seed '%s': a number from 0 to 4294967295\n", kName, optarg);
                TryHelp();
                return ParseOutcome::BadUse;
            }
            options.seed = static_cast<std::uint32_t>(value);
            break;
        }
        case kUnique: options.unique = true; break;
        case kHelp: return ParseOutcome::Help;
        case kVersion: return ParseOutcome::Version;
        default:  // getopt_long has said what is wrong
            TryHelp();
            return ParseOutcome::BadUse;
        }
    }
    if (optind < argc) {
        std::fprintf(stderr, "%s: unexpected argument '%s'\n", kName, argv[optind]);
        TryHelp();
        return ParseOutcome::BadUse;
    }
    return ParseOutcome::Run;
}
