// The font list functions and BFont::TruncateString, which need the list of faces and the
// widths of text rather than one font's state.
#include <Font.h>

#include <cstring>
#include <string>

#include <String.h>

#include <FontEngine.h>

#include "FontNames.h"

using graphics::FontEngine;

namespace {

bool is_continuation(char byte)
{
	return ((uint8)byte & 0xc0) == 0x80;
}

// The byte offsets at which the characters of the string start.
std::vector<int32> character_starts(const BString& string)
{
	std::vector<int32> starts;
	for (int32 i = 0; i < string.Length(); i++) {
		if (!is_continuation(string.String()[i]))
			starts.push_back(i);
	}
	return starts;
}

} // namespace

int32 count_font_families()
{
	return FontEngine::Default().CountFamilies();
}

status_t get_font_family(int32 index, font_family* name, uint32* flags)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	(*name)[0] = '\0';
	std::string family;
	FontEngine& engine = FontEngine::Default();
	if (!engine.GetFamily(index, &family))
		return B_BAD_VALUE;
	BPrivate::copy_font_name(*name, family.c_str());
	if (flags != nullptr) {
		// A family is fixed when its regular face is; outline fonts have no tuned sizes.
		const graphics::FontFace* regular = engine.FindFace(family, std::string());
		*flags = regular != nullptr && regular->IsFixedWidth() ? B_IS_FIXED : 0;
	}
	return B_OK;
}

int32 count_font_styles(const font_family name)
{
	std::string family = BPrivate::resolve_family_name(name);
	return family.empty() ? 0 : FontEngine::Default().CountStyles(family);
}

status_t get_font_style(const font_family family, int32 index, font_style* name, uint32* flags)
{
	return get_font_style(family, index, name, nullptr, flags);
}

status_t get_font_style(const font_family family, int32 index, font_style* name, uint16* face,
                        uint32* flags)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	(*name)[0] = '\0';
	std::string familyName = BPrivate::resolve_family_name(family);
	std::string style;
	FontEngine& engine = FontEngine::Default();
	if (familyName.empty() || !engine.GetStyle(familyName, index, &style))
		return B_BAD_VALUE;
	BPrivate::copy_font_name(*name, style.c_str());
	const graphics::FontFace* engineFace = engine.FindFace(familyName, style);
	if (face != nullptr) {
		BFont font;
		if (engineFace != nullptr)
			font.SetFamilyAndStyle(family, *name);
		*face = font.Face();
	}
	if (flags != nullptr)
		*flags = engineFace != nullptr && engineFace->IsFixedWidth() ? B_IS_FIXED : 0;
	return B_OK;
}

bool update_font_families(bool checkOnly)
{
	return false;
}

void BFont::TruncateString(BString* inOut, uint32 mode, float width) const
{
	if (inOut == nullptr || StringWidth(inOut->String()) <= width)
		return;

	static const char kEllipsis[] = "\xe2\x80\xa6";
	const BString original(*inOut);
	std::vector<int32> starts = character_starts(original);
	int32 count = (int32)starts.size();
	auto byteOffset = [&](int32 character) {
		return character >= count ? original.Length() : starts[(size_t)character];
	};
	// Build the candidate that keeps `keep` characters, taken from the end, the beginning or
	// both sides as the mode says.
	auto candidate = [&](int32 keep) {
		BString result;
		int32 head = keep;
		if (mode == B_TRUNCATE_BEGINNING)
			head = 0;
		else if (mode == B_TRUNCATE_MIDDLE || mode == B_TRUNCATE_SMART)
			head = (keep + 1) / 2;
		int32 tail = keep - head;
		result.SetTo(original.String(), byteOffset(head));
		result.Append(kEllipsis);
		int32 tailStart = byteOffset(count - tail);
		result.Append(original.String() + tailStart, original.Length() - tailStart);
		return result;
	};

	// The widest candidate that fits, found by bisection on the number of kept characters;
	// widths grow with that number, so the search is sound.
	int32 low = 0;
	int32 high = count - 1;
	BString best = candidate(0);
	if (StringWidth(best.String()) > width) {
		inOut->SetTo("");
		return;
	}
	while (low < high) {
		int32 middle = (low + high + 1) / 2;
		BString attempt = candidate(middle);
		if (StringWidth(attempt.String()) <= width) {
			low = middle;
			best = attempt;
		} else {
			high = middle - 1;
		}
	}
	*inOut = best;
}
