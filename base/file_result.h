#pragma once
#include <string>

namespace ovek {

// Outcome of reading or writing a file: ok, or the reason a person can read.
// A file read in part (damage skipped, what was there kept) is ok with a
// warning for the caller to show.
struct FileResult {
    bool ok = true;
    std::string error;    // empty when ok
    std::string warning;  // empty unless ok with damage skipped

    static FileResult success() { return {}; }
    static FileResult failure(std::string why) { return {false, std::move(why), {}}; }
    static FileResult withWarning(std::string what) { return {true, {}, std::move(what)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace ovek
