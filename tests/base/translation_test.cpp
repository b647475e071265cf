// The window's language follows the environment as every gettext program's
// does, and the Chinese catalogue holds the program's original texts.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/base/language_env.h"

namespace {

using testutil::LanguageEnv;
using testutil::useLanguage;

const char kUndo[] = "Undo (Ctrl+Z)";
const char kUndoChinese[] = "\xe6\x92\xa4\xe9\x94\x80 (Ctrl+Z)";   // 撤销

class Translation : public ::testing::Test {
protected:
    void TearDown() override { testutil::useEnglish(); }
};

// What each environment gives: the catalogue in use and one text.
struct Case {
    LanguageEnv env;
    const char* language;
    const char* undo;
};

void expectCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        useLanguage(c.env);
        SCOPED_TRACE(std::string("LANGUAGE=") + (c.env.language ? c.env.language : "-") +
                     " LC_ALL=" + (c.env.lcAll ? c.env.lcAll : "-") +
                     " LC_MESSAGES=" + (c.env.lcMessages ? c.env.lcMessages : "-") +
                     " LANG=" + (c.env.lang ? c.env.lang : "-"));
        EXPECT_EQ(ovek::uiLanguage(), c.language);
        EXPECT_STREQ(ovek::tr(kUndo), c.undo);
    }
}

TEST_F(Translation, LanguageListPicksTheFirstLanguageWithACatalogueUnlessTheLocaleIsC)
{
    expectCases({
        {{"zh", "C.UTF-8", nullptr, nullptr}, "zh", kUndoChinese},
        {{"zh_TW", "C.UTF-8", nullptr, nullptr}, "zh", kUndoChinese},   // every zh* locale
        {{"fr:zh_CN:en", "C.UTF-8", nullptr, nullptr}, "zh", kUndoChinese},
        {{"fr", "C.UTF-8", nullptr, nullptr}, "en", kUndo},   // no catalogue: the English keys
        {{"en:zh", "C.UTF-8", nullptr, nullptr}, "en", kUndo},
        // The C locale means "untranslated", whatever LANGUAGE says.
        {{"zh", "C", nullptr, nullptr}, "en", kUndo},
        {{"zh", nullptr, nullptr, nullptr}, "en", kUndo},
    });
}

TEST_F(Translation, LocaleVariablesCountInTheUsualOrder)
{
    if (!std::filesystem::exists(PEXOLEN_TEST_LOCPATH "/zh_CN.UTF-8"))
        GTEST_SKIP() << "no zh_CN.UTF-8 locale: run with its fixture (ctest -R translation)";
    const char* zh = "zh_CN.UTF-8";
    expectCases({
        {{nullptr, nullptr, nullptr, zh}, "zh", kUndoChinese},
        {{nullptr, nullptr, zh, "C.UTF-8"}, "zh", kUndoChinese},
        {{nullptr, "C.UTF-8", zh, zh}, "en", kUndo},    // LC_ALL wins
        {{nullptr, nullptr, "C.UTF-8", zh}, "en", kUndo},   // LC_MESSAGES before LANG
        {{"en", nullptr, nullptr, zh}, "en", kUndo},    // LANGUAGE first of all
        {{"de:zh", nullptr, nullptr, "C.UTF-8"}, "zh", kUndoChinese},
        {{nullptr, nullptr, nullptr, "zh_SG.UTF-8"}, "en", kUndo},   // not installed: untranslated
    });
}

TEST_F(Translation, FormatsFillTheirStringsInTheTranslatedOrder)
{
    testutil::useChinese();
    EXPECT_EQ(ovek::trFormat("Cannot open '%s':\n%s", "a.3ds", "too short"),
              "\xe6\x97\xa0\xe6\xb3\x95\xe6\x89\x93\xe5\xbc\x80\xe2\x80\x9c" "a.3ds"
              "\xe2\x80\x9d\xef\xbc\x9a\n" "too short");
    testutil::useEnglish();
    // A key no catalogue has is its own text, with its strings filled in.
    EXPECT_EQ(ovek::trFormat("%s and %s", "a", std::string(5000, 'b')),
              "a and " + std::string(5000, 'b'));
    EXPECT_STREQ(ovek::tr(""), "");
    EXPECT_STREQ(ovek::tr(nullptr), "");
}

TEST_F(Translation, AMissingCatalogueFolderLeavesTheEnglishTexts)
{
    useLanguage({"zh", "C.UTF-8", nullptr, nullptr}, "/nonexistent/locale");
    EXPECT_STREQ(ovek::tr(kUndo), kUndo);
    EXPECT_EQ(ovek::uiLanguage(), "en");
}

}  // namespace
