#include "toolkit/file_drop.h"

#include <cctype>

namespace ovek {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX escapes decoded; a '%' not followed by two hex digits stays as it is,
// as file managers leave such names.
std::string percentDecoded(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const int hi = s[i] == '%' && i + 2 < s.size() ? hexValue(s[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(s[i + 2]) : -1;
        if (lo >= 0) {
            out.push_back(char(hi * 16 + lo));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

bool startsWithNoCase(const std::string& s, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != prefix[i])
            return false;
    return true;
}

// The local path a line names, or "" when it names none.
std::string pathOfLine(const std::string& line)
{
    if (line.empty() || line[0] == '#')
        return "";
    std::string path;
    if (startsWithNoCase(line, "file:")) {
        std::string rest = line.substr(5);
        if (rest.rfind("//", 0) == 0) {
            // file://HOST/path: only this machine's files can be opened.
            const size_t slash = rest.find('/', 2);
            if (slash == std::string::npos)
                return "";
            const std::string host = rest.substr(2, slash - 2);
            if (!host.empty() && host != "localhost")
                return "";
            rest = rest.substr(slash);
        }
        path = percentDecoded(rest);
    } else {
        // Plain paths come undecoded: a '%' in them is part of the name.
        path = line;
    }
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos)
        return "";
    return path;
}

}  // namespace

std::vector<std::string> droppedFilePaths(const std::string& text)
{
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < text.size() && paths.size() < kMaxDroppedFiles) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (std::string path = pathOfLine(line); !path.empty())
            paths.push_back(std::move(path));
        start = end + 1;
    }
    return paths;
}

}  // namespace ovek
