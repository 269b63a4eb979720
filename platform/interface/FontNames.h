// How the interface kit turns the names that callers hold into faces of the font engine. A
// font_family holds 63 bytes, and the engine's names may be longer, so names handed out are
// cut at a character boundary and a cut name still finds its face.
#ifndef _FONT_NAMES_H
#define _FONT_NAMES_H

#include <string>

#include <Font.h>

namespace graphics {
class FontFace;
}

namespace BPrivate {

// Copies the name into a font_family or font_style (which are the same size), cut at the
// last whole UTF-8 character that fits.
void copy_font_name(char (&out)[B_FONT_FAMILY_LENGTH + 1], const char* name);

// The engine's family name that the caller's name stands for: the name itself when it is a
// family, the family whose cut name it is, or an empty string.
std::string resolve_family_name(const char* family);

// The face of the family and style, style names resolved as family names are. A null or
// empty style picks the family's regular face. Null when either is unknown.
const graphics::FontFace* find_font_face(const char* family, const char* style);

} // namespace BPrivate

#endif
