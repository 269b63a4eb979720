#include "TextBuffer.h"

#include <algorithm>

// The font engine's decoder, so that the text view and the glyphs agree on what a malformed
// byte is.
#include <FontEngine.h>

namespace BPrivate {

namespace {

enum CharacterClass {
	kSpace,
	kPunctuation,
	kWordCharacter,
	kIdeograph,
	kHiragana,
	kKatakana,
};

bool is_continuation(char byte)
{
	return ((uint8)byte & 0xc0) == 0x80;
}

int32 class_of(uint32 c)
{
	if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0xa0 || c == 0x3000 ||
	    (c >= 0x2000 && c <= 0x200b))
		return kSpace;
	if (c < 0x80) {
		bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
		return alnum || c == '_' ? kWordCharacter : kPunctuation;
	}
	// The iteration marks belong with the kanji they repeat.
	if (c == 0x3005 || c == 0x3006 || (c >= 0x3400 && c <= 0x4dbf) ||
	    (c >= 0x4e00 && c <= 0x9fff) || (c >= 0xf900 && c <= 0xfaff) ||
	    (c >= 0x20000 && c <= 0x3ffff))
		return kIdeograph;
	if (c >= 0x3041 && c <= 0x309f)
		return kHiragana;
	// The prolonged sound mark is written in katakana words.
	if ((c >= 0x30a0 && c <= 0x30ff) || (c >= 0x31f0 && c <= 0x31ff) ||
	    (c >= 0xff66 && c <= 0xff9f))
		return kKatakana;
	if ((c >= 0x2010 && c <= 0x206f) || (c >= 0x3000 && c <= 0x303f) ||
	    (c >= 0xff01 && c <= 0xff0f) || (c >= 0xff1a && c <= 0xff20) ||
	    (c >= 0xff3b && c <= 0xff40) || (c >= 0xff5b && c <= 0xff65) || c == 0xa1 || c == 0xbf ||
	    c == 0xab || c == 0xbb || c == 0xb7)
		return kPunctuation;
	return kWordCharacter;
}

void append_code_point(std::string* out, uint32 c)
{
	if (c < 0x80) {
		out->push_back((char)c);
	} else if (c < 0x800) {
		out->push_back((char)(0xc0 | (c >> 6)));
		out->push_back((char)(0x80 | (c & 0x3f)));
	} else if (c < 0x10000) {
		out->push_back((char)(0xe0 | (c >> 12)));
		out->push_back((char)(0x80 | ((c >> 6) & 0x3f)));
		out->push_back((char)(0x80 | (c & 0x3f)));
	} else {
		out->push_back((char)(0xf0 | (c >> 18)));
		out->push_back((char)(0x80 | ((c >> 12) & 0x3f)));
		out->push_back((char)(0x80 | ((c >> 6) & 0x3f)));
		out->push_back((char)(0x80 | (c & 0x3f)));
	}
}

} // namespace

std::string TextBuffer::Substring(int32 from, int32 to) const
{
	from = std::clamp(from, (int32)0, Length());
	to = std::clamp(to, from, Length());
	return fText.substr((size_t)from, (size_t)(to - from));
}

std::string TextBuffer::Clean(const char* text, size_t length)
{
	std::string out;
	if (text == nullptr)
		return out;
	out.reserve(length);
	size_t offset = 0;
	while (offset < length) {
		size_t start = offset;
		uint32 c = graphics::next_code_point(text, length, &offset);
		if (c == 0)
			continue;
		// A malformed byte decodes as U+FFFD; so does a well-formed U+FFFD, and writing the
		// replacement character back is right for both.
		if (c == 0xfffd)
			append_code_point(&out, c);
		else
			out.append(text + start, offset - start);
	}
	return out;
}

std::string TextBuffer::ReplaceLineBreaks(const std::string& text, char replacement)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); i++) {
		char c = text[i];
		if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
			continue;
		out.push_back(c == '\n' || c == '\r' ? replacement : c);
	}
	return out;
}

size_t TextBuffer::FitLength(const std::string& text, size_t maxBytes)
{
	if (text.size() <= maxBytes)
		return text.size();
	size_t length = maxBytes;
	while (length > 0 && is_continuation(text[length]))
		length--;
	return length;
}

uint32 TextBuffer::Decode(const std::string& text, size_t* offset)
{
	return graphics::next_code_point(text.data(), text.size(), offset);
}

void TextBuffer::Insert(int32 offset, const std::string& text)
{
	fText.insert((size_t)offset, text);
}

void TextBuffer::Remove(int32 from, int32 to)
{
	fText.erase((size_t)from, (size_t)(to - from));
}

bool TextBuffer::IsBoundary(int32 offset) const
{
	if (offset < 0 || offset > Length())
		return false;
	return offset == Length() || !is_continuation(fText[(size_t)offset]);
}

int32 TextBuffer::SnapBackward(int32 offset) const
{
	offset = std::clamp(offset, (int32)0, Length());
	while (offset > 0 && !IsBoundary(offset))
		offset--;
	return offset;
}

int32 TextBuffer::SnapForward(int32 offset) const
{
	offset = std::clamp(offset, (int32)0, Length());
	while (offset < Length() && !IsBoundary(offset))
		offset++;
	return offset;
}

int32 TextBuffer::NextCharacter(int32 offset) const
{
	return offset >= Length() ? Length() : SnapForward(offset + 1);
}

int32 TextBuffer::PreviousCharacter(int32 offset) const
{
	return offset <= 0 ? 0 : SnapBackward(offset - 1);
}

uint32 TextBuffer::CodePointAt(int32 offset) const
{
	if (offset < 0 || offset >= Length())
		return 0;
	size_t at = (size_t)offset;
	return Decode(fText, &at);
}

int32 TextBuffer::_ClassAt(int32 offset) const
{
	return class_of(CodePointAt(offset));
}

int32 TextBuffer::NextWordEnd(int32 offset) const
{
	offset = SnapForward(offset);
	while (offset < Length() && _ClassAt(offset) == kSpace)
		offset = NextCharacter(offset);
	if (offset >= Length())
		return Length();
	int32 kind = _ClassAt(offset);
	while (offset < Length() && _ClassAt(offset) == kind)
		offset = NextCharacter(offset);
	return offset;
}

int32 TextBuffer::PreviousWordStart(int32 offset) const
{
	offset = SnapBackward(offset);
	while (offset > 0 && _ClassAt(PreviousCharacter(offset)) == kSpace)
		offset = PreviousCharacter(offset);
	if (offset <= 0)
		return 0;
	int32 kind = _ClassAt(PreviousCharacter(offset));
	while (offset > 0 && _ClassAt(PreviousCharacter(offset)) == kind)
		offset = PreviousCharacter(offset);
	return offset;
}

void TextBuffer::WordAt(int32 offset, int32* start, int32* end) const
{
	offset = SnapBackward(offset);
	if (offset >= Length())
		offset = PreviousCharacter(Length());
	*start = *end = offset;
	if (Length() == 0)
		return;
	int32 kind = _ClassAt(offset);
	while (*start > 0 && _ClassAt(PreviousCharacter(*start)) == kind)
		*start = PreviousCharacter(*start);
	while (*end < Length() && _ClassAt(*end) == kind)
		*end = NextCharacter(*end);
}

} // namespace BPrivate
