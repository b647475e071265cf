#pragma once
// The environment a desktop gives a program about its language, set inside
// the test process, and translation restarted from it.
#include <cstdlib>
#include <string>

#include "base/translation.h"

namespace testutil {

struct LanguageEnv {
    const char* language = nullptr;     // LANGUAGE; null: unset
    const char* lcAll = nullptr;        // LC_ALL
    const char* lcMessages = nullptr;   // LC_MESSAGES
    const char* lang = nullptr;         // LANG
};

inline void setOrUnset(const char* name, const char* value)
{
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

// Sets the four variables, with the test's own locales reachable (LOCPATH),
// and restarts translation from folder (the build's catalogues by default).
inline void useLanguage(const LanguageEnv& env, const std::string& folder = PEXOLEN_LOCALE_DIR)
{
    setenv("LOCPATH", PEXOLEN_TEST_LOCPATH, 1);
    setOrUnset("LANGUAGE", env.language);
    setOrUnset("LC_ALL", env.lcAll);
    setOrUnset("LC_MESSAGES", env.lcMessages);
    setOrUnset("LANG", env.lang);
    ovek::startTranslation(folder);
}

// Chinese through LANGUAGE, on the C.UTF-8 locale every glibc system has.
inline void useChinese()
{
    useLanguage({"zh", "C.UTF-8", nullptr, nullptr});
}

inline void useEnglish()
{
    useLanguage({nullptr, "C", nullptr, nullptr});
}

}  // namespace testutil
