#pragma once
// The user's language for the window's texts, through GNU gettext. The
// catalogue is the one the environment asks for (LANGUAGE, then LC_ALL,
// LC_MESSAGES, LANG, as every gettext program reads them): Chinese locales get
// the program's original Chinese texts, and a language without a catalogue
// gets the English texts written in the code, which are the catalogues' keys.
#include <cstdio>
#include <string>

// Marks a text for the catalogue template where it is defined; tr translates
// it where it is used.
#define N_(text) text

namespace ovek {

// The catalogue domain: <folder>/<language>/LC_MESSAGES/pexolen.mo.
constexpr const char* kTextDomain = "pexolen";

// Takes the language from the environment and reads the catalogues below
// folder. Call before the first tr, and again after changing the environment.
void startTranslation(const std::string& folder);

// msgid in the user's language, in UTF-8; msgid itself when no catalogue has
// it or before startTranslation. The text lives until the program ends, so a
// widget may keep the pointer.
const char* tr(const char* msgid);

// The translated msgid, a printf format taking only strings (%s, or %1$s and
// %2$s where a language needs another order), filled with args.
template <class... Strings>
std::string trFormat(const char* msgid, const Strings&... args)
{
    const char* format = tr(msgid);
    const int n = std::snprintf(nullptr, 0, format, std::string(args).c_str()...);
    if (n <= 0)
        return n == 0 ? std::string() : format;
    std::string out(size_t(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, std::string(args).c_str()...);
    out.resize(size_t(n));
    return out;
}

// A file dialog's filter list ("label\0pattern\0" pairs, ending with an empty
// label) with its labels in the user's language.
std::string trFilter(const char* filter);

// The language of the catalogue in use, as its header names it without the
// country ("zh", "en", "de"); "en" when no catalogue is in use.
std::string uiLanguage();

}  // namespace ovek
