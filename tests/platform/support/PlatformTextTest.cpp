// The platform's own texts: which language the environment asks for, and sentences whose
// words stand in another order in Japanese.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "PlatformText.h"

namespace {

using BPrivate::PlatformLanguage;
using BPrivate::PlatformTextId;

using Environment = std::map<std::string, std::string>;

PlatformLanguage Choose(const Environment& environment)
{
	return BPrivate::language_from_environment([&](const char* name) -> const char* {
		auto found = environment.find(name);
		return found == environment.end() ? nullptr : found->second.c_str();
	});
}

const PlatformLanguage kEnglish = PlatformLanguage::kEnglish;
const PlatformLanguage kJapanese = PlatformLanguage::kJapanese;

TEST(PlatformTextTest, TheFirstLocaleVariableSetNamesTheLanguage)
{
	struct Case {
		Environment environment;
		PlatformLanguage expected;
	};
	const Case cases[] = {
	    {{}, kEnglish},
	    {{{"LANG", "ja_JP.UTF-8"}}, kJapanese},
	    {{{"LANG", "ja_JP"}}, kJapanese},
	    {{{"LANG", "ja"}}, kJapanese},
	    {{{"LANG", "ja_JP.eucJP"}}, kJapanese},
	    {{{"LANG", "C"}}, kEnglish},
	    {{{"LANG", "C.UTF-8"}}, kEnglish},
	    {{{"LANG", "POSIX"}}, kEnglish},
	    {{{"LANG", "en_US.UTF-8"}}, kEnglish},
	    {{{"LANG", "de_DE.UTF-8"}}, kEnglish},
	    // Another language whose code begins with the same letters is not Japanese.
	    {{{"LANG", "jam"}}, kEnglish},
	    // LC_ALL before LC_MESSAGES before LANG, and an empty one counts as unset.
	    {{{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, kEnglish},
	    {{{"LC_ALL", ""}, {"LANG", "ja_JP.UTF-8"}}, kJapanese},
	    {{{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, kJapanese},
	    {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, kEnglish},
	};
	for (const Case& test : cases) {
		std::string shown;
		for (const auto& [name, value] : test.environment)
			shown += name + "=" + value + " ";
		EXPECT_EQ(Choose(test.environment), test.expected) << shown;
	}
}

TEST(PlatformTextTest, LanguageListsComeFirstUnlessTheLocaleIsC)
{
	// As gettext reads it: the first entry in a language we have wins, others are passed over,
	// and the C locale ignores the list.
	EXPECT_EQ(Choose({{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}), kJapanese);
	EXPECT_EQ(Choose({{"LANGUAGE", "fr:en_GB:ja"}, {"LANG", "ja_JP.UTF-8"}}), kEnglish);
	EXPECT_EQ(Choose({{"LANGUAGE", ":fr::ja_JP"}, {"LANG", "de_DE.UTF-8"}}), kJapanese);
	EXPECT_EQ(Choose({{"LANGUAGE", "fr:de"}, {"LANG", "ja_JP.UTF-8"}}), kJapanese);
	EXPECT_EQ(Choose({{"LANGUAGE", ""}, {"LANG", "ja_JP.UTF-8"}}), kJapanese);
	EXPECT_EQ(Choose({{"LANGUAGE", "ja"}, {"LANG", "C.UTF-8"}}), kEnglish);
	EXPECT_EQ(Choose({{"LANGUAGE", "ja"}}), kEnglish);
}

TEST(PlatformTextTest, ArgumentsTakeTheirPlaceInEachLanguageAndAreNotReadAgain)
{
	BPrivate::set_platform_language(kJapanese);
	EXPECT_EQ(BPrivate::platform_text(
	              PlatformTextId::kCannotOpenFolder,
	              {"/srv", BPrivate::platform_text(PlatformTextId::kReasonNotAFolder)}),
	          "「/srv」を開けません：フォルダーではありません。");
	BPrivate::set_platform_language(kEnglish);
	EXPECT_EQ(BPrivate::platform_text(
	              PlatformTextId::kCannotOpenFolder,
	              {"/srv", BPrivate::platform_text(PlatformTextId::kReasonNotAFolder)}),
	          "Cannot open \"/srv\": it is not a folder.");
	// A file may be named "%2" or "100%1"; its name is shown as it is.
	EXPECT_EQ(BPrivate::platform_text(PlatformTextId::kReplaceQuestion, {"100%1%2"}),
	          "\"100%1%2\" already exists in this folder. Replace it?");
	EXPECT_EQ(BPrivate::platform_language(), kEnglish);
}

} // namespace
