#include "TOptionValue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include <FontEngine.h>

namespace {

int hex_digit(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

} // namespace

bool TOptionValue::Int32(const char* text, int32 minimum, int32 maximum, int32* value)
{
	if (text == nullptr || *text == '\0')
		return false;
	errno = 0;
	char* end = nullptr;
	const long long parsed = strtoll(text, &end, 10);
	if (errno != 0 || end == text || *end != '\0' || parsed < minimum || parsed > maximum)
		return false;
	*value = (int32)parsed;
	return true;
}

bool TOptionValue::Float(const char* text, float minimum, float maximum, float* value)
{
	if (text == nullptr || *text == '\0')
		return false;
	// Digits, one point and a leading sign only: strtod alone would take hex, exponents,
	// "nan" and "infinity", none of which a user means here.
	bool digits = false, point = false;
	for (const char* p = text; *p != '\0'; p++) {
		if (*p >= '0' && *p <= '9')
			digits = true;
		else if (*p == '.' && !point)
			point = true;
		else if (!((*p == '-' || *p == '+') && p == text))
			return false;
	}
	if (!digits)
		return false;
	// Compared as the float it becomes, so that "0.1" meets a minimum of 0.1f.
	const float parsed = (float)strtod(text, nullptr);
	if (!(parsed >= minimum && parsed <= maximum))
		return false;
	*value = parsed;
	return true;
}

bool TOptionValue::Color(const char* text, rgb_color* color)
{
	if (text == nullptr)
		return false;
	if (text[0] == '#')
		text++;
	const size_t length = strlen(text);
	if (length != 6 && length != 8)
		return false;
	uint8 bytes[4] = {0, 0, 0, 255};
	for (size_t i = 0; i < length; i += 2) {
		const int high = hex_digit(text[i]);
		const int low = hex_digit(text[i + 1]);
		if (high < 0 || low < 0)
			return false;
		bytes[i / 2] = (uint8)(high * 16 + low);
	}
	*color = make_color(bytes[0], bytes[1], bytes[2], bytes[3]);
	return true;
}

bool TOptionValue::Choice(const char* text, const char* const* words, int32* index)
{
	if (text == nullptr)
		return false;
	for (int32 i = 0; words[i] != nullptr; i++) {
		if (strcasecmp(text, words[i]) == 0) {
			*index = i;
			return true;
		}
	}
	return false;
}

bool TOptionValue::IsValidUTF8(const char* text, size_t length)
{
	// The font engine's decoder turns every malformed byte into U+FFFD; only a replacement
	// character that was written as one is valid.
	for (size_t offset = 0; offset < length;) {
		const size_t start = offset;
		if (graphics::next_code_point(text, length, &offset) == 0xfffd &&
		    !(offset - start == 3 && memcmp(text + start, "\xef\xbf\xbd", 3) == 0))
			return false;
	}
	return true;
}

bool TOptionValue::IsSafeName(const char* name)
{
	const size_t length = name != nullptr ? strlen(name) : 0;
	if (length == 0 || length > 100 || name[0] == '.')
		return false;
	for (size_t i = 0; i < length; i++) {
		const unsigned char c = (unsigned char)name[i];
		if (c < 0x20 || c == 0x7f || c == '/')
			return false;
	}
	return IsValidUTF8(name, length);
}
