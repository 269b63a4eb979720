// What a caller tells the font engine about the text it wants (face, size, antialiasing) and
// what it gets back: the vertical metrics and the placed glyphs of a run.
#ifndef _FONT_TYPES_H
#define _FONT_TYPES_H

#include <memory>
#include <vector>

#include <Glyph.h>

namespace graphics {

class FontFace;

struct FontSpec {
	// nullptr means the engine's plain face.
	const FontFace* face = nullptr;
	// In pixels; one point is one pixel.
	float size = 12.0f;
	// False selects the monochrome rasteriser: every pixel is fully inked or untouched.
	bool antialias = true;
};

struct FontHeight {
	float ascent = 0;
	float descent = 0;
	float leading = 0;
};

// A glyph of a laid-out run; `x` is the pen position in pixels from the run's start. The
// shared pointer keeps the glyph alive even if the cache drops it meanwhile.
struct PlacedGlyph {
	std::shared_ptr<const Glyph> glyph;
	float x;
};

struct GlyphRun {
	std::vector<PlacedGlyph> glyphs;
	// The pen's total advance, equal to the engine's width of the same text.
	float advance = 0;
};

} // namespace graphics

#endif
