#include "animation/numbered_name.h"

#include <cctype>
#include <cstdio>

namespace ovek {

namespace {

// Reads the field at name[i] == '%': sets its width, zero padding and length.
// False for anything but "%[0][width]d" with a width of one digit.
bool readField(const std::string& name, size_t i, bool& zeros, int& width, size_t& length)
{
    size_t j = i + 1;
    zeros = j < name.size() && name[j] == '0';
    if (zeros)
        ++j;
    width = 0;
    if (j < name.size() && std::isdigit(static_cast<unsigned char>(name[j])))
        width = name[j++] - '0';
    if (j >= name.size() || name[j] != 'd')
        return false;
    length = j + 1 - i;
    return true;
}

}  // namespace

bool isNumberedName(const std::string& name)
{
    int fields = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '%')
            continue;
        if (i + 1 < name.size() && name[i + 1] == '%') {
            ++i;
            continue;
        }
        bool zeros = false;
        int width = 0;
        size_t length = 0;
        if (!readField(name, i, zeros, width, length))
            return false;
        ++fields;
        i += length - 1;
    }
    return fields == 1;
}

std::string numberedName(const std::string& name, int number)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '%') {
            out += name[i];
            continue;
        }
        if (i + 1 < name.size() && name[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool zeros = false;
        int width = 0;
        size_t length = 0;
        if (!readField(name, i, zeros, width, length))
            return out + name.substr(i);
        char digits[32];
        std::snprintf(digits, sizeof digits, zeros ? "%0*d" : "%*d", width, number);
        out += digits;
        i += length - 1;
    }
    return out;
}

}  // namespace ovek
