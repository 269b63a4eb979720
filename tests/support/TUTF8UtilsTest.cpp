#include <gtest/gtest.h>

#include <TUTF8Utils.h>

#include "BStringPrinter.h"

namespace {

// a (1 byte), é (2 bytes), 各 (3 bytes): six bytes, three characters.
const BString kText("a\xC3\xA9\xE5\x90\x84");
const BString kE("\xC3\xA9");
const BString kKaku("\xE5\x90\x84");

TEST(TUTF8UtilsTest, ClassifiesLeadBytes)
{
	EXPECT_TRUE(TUTF8Utils::IsAscii(0x7F));
	EXPECT_FALSE(TUTF8Utils::IsAscii((char)0x80));
	EXPECT_TRUE(TUTF8Utils::IsTrailing((char)0x80));
	EXPECT_TRUE(TUTF8Utils::IsTrailing((char)0xBF));
	EXPECT_FALSE(TUTF8Utils::IsTrailing((char)0xC0));
	EXPECT_FALSE(TUTF8Utils::IsTrailing('A'));

	const struct {
		uint8 byte;
		int32 length;
	} cases[] = {{0x00, 1}, {0x7F, 1}, {0x80, 1}, {0xBF, 1}, {0xC0, 2}, {0xDF, 2},
	             {0xE0, 3}, {0xEF, 3}, {0xF0, 4}, {0xF7, 4}, {0xF8, 5}, {0xFB, 5},
	             {0xFC, 6}, {0xFD, 6}, {0xFE, 7}, {0xFF, 7}};
	for (const auto& c : cases)
		EXPECT_EQ(TUTF8Utils::NumBytes((char)c.byte), c.length) << std::hex << (int)c.byte;
}

TEST(TUTF8UtilsTest, CountsAndLocatesCharacters)
{
	EXPECT_EQ(TUTF8Utils::Length(""), 0);
	EXPECT_EQ(TUTF8Utils::Length("a"), 1);
	EXPECT_EQ(TUTF8Utils::Length(kE), 1);
	EXPECT_EQ(TUTF8Utils::Length(kText), 3);

	EXPECT_EQ(TUTF8Utils::Position(kText, -5), 0);
	EXPECT_EQ(TUTF8Utils::Position(kText, 0), 0);
	EXPECT_EQ(TUTF8Utils::Position(kText, 1), 1);
	EXPECT_EQ(TUTF8Utils::Position(kText, 2), 3);
	EXPECT_EQ(TUTF8Utils::Position(kText, 3), 6);
}

TEST(TUTF8UtilsTest, IndicesPastTheEndClampToTheEnd)
{
	EXPECT_EQ(TUTF8Utils::Position(kText, 4), 6);
	EXPECT_EQ(TUTF8Utils::Position(kText, INT32_MAX), 6);
	EXPECT_EQ(TUTF8Utils::Position("", 3), 0);
	EXPECT_EQ(TUTF8Utils::SubString(kText, 2, INT32_MAX), kKaku);
	EXPECT_EQ(TUTF8Utils::SubString(kText, 7, 2), "");
	EXPECT_EQ(TUTF8Utils::SubString(kText, -1, 2), "a");
	EXPECT_EQ(TUTF8Utils::SubString(kText, 1, -1), "");

	BString text = kText;
	TUTF8Utils::Erase(text, 1, 100);
	EXPECT_EQ(text, "a");
	text = kText;
	TUTF8Utils::Replace(text, 5, 5, "z");
	EXPECT_EQ(text, kText + "z");
}

TEST(TUTF8UtilsTest, CutsByCharacterPositions)
{
	EXPECT_EQ(TUTF8Utils::SubString(kText, 1, 1), kE);
	EXPECT_EQ(TUTF8Utils::SubString(kText, 0, 3), kText);

	BString text = kText;
	TUTF8Utils::Erase(text, 1, 1);
	EXPECT_EQ(text, BString("a") + kKaku);

	text = kText;
	TUTF8Utils::Replace(text, 1, 1, "xy");
	EXPECT_EQ(text, BString("axy") + kKaku);

	text = kText;
	TUTF8Utils::Replace(text, 0, 0, kKaku);
	EXPECT_EQ(text, kKaku + kText);
}

TEST(TUTF8UtilsTest, CutsFromTheEnd)
{
	EXPECT_EQ(TUTF8Utils::RPosition(kText, 0), 6);
	EXPECT_EQ(TUTF8Utils::RPosition(kText, -1), 6);
	EXPECT_EQ(TUTF8Utils::RPosition(kText, 1), 3);
	EXPECT_EQ(TUTF8Utils::RPosition(kText, 2), 1);
	EXPECT_EQ(TUTF8Utils::RPosition(kText, 3), 0);
	EXPECT_EQ(TUTF8Utils::RPosition("", 4), 0);

	EXPECT_EQ(TUTF8Utils::RSubString(kText, 2), kE + kKaku);
	EXPECT_EQ(TUTF8Utils::RSubString(kText, 9), kText);
	EXPECT_EQ(TUTF8Utils::RSubString(kText, 0), "");

	BString text = kText;
	TUTF8Utils::RErase(text, 1);
	EXPECT_EQ(text, BString("a") + kE);
	TUTF8Utils::RErase(text, 5);
	EXPECT_EQ(text, "");
}

TEST(TUTF8UtilsTest, MalformedTextNeverReadsOutsideTheString)
{
	// A lone continuation byte is a character of one byte going forwards.
	const BString stray("x\x80y");
	EXPECT_EQ(TUTF8Utils::Length(stray), 3);
	EXPECT_EQ(TUTF8Utils::Position(stray, 2), 2);

	// A lead byte that announces more bytes than the string has left: the sanitizers would
	// report a read past the end, and the offsets must stop at the byte length.
	const BString cut("a\xE5\x90");
	EXPECT_EQ(TUTF8Utils::Length(cut), 2);
	EXPECT_EQ(TUTF8Utils::Position(cut, 2), 3);
	EXPECT_EQ(TUTF8Utils::Position(cut, 3), 3);
	EXPECT_EQ(TUTF8Utils::SubString(cut, 1, 1), "\xE5\x90");

	const BString ff("\xFF");
	EXPECT_EQ(TUTF8Utils::Length(ff), 1);
	EXPECT_EQ(TUTF8Utils::Position(ff, 1), 1);
	BString erased = ff;
	TUTF8Utils::Erase(erased, 0, 1);
	EXPECT_EQ(erased, "");

	// Walking backwards, continuation bytes at the start are walked to byte 0.
	EXPECT_EQ(TUTF8Utils::RPosition("\x80\x80", 1), 0);
	EXPECT_EQ(TUTF8Utils::RPosition("\x80\x80z", 1), 2);
	EXPECT_EQ(TUTF8Utils::RPosition("\x80\x80z", 2), 0);
}

} // namespace
