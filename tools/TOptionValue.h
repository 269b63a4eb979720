// TOptionValue reads the values of command-line options and preset files: whole numbers,
// decimal numbers, colours and words from a fixed list, each strictly (nothing may follow the
// value) and within a range, so that a typing error is refused rather than half-read.
#ifndef T_OPTION_VALUE_H
#define T_OPTION_VALUE_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

class TOptionValue {
public:
	// A whole number in decimal in [minimum, maximum].
	static bool Int32(const char* text, int32 minimum, int32 maximum, int32* value);
	// A decimal number (no exponent, no "nan" or "inf") in [minimum, maximum].
	static bool Float(const char* text, float minimum, float maximum, float* value);
	// RRGGBB or RRGGBBAA in hex, with or without a leading '#'; alpha defaults to opaque.
	static bool Color(const char* text, rgb_color* color);
	// The index of the word in a null-terminated list, compared without regard to case.
	static bool Choice(const char* text, const char* const* words, int32* index);
	// Whether the bytes are UTF-8 as the standard allows it: no overlong forms, surrogates,
	// stray continuation bytes or sequences cut short.
	static bool IsValidUTF8(const char* text, size_t length);
	// A name that can be a file's name in a folder the user chose: 1 to 100 bytes of valid
	// UTF-8 without control characters or '/', not beginning with '.'.
	static bool IsSafeName(const char* name);
};

#endif
