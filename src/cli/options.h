#pragma once
// The command line of account-generator-cli.

#include <cstdint>
#include <optional>
#include <string>

struct CliOptions {
    // Counts stay texts, read as the window reads its boxes.
    std::string letters = "";
    std::string hanzi = "3";
    std::string digits = "5";
    std::string count = "100";
    std::optional<std::string> domain;
    std::optional<std::string> output;  // standard output when absent
    bool utf8 = false;
    std::optional<std::uint32_t> seed;
    bool unique = false;
};

enum class ParseOutcome { Run, Help, Version, BadUse };

// Reports bad use on standard error in the usual form.
ParseOutcome ParseCommandLine(int argc, char** argv, CliOptions& options);
void PrintHelp();
