// The text of a text view: UTF-8 held in one string, with every byte offset that the view
// hands out lying on a character boundary. Text enters only through Clean(), which turns each
// malformed byte into U+FFFD and drops NUL bytes, so the buffer is always valid UTF-8 and a
// boundary is simply an offset that does not point at a continuation byte.
//
// Besides characters the buffer knows words, for double clicks and Ctrl+arrows: a word is a
// run of characters of one kind (letters and digits, kanji, hiragana, katakana, punctuation,
// spaces), so that Japanese text, which has no spaces, still falls into useful pieces.
#ifndef _TEXT_BUFFER_H
#define _TEXT_BUFFER_H

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

class TextBuffer {
public:
	const std::string& String() const { return fText; }
	const char* Text() const { return fText.c_str(); }
	int32 Length() const { return (int32)fText.size(); }
	std::string Substring(int32 from, int32 to) const;

	// Valid UTF-8 from any bytes: malformed bytes become U+FFFD one by one (as the font
	// engine shows them), NUL bytes are dropped since the text is handed out as a C string.
	static std::string Clean(const char* text, size_t length);
	// Every line break (CR LF, LF or CR) becomes the one character given: a space for
	// one-line fields, LF for the others.
	static std::string ReplaceLineBreaks(const std::string& text, char replacement);
	// The longest prefix of clean text that has at most maxBytes bytes and ends on a
	// character boundary.
	static size_t FitLength(const std::string& text, size_t maxBytes);
	// The code point of the character starting at offset in clean text; offset moves past it.
	static uint32 Decode(const std::string& text, size_t* offset);

	// Changes; offsets must be boundaries and text must be clean.
	void SetText(std::string text) { fText = std::move(text); }
	void Insert(int32 offset, const std::string& text);
	void Remove(int32 from, int32 to);

	// Character boundaries. Snapping clamps to the text and moves off a continuation byte.
	bool IsBoundary(int32 offset) const;
	int32 SnapBackward(int32 offset) const;
	int32 SnapForward(int32 offset) const;
	int32 NextCharacter(int32 offset) const;
	int32 PreviousCharacter(int32 offset) const;
	uint32 CodePointAt(int32 offset) const;

	// Words. NextWordEnd skips spaces and then one word; PreviousWordStart the same backwards;
	// WordAt is the run of one kind that holds the character at offset (or the one before it,
	// at the end of the text).
	int32 NextWordEnd(int32 offset) const;
	int32 PreviousWordStart(int32 offset) const;
	void WordAt(int32 offset, int32* start, int32* end) const;

private:
	int32 _ClassAt(int32 offset) const;

	std::string fText;
};

} // namespace BPrivate

#endif
