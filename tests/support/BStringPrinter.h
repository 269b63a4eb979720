// Lets GoogleTest show a BString as its bytes, escaped where they are not printable, so a
// failed comparison of byte strings says what the bytes were.
#ifndef BSTRING_PRINTER_H
#define BSTRING_PRINTER_H

#include <cstdio>
#include <ostream>

#include <String.h>

inline void PrintTo(const BString& string, std::ostream* out)
{
	*out << '"';
	for (const char c : string.View()) {
		const unsigned char byte = (unsigned char)c;
		if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
			*out << c;
		} else {
			char escaped[8];
			snprintf(escaped, sizeof(escaped), "\\x%02X", byte);
			*out << escaped;
		}
	}
	*out << '"';
}

#endif
