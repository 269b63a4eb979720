#include "EncodingDetection.h"

#include <cstring>

#include <TUTF8Utils.h>

namespace {

// The bytes under examination. Reading past the examine limit gives 0, which no rule takes
// for a lead or trailing byte, so the rules may look ahead freely without leaving the text.
class ByteWindow {
public:
	ByteWindow(const char* text, int32 limit) : fText(text), fLimit(limit) {}
	uint8 operator[](int32 offset) const
	{
		return offset >= 0 && offset < fLimit ? (uint8)fText[offset] : 0;
	}

private:
	const char* fText;
	int32 fLimit;
};

bool in_range(uint8 byte, uint8 low, uint8 high)
{
	return byte >= low && byte <= high;
}

bool is_euc_upper(uint8 byte)
{
	return byte == 0xFD || byte == 0xFE;
}

int32 clamp(int32 value, int32 length)
{
	if (value < 0)
		return 0;
	return value > length ? length : value;
}

struct Scores {
	int32 utf8 = 0;
	int32 sjis = 0;
	int32 euc = 0;
};

// One step of the scan at position. Returns the number of bytes to advance, or 0 when the
// bytes prove an encoding, which is then stored in answer.
int32 classify(const ByteWindow& bytes, int32 position, Scores& scores, int32& answer,
               int32* escapeFlag)
{
	const uint8 b = bytes[position];
	const uint8 n = bytes[position + 1];
	const uint8 m = bytes[position + 2];

	if (b == 0x1B) {
		if (n == 0x24 || n == 0x28) {
			answer = ENCODING_JIS;
			return 0;
		}
		if (n == 0x4B || n == 0x48) {
			if (escapeFlag != nullptr)
				*escapeFlag = 1;
			answer = ENCODING_JIS;
			return 0;
		}
		return 1;
	}
	if (in_range(b, 0xC2, 0xFD)) {
		const int32 sequence = TUTF8Utils::NumBytes((char)b);
		for (int32 i = 1; i < sequence; i++) {
			if (!TUTF8Utils::IsTrailing((char)bytes[position + i])) {
				scores.utf8 -= 5;
				return 1;
			}
		}
		scores.utf8 += 5;
		return sequence;
	}
	if (b == 0x8E) {
		if (in_range(n, 0x80, 0xA0)) {
			answer = ENCODING_SJIS;
			return 0;
		}
		if (in_range(n, 0xA1, 0xDF))
			scores.euc += 5;
		return 2;
	}
	if (b == 0x8F) {
		if (in_range(n, 0x80, 0xA0) || in_range(m, 0x80, 0xA0)) {
			answer = ENCODING_SJIS;
			return 0;
		}
		if (is_euc_upper(n) || is_euc_upper(m)) {
			answer = ENCODING_EUC;
			return 0;
		}
		if (in_range(n, 0xA1, 0xFE) && in_range(m, 0xA1, 0xFE))
			scores.euc += 5;
		return 2;
	}
	if (in_range(b, 0x80, 0x8D) || in_range(b, 0x90, 0xA0)) {
		answer = ENCODING_SJIS;
		return 0;
	}
	if (in_range(b, 0xA1, 0xC1)) {
		// Rows 4 and 5 of EUC-JP hold hiragana and katakana, the commonest double bytes.
		if ((b == 0xA4 && in_range(n, 0xA1, 0xF3)) || (b == 0xA5 && in_range(n, 0xA1, 0xF6))) {
			scores.euc += 1;
			return 2;
		}
		if (is_euc_upper(n)) {
			answer = ENCODING_EUC;
			return 0;
		}
		if (in_range(n, 0xE0, 0xFE)) {
			scores.euc += 5;
			return 2;
		}
		// Otherwise a single half-width katakana of Shift-JIS.
		scores.sjis += 5;
		return 1;
	}
	if (b == 0xFE) {
		answer = ENCODING_EUC;
		return 0;
	}
	return 1;
}

} // namespace

status_t detect_encoding_sub(int32 utf8Score, int32 sjisScore, int32 eucScore, int32* result)
{
	int32 winner;
	if (utf8Score > sjisScore && utf8Score > eucScore)
		winner = ENCODING_UTF8;
	else if (sjisScore > utf8Score && sjisScore > eucScore)
		winner = ENCODING_SJIS;
	else if (eucScore > utf8Score && eucScore > sjisScore)
		winner = ENCODING_EUC;
	else
		return B_ERROR;
	if (result != nullptr)
		*result = winner;
	return B_OK;
}

int32 detect_encoding(const char* text, int32 length, int32* escapeFlag, int32 decisionStart,
                      int32 examineLimit)
{
	if (escapeFlag != nullptr)
		*escapeFlag = 0;
	if (text == nullptr || length < 0)
		return ENCODING_UTF8;
	if (length == 0)
		length = (int32)strnlen(text, INT32_MAX);
	decisionStart = clamp(decisionStart, length);
	examineLimit = clamp(examineLimit, length);

	const ByteWindow bytes(text, examineLimit);
	Scores scores;
	int32 answer = ENCODING_UTF8;
	int32 position = 0;
	while (position < examineLimit) {
		const int32 advance = classify(bytes, position, scores, answer, escapeFlag);
		if (advance == 0)
			return answer;
		position += advance;
		if (position >= decisionStart &&
		    detect_encoding_sub(scores.utf8, scores.sjis, scores.euc, &answer) == B_OK)
			return answer;
	}
	if (detect_encoding_sub(scores.utf8, scores.sjis, scores.euc, &answer) == B_OK)
		return answer;
	return ENCODING_UTF8;
}

int32 detect_cr_type(const char* text)
{
	if (text == nullptr)
		return CR_TYPE_LF;
	size_t cr = 0;
	size_t lf = 0;
	for (const char* p = text; *p != '\0'; p++) {
		if (*p == '\r')
			cr++;
		else if (*p == '\n')
			lf++;
	}
	if (cr != 0 && cr == lf)
		return CR_TYPE_CRLF;
	return cr > lf ? CR_TYPE_CR : CR_TYPE_LF;
}
