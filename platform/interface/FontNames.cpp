#include "FontNames.h"

#include <cstring>

#include <FontEngine.h>

using graphics::FontEngine;

namespace {

// The length of the longest prefix of `name` of at most `limit` bytes that ends on a
// character boundary.
size_t cut_length(const char* name, size_t limit)
{
	size_t length = strlen(name);
	if (length <= limit)
		return length;
	length = limit;
	// Step back over continuation bytes so that no character is split.
	while (length > 0 && ((uint8)name[length] & 0xc0) == 0x80)
		length--;
	return length;
}

bool is_cut_of(const std::string& full, const char* name)
{
	size_t length = cut_length(full.c_str(), B_FONT_FAMILY_LENGTH);
	return length == strlen(name) && full.compare(0, length, name) == 0;
}

} // namespace

namespace BPrivate {

void copy_font_name(char (&out)[B_FONT_FAMILY_LENGTH + 1], const char* name)
{
	size_t length = cut_length(name, B_FONT_FAMILY_LENGTH);
	memcpy(out, name, length);
	out[length] = '\0';
}

std::string resolve_family_name(const char* family)
{
	if (family == nullptr || family[0] == '\0')
		return std::string();
	FontEngine& engine = FontEngine::Default();
	std::string wanted(family);
	if (engine.CountStyles(wanted) > 0)
		return wanted;
	// Only a name that fills a font_family can be a cut one.
	if (strlen(family) < B_FONT_FAMILY_LENGTH - 3)
		return std::string();
	int32 count = engine.CountFamilies();
	for (int32 i = 0; i < count; i++) {
		std::string candidate;
		if (engine.GetFamily(i, &candidate) && is_cut_of(candidate, family))
			return candidate;
	}
	return std::string();
}

const graphics::FontFace* find_font_face(const char* family, const char* style)
{
	std::string familyName = resolve_family_name(family);
	if (familyName.empty())
		return nullptr;
	FontEngine& engine = FontEngine::Default();
	if (style == nullptr || style[0] == '\0')
		return engine.FindFace(familyName, std::string());
	const graphics::FontFace* face = engine.FindFace(familyName, style);
	if (face != nullptr || strlen(style) < B_FONT_STYLE_LENGTH - 3)
		return face;
	int32 count = engine.CountStyles(familyName);
	for (int32 i = 0; i < count; i++) {
		std::string candidate;
		if (engine.GetStyle(familyName, i, &candidate) && is_cut_of(candidate, style))
			return engine.FindFace(familyName, candidate);
	}
	return nullptr;
}

} // namespace BPrivate
