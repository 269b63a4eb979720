// Where each character of a text view's text lies: the lines (split at line breaks) and, for
// every byte offset, its distance from the start of its line in pixels. The positions are kept
// up to date through each edit in time proportional to the edited line's bytes past the edit,
// never to the whole text measured again, so a field holding a megabyte stays quick to type
// in; finding an offset by position is a binary search.
//
// Widths come from the font one character at a time (the font engine places characters by
// their advances alone, so positions add up) and are cached per character. A tab advances by
// the tab width; other control characters take no space, as the font engine draws them.
#ifndef _TEXT_LAYOUT_H
#define _TEXT_LAYOUT_H

#include <string>
#include <unordered_map>
#include <vector>

#include <Font.h>

namespace BPrivate {

class TextBuffer;

class TextLayout {
public:
	explicit TextLayout(const TextBuffer& buffer);

	// Both measure everything again.
	void SetFont(const BFont& font);
	void SetTabWidth(float width);
	void Rebuild();

	// The buffer has just changed: bytes [offset, offset + length) were inserted, or the
	// bytes [from, to) of the old text were removed.
	void Inserted(int32 offset, int32 length);
	void Removed(int32 from, int32 to);

	int32 CountLines() const { return (int32)fLineStarts.size(); }
	int32 LineAt(int32 offset) const;
	int32 LineStart(int32 line) const;
	// The offset of the line break that ends the line, or the end of the text.
	int32 LineEnd(int32 line) const;
	double X(int32 offset) const { return fX[(size_t)offset]; }
	double LineWidth(int32 line) const { return X(LineEnd(line)); }
	double MaxLineWidth() const;

	// The character boundary of the line nearest to x (measured from the line's start).
	int32 OffsetAt(int32 line, double x) const;
	// The last boundary of the line at or left of x, and the first at or right of it.
	int32 BoundaryBefore(int32 line, double x) const;
	int32 BoundaryAfter(int32 line, double x) const;

	// The width of one character, as the layout counts it.
	float CharacterWidth(uint32 codePoint, const char* bytes, int32 length);

private:
	// Measures the characters of [from, to) starting at x, writes their positions and returns
	// the position at `to`.
	double _Measure(int32 from, int32 to, double x);
	void _Shift(int32 from, double delta);

	const TextBuffer& fBuffer;
	BFont fFont;
	float fTabWidth;
	std::vector<int32> fLineStarts;
	// One position per byte and one past the end; the bytes inside a character share the
	// position of its start.
	std::vector<double> fX;
	float fAsciiWidths[128];
	std::unordered_map<uint32, float> fWidths;
};

} // namespace BPrivate

#endif
