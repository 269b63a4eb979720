// Character-wise operations on byte strings that hold UTF-8. A character is a lead byte and
// the bytes its length covers; the length is read from the lead byte alone, so malformed text
// is never rejected, only cut into characters by the same rule everywhere.
//
// Every index and count is clamped to the string: a character index past the end gives the
// byte length, a negative index gives 0, and no function reads a byte outside the string, also
// when the last character is cut short by the end of the text.
#ifndef T_UTF8_UTILS_H
#define T_UTF8_UTILS_H

#include <String.h>
#include <SupportDefs.h>

class TUTF8Utils {
public:
	// True for a byte below 0x80.
	static bool IsAscii(char byte) { return (uint8)byte < 0x80; }
	// True for a continuation byte, 0x80 to 0xBF.
	static bool IsTrailing(char byte) { return ((uint8)byte & 0xC0) == 0x80; }
	// The length of the character that starts with this byte: 1 below 0xC0 (ASCII and stray
	// continuation bytes), otherwise the count of leading one bits (7 for 0xFE and 0xFF).
	static int32 NumBytes(char byte);

	// The number of characters.
	static int32 Length(const BString& string);
	// The byte offset at which character n begins; 0 for n < 1, the byte length for n at or
	// past the number of characters.
	static int32 Position(const BString& string, int32 n);
	// The characters [start, start + count).
	static BString SubString(const BString& string, int32 start, int32 count);
	// Removes the characters [start, start + count).
	static void Erase(BString& string, int32 start, int32 count);
	// Puts replacement in place of the characters [start, start + count).
	static void Replace(BString& string, int32 start, int32 count, const BString& replacement);

	// The byte offset at which the last n characters begin, found by walking backwards over
	// continuation bytes; the byte length for n < 1 and 0 when n covers the whole string.
	static int32 RPosition(const BString& string, int32 n);
	// The last n characters.
	static BString RSubString(const BString& string, int32 n);
	// Removes the last n characters.
	static void RErase(BString& string, int32 n);

private:
	// The offset reached by stepping count characters forward from the byte offset from,
	// never beyond the byte length.
	static int32 _Advance(const BString& string, int32 from, int32 count);
	// The byte range [begin, end) of the characters [start, start + count), with end >= begin.
	static void _Range(const BString& string, int32 start, int32 count, int32& begin, int32& end);
};

#endif
