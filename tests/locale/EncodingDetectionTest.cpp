#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <EncodingDetection.h>

namespace {

std::string read_data(const char* name)
{
	std::ifstream in(std::string(GLOWPLATE_TEST_DATA_DIR) + "/" + name, std::ios::binary);
	EXPECT_TRUE(in.good()) << name;
	std::stringstream bytes;
	bytes << in.rdbuf();
	return bytes.str();
}

// Scans a whole buffer and decides only at its end.
int32 detect_whole(const std::string& text, int32* escape = nullptr)
{
	return detect_encoding(text.data(), (int32)text.size(), escape, (int32)text.size(),
	                       (int32)text.size());
}

// Decides as soon as one score leads.
int32 detect_early(const std::string& text, int32* escape = nullptr)
{
	return detect_encoding(text.data(), (int32)text.size(), escape, 0, (int32)text.size());
}

// The same sentences written by iconv in each of the four encodings.
TEST(EncodingDetectionTest, RecognisesRealJapaneseTexts)
{
	int32 escape = 7;
	EXPECT_EQ(detect_whole(read_data("sample.utf8.txt"), &escape), ENCODING_UTF8);
	EXPECT_EQ(escape, 0);
	EXPECT_EQ(detect_whole(read_data("sample.sjis.txt")), ENCODING_SJIS);
	EXPECT_EQ(detect_whole(read_data("sample.eucjp.txt")), ENCODING_EUC);
	EXPECT_EQ(detect_whole(read_data("sample.jis.txt"), &escape), ENCODING_JIS);
	EXPECT_EQ(escape, 0);

	// Shift-JIS and JIS are proved by their first bytes, so an early decision finds them too.
	EXPECT_EQ(detect_early(read_data("sample.sjis.txt")), ENCODING_SJIS);
	EXPECT_EQ(detect_early(read_data("sample.jis.txt")), ENCODING_JIS);
	EXPECT_EQ(detect_early(read_data("sample.utf8.txt")), ENCODING_UTF8);
}

TEST(EncodingDetectionTest, TextThatDecidesNothingIsUtf8)
{
	EXPECT_EQ(detect_encoding("", 0, nullptr, 0, 100), ENCODING_UTF8);
	EXPECT_EQ(detect_encoding(nullptr, 5, nullptr, 0, 5), ENCODING_UTF8);
	EXPECT_EQ(detect_encoding("abc", -3, nullptr, 0, 3), ENCODING_UTF8);
	const std::string ascii = "Plain ASCII text,\twith tabs\r\nand line ends.";
	EXPECT_EQ(detect_early(ascii), ENCODING_UTF8);
	EXPECT_EQ(detect_whole(ascii), ENCODING_UTF8);
}

TEST(EncodingDetectionTest, EscapeSequencesProveJis)
{
	int32 escape = 7;
	EXPECT_EQ(detect_whole("\x1B\x24\x42", &escape), ENCODING_JIS);
	EXPECT_EQ(escape, 0);
	EXPECT_EQ(detect_whole("\x1B\x28\x42", &escape), ENCODING_JIS);
	EXPECT_EQ(escape, 0);
	EXPECT_EQ(detect_whole("\x1BK", &escape), ENCODING_JIS);
	EXPECT_EQ(escape, 1);
	EXPECT_EQ(detect_whole("ab\x1BH", &escape), ENCODING_JIS);
	EXPECT_EQ(escape, 1);
	// Any other byte after ESC proves nothing.
	EXPECT_EQ(detect_whole("\x1B[0m", &escape), ENCODING_UTF8);
	EXPECT_EQ(escape, 0);
}

TEST(EncodingDetectionTest, ScoresSingleSequences)
{
	// A valid three-byte UTF-8 character scores 5 for UTF-8.
	EXPECT_EQ(detect_whole("\xE5\x90\x84"), ENCODING_UTF8);
	// A Shift-JIS lead byte of the 80-A0 range proves Shift-JIS at once, whatever follows.
	EXPECT_EQ(detect_whole("\x82\xA0\xE5\x90\x84\xE5\x90\x84"), ENCODING_SJIS);
	EXPECT_EQ(detect_whole("\x8E\x80"), ENCODING_SJIS);
	// EUC hiragana scores 1 for EUC.
	EXPECT_EQ(detect_whole("\xA4\xA2"), ENCODING_EUC);
	// A half-width katakana of Shift-JIS scores 5 for it.
	EXPECT_EQ(detect_whole("\xB1\x41"), ENCODING_SJIS);
	// FE, and an EUC byte pair whose second byte is FD or FE, prove EUC-JP.
	EXPECT_EQ(detect_whole("\xFE"), ENCODING_EUC);
	EXPECT_EQ(detect_whole("\xB0\xFD"), ENCODING_EUC);
	EXPECT_EQ(detect_whole("\x8F\xA1\xFE"), ENCODING_EUC);
	// 8F advances two bytes only, so the third byte of its sequence is classified again.
	EXPECT_EQ(detect_whole("\x8F\xA1\xE0"), ENCODING_EUC);
	EXPECT_EQ(detect_whole("\x8F\xA1\xA1"), ENCODING_UTF8);
	EXPECT_EQ(detect_whole("\x8E\xB1"), ENCODING_EUC);
	// A UTF-8 lead byte without its trailing bytes counts against UTF-8, which leaves the two
	// others tied at 0.
	EXPECT_EQ(detect_whole("\xE5\x41\x41"), ENCODING_UTF8);
}

TEST(EncodingDetectionTest, DecisionStartAndExamineLimit)
{
	// Hiragana in EUC, then one half-width katakana of Shift-JIS: with an early decision the
	// first pair decides, scanning to the end lets Shift-JIS lead.
	const std::string mixed = "\xA4\xA2\xB1\x41";
	EXPECT_EQ(detect_early(mixed), ENCODING_EUC);
	EXPECT_EQ(detect_whole(mixed), ENCODING_SJIS);

	// A tie at the end decides nothing: UTF-8 5 and Shift-JIS 5.
	EXPECT_EQ(detect_whole("\xE5\x90\x84\xB1\x41"), ENCODING_UTF8);

	// Bytes at or past the examine limit are never looked at.
	const std::string proof = "abc\x82";
	EXPECT_EQ(detect_encoding(proof.data(), 4, nullptr, 0, 3), ENCODING_UTF8);
	EXPECT_EQ(detect_encoding(proof.data(), 4, nullptr, 0, 4), ENCODING_SJIS);
	// Limits beyond the length, or negative, are clamped.
	EXPECT_EQ(detect_encoding(proof.data(), 4, nullptr, -10, 1000), ENCODING_SJIS);
	EXPECT_EQ(detect_encoding(proof.data(), 4, nullptr, 1000, -1), ENCODING_UTF8);
	// A length of 0 takes the text as NUL-terminated.
	EXPECT_EQ(detect_encoding("x\x82", 0, nullptr, 0, 100), ENCODING_SJIS);
}

TEST(EncodingDetectionTest, LookAheadStaysInsideTheBuffer)
{
	// Each buffer is allocated to its exact size with a lead byte at its end, so a look
	// ahead past the end would be caught by the address sanitizer.
	const std::vector<std::vector<uint8>> cases = {
	    {0xFD}, {0x41, 0xFC, 0x80}, {0x1B}, {0x8F}, {0x8F, 0xA1}, {0xA4}, {0x8E}};
	for (const auto& bytes : cases) {
		std::vector<char> exact(bytes.begin(), bytes.end());
		const int32 result =
		    detect_encoding(exact.data(), (int32)exact.size(), nullptr, 0, (int32)exact.size());
		EXPECT_TRUE(result == ENCODING_UTF8 || result == ENCODING_SJIS || result == ENCODING_EUC ||
		            result == ENCODING_JIS);
	}
}

TEST(EncodingDetectionTest, SubDecidesOnlyForAStrictLeader)
{
	int32 result = 99;
	EXPECT_EQ(detect_encoding_sub(5, 0, 0, &result), B_OK);
	EXPECT_EQ(result, ENCODING_UTF8);
	EXPECT_EQ(detect_encoding_sub(0, 5, -5, &result), B_OK);
	EXPECT_EQ(result, ENCODING_SJIS);
	EXPECT_EQ(detect_encoding_sub(-10, -10, -5, &result), B_OK);
	EXPECT_EQ(result, ENCODING_EUC);
	result = 99;
	EXPECT_EQ(detect_encoding_sub(5, 5, 0, &result), B_ERROR);
	EXPECT_EQ(detect_encoding_sub(0, 0, 0, &result), B_ERROR);
	EXPECT_EQ(result, 99);
}

TEST(EncodingDetectionTest, LineEndTypes)
{
	EXPECT_EQ(detect_cr_type("one\r\ntwo\r\n"), CR_TYPE_CRLF);
	EXPECT_EQ(detect_cr_type("one\rtwo"), CR_TYPE_CR);
	EXPECT_EQ(detect_cr_type("one\ntwo"), CR_TYPE_LF);
	EXPECT_EQ(detect_cr_type("no line ends"), CR_TYPE_LF);
	EXPECT_EQ(detect_cr_type("a\rb\nc\n"), CR_TYPE_LF);
	EXPECT_EQ(detect_cr_type(""), CR_TYPE_LF);
	EXPECT_EQ(detect_cr_type(nullptr), CR_TYPE_LF);
}

} // namespace
