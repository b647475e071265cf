#pragma once
#include <string>

namespace ovek {

// Outcome of reading or writing a file: ok, or the reason a person can read.
struct FileResult {
    bool ok = true;
    std::string error;  // empty when ok

    static FileResult success() { return {}; }
    static FileResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace ovek
