// Reading a face out of a fontconfig pattern, the same way for every list of faces (the
// outline faces of the catalog and the bitmap strikes).
#ifndef _FONT_PATTERN_H
#define _FONT_PATTERN_H

#include <string>

#include <fontconfig/fontconfig.h>

#include <FontFace.h>

namespace graphics {

// Fontconfig lists a name in several languages; the English one (else the first) is the
// name the program shows and stores, so settings written on one locale read on another.
std::string english_pattern_value(FcPattern* pattern, const char* object,
                                  const char* languageObject);

// Fills the family and style (in English), the file, index, weight, slant and fixed width;
// false, when the pattern names no family or no file, for a pattern that is no usable face.
bool read_face_description(FcPattern* pattern, FontFace::Description* description);

} // namespace graphics

#endif
