// account-generator-cli: the window's accounts for scripts and large volumes.
// The same fragment generators, seeding and line format as "生成账号", written
// as a stream (memory does not grow with the count) to standard output or,
// safely, to a file.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_set>

#include "accounts/account_format.h"
#include "accounts/fragments.h"
#include "accounts/random.h"
#include "cli/options.h"
#include "export/file_writer.h"
#include "text/cp936.h"
#include "text/number.h"

namespace {

constexpr const char* kName = "account-generator-cli";
constexpr const char* kVersionText = "1.0.0";

std::uint32_t g_seed = 0;
std::uint32_t SeedTick() { return g_seed; }

// How many distinct accounts the format can give, up to `enough`.
std::uint64_t DistinctAccounts(std::int32_t letters, std::int32_t hanzi, std::int32_t digits, std::uint64_t enough) {
    std::uint64_t total = 1;
    auto times = [&](std::int32_t n, std::uint64_t choices) {
        for (std::int32_t i = 0; i < n && total <= enough; ++i) total *= choices;
    };
    times(letters, 26);
    times(hanzi, 1849);
    times(digits, 10);
    return total;
}

// Where the lines go: standard output, or a file that takes its place only
// when complete. Buffered; errors are kept as errno values.
class Output {
public:
    explicit Output(const std::optional<std::string>& path) : path_(path) { buffer_.reserve(kBufferBytes + 4096); }

    int Open() { return path_ ? file_.Open(*path_).error : 0; }
    void Append(std::string_view bytes) {
        buffer_.append(bytes.data(), bytes.size());
        if (buffer_.size() >= kBufferBytes) Flush();
    }
    int Flush() {
        if (error_ || buffer_.empty()) return error_;
        error_ = path_ ? file_.Write(buffer_).error : WriteStandardOutput(buffer_);
        buffer_.clear();
        return error_;
    }
    int Finish() {
        if (Flush()) return error_;
        return path_ ? file_.Commit().error : 0;
    }
    std::string Where() const { return path_ ? "'" + *path_ + "'" : std::string("standard output"); }

private:
    static constexpr std::size_t kBufferBytes = 1 << 20;

    static int WriteStandardOutput(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return 0;
    }

    std::optional<std::string> path_;
    SafeFileWriter file_;
    std::string buffer_;
    int error_ = 0;
};

// A bar on standard error for writes to a file that take more than a moment.
class Progress {
public:
    Progress(bool wanted, std::int64_t total)
        : wanted_(wanted && isatty(STDERR_FILENO)), total_(total), start_(std::chrono::steady_clock::now()) {}
    ~Progress() {
        if (shown_) std::fprintf(stderr, "\r%60s\r", "");
    }
    void Update(std::int64_t done) {
        if (!wanted_ || (done & 0xFFF) != 0) return;
        const auto now = std::chrono::steady_clock::now();
        if (!shown_ && now - start_ < std::chrono::milliseconds(500)) return;
        if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
        shown_ = true;
        last_ = now;
        const int width = 30;
        const int filled = static_cast<int>(width * done / total_);
        std::fprintf(stderr, "\r[%.*s%.*s] %3d%% %lld/%lld", filled, "##############################", width - filled,
                     "..............................", static_cast<int>(100 * done / total_),
                     static_cast<long long>(done), static_cast<long long>(total_));
        std::fflush(stderr);
    }

private:
    bool wanted_;
    bool shown_ = false;
    std::int64_t total_;
    std::chrono::steady_clock::time_point start_, last_;
};

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "%s: %s\n", kName, message.c_str());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    signal(SIGPIPE, SIG_DFL);  // a closed pipe ends us quietly, as it ends any filter
    signal(SIGXFSZ, SIG_IGN);  // a file-size limit is an error to report, with the old file kept

    CliOptions options;
    switch (ParseCommandLine(argc, argv, options)) {
    case ParseOutcome::Help: PrintHelp(); return 0;
    case ParseOutcome::Version: std::printf("%s %s\n", kName, kVersionText); return 0;
    case ParseOutcome::BadUse: return 2;
    case ParseOutcome::Run: break;
    }

    const Text counts[3] = {TextFromUtf8(options.letters), TextFromUtf8(options.hanzi), TextFromUtf8(options.digits)};
    const FormatVerdict verdict = CheckFormat([&](int box, Text& out) {
        out = counts[box];
        return true;
    });
    if (verdict != FormatVerdict::Valid) {
        std::fprintf(stderr, "请正确设置账号格式！\n");
        return 2;
    }
    const std::int32_t letters = TextToInt(counts[0]), hanzi = TextToInt(counts[1]), digits = TextToInt(counts[2]);
    const std::int32_t count = TextToInt(TextFromUtf8(options.count));

    std::string domain;
    if (options.domain) {
        const Text domainText = TextFromUtf8(*options.domain);
        if (!options.utf8) {
            if (const auto bad = FindUnsavable(domainText.view())) {
                return Fail("the domain holds " + DescribeCharacter(bad->codePoint) +
                                ", which GBK cannot hold; use --encoding utf-8",
                            2);
            }
        }
        domain = "@" + (options.utf8 ? Cp936ToUtf8(domainText.view()) : std::string(domainText.view()));
    }
    if (options.unique && count > 0) {
        const std::uint64_t distinct = DistinctAccounts(letters, hanzi, digits, static_cast<std::uint64_t>(count));
        if (distinct < static_cast<std::uint64_t>(count)) {
            return Fail("--unique: this format gives only " + std::to_string(distinct) +
                            " distinct accounts, fewer than the " + std::to_string(count) + " asked for",
                        2);
        }
    }
    if (options.seed) {
        g_seed = *options.seed;
        SetTickSource(&SeedTick);
    }

    Output out(options.output);
    if (const int error = out.Open()) return Fail("cannot write " + out.Where() + ": " + std::strerror(error), 1);
    Progress progress(options.output.has_value(), count);
    std::unordered_set<std::string> seen;
    std::int64_t tries = 0;
    const std::int64_t maximumTries = static_cast<std::int64_t>(count) * 100 + 1000;
    for (std::int64_t made = 0; made < count;) {
        // In this order, as the window draws them.
        const Text letterPart = RandomLetters(letters);
        const Text hanziPart = RandomHanzi(hanzi);
        const Text digitPart = RandomDigits(digits);
        if (options.unique) {
            if (++tries > maximumTries) {
                return Fail("--unique: no new account found after " + std::to_string(tries - 1) + " tries", 1);
            }
            if (!seen.emplace(ConcatText(letterPart, hanziPart, digitPart).view()).second) continue;
        }
        for (const Text* part : {&letterPart, &hanziPart, &digitPart}) {
            if (options.utf8) {
                out.Append(Cp936ToUtf8(part->view()));
            } else {
                out.Append(part->view());
            }
        }
        out.Append(domain);
        out.Append("\r\n");
        progress.Update(++made);
        if ((made & 0xFFFF) == 0 && out.Flush()) break;
    }
    if (const int error = out.Finish()) {
        if (error == EPIPE) return 0;  // the reader has all it wanted
        return Fail("cannot write " + out.Where() + ": " + std::strerror(error), 1);
    }
    return 0;
}
