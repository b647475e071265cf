#include "base/translation.h"

#include <libintl.h>

#include <clocale>
#include <cstring>

namespace ovek {

void startTranslation(const std::string& folder)
{
    // Only the messages' category: numbers keep the C locale's decimal point
    // and character handling stays as the toolkit set it.
    // A locale the system does not have means untranslated texts, also when
    // an earlier start chose another.
    if (!std::setlocale(LC_MESSAGES, ""))
        std::setlocale(LC_MESSAGES, "C");
    bindtextdomain(kTextDomain, folder.c_str());
    // The window shows UTF-8 whatever the locale's own character set.
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}

const char* tr(const char* msgid)
{
    // gettext reserves the empty key for the catalogue's header.
    if (!msgid || !*msgid)
        return "";
    return dgettext(kTextDomain, msgid);
}

std::string uiLanguage()
{
    const char* header = dgettext(kTextDomain, "");
    const char* field = header ? std::strstr(header, "Language: ") : nullptr;
    if (!field || (field != header && field[-1] != '\n'))
        return "en";
    field += std::strlen("Language: ");
    const size_t length = std::strcspn(field, "_.@\n");
    return length ? std::string(field, length) : std::string("en");
}

std::string trFilter(const char* filter)
{
    std::string out;
    for (const char* p = filter; *p;) {
        const char* pattern = p + std::strlen(p) + 1;
        out.append(tr(p)).push_back('\0');
        out.append(pattern).push_back('\0');
        p = pattern + std::strlen(pattern) + 1;
    }
    return out;   // c_str() adds the empty string that ends the list
}

}  // namespace ovek
