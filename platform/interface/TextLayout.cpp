#include "TextLayout.h"

#include <algorithm>
#include <cstring>

#include "TextBuffer.h"

namespace BPrivate {

namespace {

// Not yet measured.
constexpr float kUnknown = -1;

} // namespace

TextLayout::TextLayout(const TextBuffer& buffer) : fBuffer(buffer), fTabWidth(28)
{
	std::fill(std::begin(fAsciiWidths), std::end(fAsciiWidths), kUnknown);
	Rebuild();
}

void TextLayout::SetFont(const BFont& font)
{
	fFont = font;
	std::fill(std::begin(fAsciiWidths), std::end(fAsciiWidths), kUnknown);
	fWidths.clear();
	Rebuild();
}

void TextLayout::SetTabWidth(float width)
{
	fTabWidth = width;
	Rebuild();
}

float TextLayout::CharacterWidth(uint32 codePoint, const char* bytes, int32 length)
{
	if (codePoint == '\t')
		return fTabWidth;
	if (codePoint < 128) {
		float& width = fAsciiWidths[codePoint];
		if (width == kUnknown)
			width = fFont.StringWidth(bytes, length);
		return width;
	}
	auto found = fWidths.find(codePoint);
	if (found != fWidths.end())
		return found->second;
	float width = fFont.StringWidth(bytes, length);
	fWidths.emplace(codePoint, width);
	return width;
}

double TextLayout::_Measure(int32 from, int32 to, double x)
{
	const std::string& text = fBuffer.String();
	size_t offset = (size_t)from;
	while (offset < (size_t)to) {
		size_t start = offset;
		uint32 c = TextBuffer::Decode(text, &offset);
		std::fill(fX.begin() + (ptrdiff_t)start, fX.begin() + (ptrdiff_t)offset, x);
		// The break ends its line; what follows starts the next one at 0.
		x = c == '\n' ? 0 : x + CharacterWidth(c, text.data() + start, (int32)(offset - start));
	}
	return x;
}

void TextLayout::Rebuild()
{
	const std::string& text = fBuffer.String();
	fLineStarts.assign(1, 0);
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '\n')
			fLineStarts.push_back((int32)i + 1);
	}
	fX.assign(text.size() + 1, 0);
	fX.back() = _Measure(0, (int32)text.size(), 0);
}

void TextLayout::_Shift(int32 from, double delta)
{
	if (delta == 0)
		return;
	// Only the rest of the edited line moves; later lines measure from their own start.
	const std::string& text = fBuffer.String();
	const void* found = memchr(text.data() + from, '\n', text.size() - (size_t)from);
	size_t end = found != nullptr ? (size_t)((const char*)found - text.data()) : text.size();
	for (size_t i = (size_t)from; i <= end; i++)
		fX[i] += delta;
}

void TextLayout::Inserted(int32 offset, int32 length)
{
	if (length <= 0)
		return;
	double before = fX[(size_t)offset];
	fX.insert(fX.begin() + offset, (size_t)length, 0);

	auto first = std::upper_bound(fLineStarts.begin(), fLineStarts.end(), offset);
	for (auto it = first; it != fLineStarts.end(); ++it)
		*it += length;
	const std::string& text = fBuffer.String();
	std::vector<int32> added;
	for (int32 i = offset; i < offset + length; i++) {
		if (text[(size_t)i] == '\n')
			added.push_back(i + 1);
	}
	fLineStarts.insert(std::upper_bound(fLineStarts.begin(), fLineStarts.end(), offset),
	                   added.begin(), added.end());

	double after = _Measure(offset, offset + length, before);
	// The position at the end of the insertion still holds the old one at the insertion.
	_Shift(offset + length, after - fX[(size_t)(offset + length)]);
}

void TextLayout::Removed(int32 from, int32 to)
{
	if (to <= from)
		return;
	double delta = fX[(size_t)from] - fX[(size_t)to];
	fX.erase(fX.begin() + from, fX.begin() + to);

	auto first = std::upper_bound(fLineStarts.begin(), fLineStarts.end(), from);
	auto last = std::upper_bound(fLineStarts.begin(), fLineStarts.end(), to);
	auto rest = fLineStarts.erase(first, last);
	for (auto it = rest; it != fLineStarts.end(); ++it)
		*it -= to - from;
	_Shift(from, delta);
}

int32 TextLayout::LineAt(int32 offset) const
{
	auto it = std::upper_bound(fLineStarts.begin(), fLineStarts.end(), offset);
	return std::max((int32)(it - fLineStarts.begin()) - 1, (int32)0);
}

int32 TextLayout::LineStart(int32 line) const
{
	line = std::clamp(line, (int32)0, CountLines() - 1);
	return fLineStarts[(size_t)line];
}

int32 TextLayout::LineEnd(int32 line) const
{
	line = std::clamp(line, (int32)0, CountLines() - 1);
	return line + 1 < CountLines() ? fLineStarts[(size_t)line + 1] - 1 : fBuffer.Length();
}

double TextLayout::MaxLineWidth() const
{
	double widest = 0;
	for (int32 line = 0; line < CountLines(); line++)
		widest = std::max(widest, LineWidth(line));
	return widest;
}

int32 TextLayout::BoundaryAfter(int32 line, double x) const
{
	int32 start = LineStart(line);
	int32 end = LineEnd(line);
	// Positions only grow along a line, so the first one at or past x is a search away; the
	// bytes inside a character share its start's position, so the search lands on a start.
	auto it = std::lower_bound(fX.begin() + start, fX.begin() + end + 1, x);
	int32 offset = (int32)(it - fX.begin());
	return fBuffer.SnapForward(std::min(offset, end));
}

int32 TextLayout::BoundaryBefore(int32 line, double x) const
{
	int32 start = LineStart(line);
	int32 end = LineEnd(line);
	auto it = std::upper_bound(fX.begin() + start, fX.begin() + end + 1, x);
	int32 offset = std::max((int32)(it - fX.begin()) - 1, start);
	return fBuffer.SnapBackward(offset);
}

int32 TextLayout::OffsetAt(int32 line, double x) const
{
	int32 before = BoundaryBefore(line, x);
	int32 after = BoundaryAfter(line, x);
	return x - X(before) <= X(after) - x ? before : after;
}

} // namespace BPrivate
