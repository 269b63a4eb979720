#include <gtest/gtest.h>

#include <string>

#include <TLocale.h>

#include "../support/BStringPrinter.h"
#include "../support/TempFolder.h"

namespace {

// A folder laid out for LoadLanguageFile, with dictionaries of the program "app".
class TLocaleTest : public testing::Test {
protected:
	void WriteDictionary(const std::string& language, const std::string& lines)
	{
		fFolder.Write("Language/Dictionaries/app." + language, lines);
	}
	status_t Load(bool append = false)
	{
		return fLocale.LoadLanguageFile(fFolder.Path().c_str(), "app.txt", append);
	}
	std::string Text(const char* key) { return fLocale.GetString(key); }

	TempFolder fFolder;
	TLocale fLocale;
};

TEST_F(TLocaleTest, AnEmptyDictionaryGivesTheKeyBack)
{
	EXPECT_STREQ(fLocale.GetString("保存"), "保存");
	EXPECT_STREQ(fLocale.GetString(""), "");
	EXPECT_STREQ(fLocale.GetString((const char*)nullptr), "");
	EXPECT_STREQ(fLocale.GetString(BString("OK")), "OK");
	EXPECT_EQ(fLocale.CountEntries(), 0);
	EXPECT_EQ(fLocale.Language(), "");
	EXPECT_EQ(locale_text_with_default(fLocale, "app:name", "Glowplate"), "Glowplate");
	EXPECT_EQ(fLocale.RefreshDictionaries(), B_ERROR);
}

TEST_F(TLocaleTest, TheHandedOutTextOutlivesTheKeyAndTheDictionary)
{
	WriteDictionary("enUS", "保存\tSave\n");
	ASSERT_EQ(Load(), B_OK);
	const char* translated = fLocale.GetString("保存");
	const char* key;
	{
		BString temporary("not in the dictionary");
		key = fLocale.GetString(temporary);
	}
	WriteDictionary("enUS", "保存\tStore\n");
	ASSERT_EQ(Load(), B_OK);
	// Both pointers are read after their sources are gone; the sanitizers watch this.
	EXPECT_STREQ(translated, "Save");
	EXPECT_STREQ(key, "not in the dictionary");
	EXPECT_STREQ(fLocale.GetString("保存"), "Store");
	EXPECT_EQ(fLocale.GetString("保存"), fLocale.GetString("保存"));
}

TEST_F(TLocaleTest, ReadsEveryWordRule)
{
	WriteDictionary("enUS", "plain\tPlain text\n"
	                        "alone\n"
	                        "spaced key  \tSpaced\n"
	                        "\"tab\tkey\"\tTabbed\n"
	                        "\"quoted key\"   \"quoted text\"\n"
	                        "\"quote\" word\tfurther\n"
	                        "three\tcolumns\tignored\n"
	                        "  \t trimmed\ttext with end  \t\n"
	                        "gap\t  \t after tabs and spaces\n"
	                        "\"open quote\tnever closed\n"
	                        "empty text\t\"\"\n"
	                        "#comment\tnot a key\n"
	                        "   # indented comment\n"
	                        "\n"
	                        " \t \n"
	                        "\"# quoted hash\"\thash\n");
	ASSERT_EQ(Load(), B_OK);
	EXPECT_EQ(Text("plain"), "Plain text");
	EXPECT_EQ(Text("alone"), "alone");
	EXPECT_EQ(Text("spaced key  "), "Spaced");
	EXPECT_EQ(Text("spaced key"), "spaced key");
	EXPECT_EQ(Text("tab\tkey"), "Tabbed");
	EXPECT_EQ(Text("quoted key"), "quoted text");
	EXPECT_EQ(Text("quote"), "word");
	EXPECT_EQ(Text("three"), "columns");
	EXPECT_EQ(Text("trimmed"), "text with end");
	EXPECT_EQ(Text("gap"), "after tabs and spaces");
	EXPECT_EQ(Text("open quote\tnever closed"), "open quote\tnever closed");
	EXPECT_EQ(Text("empty text"), "empty text");
	EXPECT_EQ(Text("#comment"), "#comment");
	EXPECT_EQ(Text("# quoted hash"), "hash");
	EXPECT_EQ(fLocale.CountEntries(), 12);
}

TEST_F(TLocaleTest, ExtractWordReportsWhereTheNextWordStarts)
{
	int32 next = 99;
	EXPECT_EQ(TLocale::ExtractWord("key\t text", 0, next), "key");
	EXPECT_EQ(next, 5);
	EXPECT_EQ(TLocale::ExtractWord("key\t text", next, next), "text");
	EXPECT_EQ(next, B_ERROR);
	EXPECT_EQ(TLocale::ExtractWord("\"a\"b", 0, next), "a");
	EXPECT_EQ(next, 3);
	EXPECT_EQ(TLocale::ExtractWord("\"a\"  ", 0, next), "a");
	EXPECT_EQ(next, B_ERROR);
	EXPECT_EQ(TLocale::ExtractWord("word\t\t", 0, next), "word");
	EXPECT_EQ(next, B_ERROR);
	EXPECT_EQ(TLocale::ExtractWord("\"", 0, next), "");
	EXPECT_EQ(next, B_ERROR);
	// Positions outside the line, the no-position value included, give no word.
	EXPECT_EQ(TLocale::ExtractWord("abc", 3, next), "");
	EXPECT_EQ(next, B_ERROR);
	EXPECT_EQ(TLocale::ExtractWord("abc", B_ERROR, next), "");
	EXPECT_EQ(next, B_ERROR);
}

TEST_F(TLocaleTest, LaterLinesAndAppendedFilesOverride)
{
	WriteDictionary("enUS", "k\tfirst\nk\tsecond\nkeep\tkept\n");
	ASSERT_EQ(Load(), B_OK);
	EXPECT_EQ(Text("k"), "second");

	TempFolder other;
	other.Write("Language/Dictionaries/app.enUS", "k\tthird\nnew\tadded\n");
	ASSERT_EQ(fLocale.LoadLanguageFile(other.Path().c_str(), "app", true), B_OK);
	EXPECT_EQ(Text("k"), "third");
	EXPECT_EQ(Text("keep"), "kept");
	EXPECT_EQ(Text("new"), "added");

	// Without append, a load replaces the whole dictionary.
	ASSERT_EQ(Load(false), B_OK);
	EXPECT_EQ(Text("k"), "second");
	EXPECT_EQ(Text("new"), "new");
}

TEST_F(TLocaleTest, CrlfFilesGiveTheSameDictionary)
{
	WriteDictionary("enUS", "a\tA\r\n\"b b\"\t\"B B\"\r\n# note\r\nc\r\n\r\nd\tD");
	ASSERT_EQ(Load(), B_OK);
	EXPECT_EQ(Text("a"), "A");
	EXPECT_EQ(Text("b b"), "B B");
	EXPECT_EQ(Text("c"), "c");
	EXPECT_EQ(Text("d"), "D");
	EXPECT_EQ(fLocale.CountEntries(), 4);
}

TEST_F(TLocaleTest, LanguagesAndTheFallbackFile)
{
	WriteDictionary("enUS", "保存\tSave\n");
	EXPECT_EQ(fLocale.SetLanguage("frFR", false), B_OK);
	// No French file: the default language's file serves, the language stays French.
	ASSERT_EQ(Load(), B_OK);
	EXPECT_EQ(Text("保存"), "Save");
	EXPECT_EQ(fLocale.Language(), "frFR");

	WriteDictionary("frFR", "保存\tEnregistrer\n");
	EXPECT_EQ(fLocale.RefreshDictionaries(), B_OK);
	EXPECT_EQ(Text("保存"), "Enregistrer");

	EXPECT_EQ(fLocale.SetLanguage("enUS", false), B_OK);
	EXPECT_EQ(Text("保存"), "Enregistrer");
	EXPECT_EQ(fLocale.SetLanguage("enUS", true), B_OK);
	EXPECT_EQ(Text("保存"), "Save");
}

TEST_F(TLocaleTest, InvalidLanguageCodesChangeNothing)
{
	ASSERT_EQ(fLocale.SetLanguage("jaJP", false), B_OK);
	for (const BString& code :
	     {BString("en"), BString("EnUS"), BString("enus"), BString("enUSX"), BString(""),
	      BString("en/S"), BString(std::string_view("en\0S", 4)), BString("e1US")}) {
		EXPECT_EQ(fLocale.SetLanguage(code, true), B_ERROR) << code.String();
		EXPECT_EQ(fLocale.Language(), "jaJP");
	}
	EXPECT_TRUE(TLocale::IsValidLanguage("en_1"));
	EXPECT_TRUE(TLocale::IsValidLanguage("zhTW"));
}

TEST_F(TLocaleTest, AFailedLoadKeepsTheDictionary)
{
	WriteDictionary("enUS", "k\tv\n");
	ASSERT_EQ(Load(), B_OK);

	TempFolder empty;
	EXPECT_EQ(fLocale.LoadLanguageFile(empty.Path().c_str(), "app", false), B_ERROR);
	EXPECT_EQ(fLocale.LoadLanguageFile("", "app", false), B_ERROR);
	EXPECT_EQ(fLocale.LoadLanguageFile(fFolder.Path().c_str(), "", false), B_ERROR);
	// A folder where the dictionary file should be cannot be read as one.
	std::filesystem::create_directories(empty.Path("Language/Dictionaries/app.enUS"));
	EXPECT_EQ(fLocale.LoadLanguageFile(empty.Path().c_str(), "app", false), B_ERROR);
	EXPECT_EQ(Text("k"), "v");

	// The folder of the last good load is the one that a refresh reloads.
	ASSERT_EQ(fLocale.SetLanguage("enUS", false), B_OK);
	WriteDictionary("enUS", "k\tw\n");
	EXPECT_EQ(fLocale.RefreshDictionaries(), B_OK);
	EXPECT_EQ(Text("k"), "w");
}

TEST_F(TLocaleTest, LookupsWithADefault)
{
	WriteDictionary("enUS", "app:name\tGlowplate Maker\nself\n");
	ASSERT_EQ(Load(), B_OK);
	EXPECT_EQ(locale_text_with_default(fLocale, "app:name", "fallback"), "Glowplate Maker");
	EXPECT_EQ(locale_text_with_default(fLocale, "self", "fallback"), "fallback");
	EXPECT_EQ(locale_text_with_default(fLocale, "absent", "fallback"), "fallback");
	EXPECT_EQ(locale_text_with_default(fLocale, "absent", nullptr), "");
}

} // namespace
