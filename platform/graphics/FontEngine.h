// The process's one font engine: the installed fonts (through the catalog), FreeType, and
// the caches of advances and rendered glyphs. Every public call takes one lock, so windows
// may use fonts from their own threads. Text is UTF-8; sizes are pixels.
//
// A character the chosen face lacks is taken from the first face of the fallback order that
// has it, so Japanese shows in any font. Control characters take no space and draw nothing,
// because the platform's text is one line and a stray tab or newline must not show as a box.
#ifndef _FONT_ENGINE_H
#define _FONT_ENGINE_H

#include <mutex>
#include <string>
#include <unordered_map>

#include <FontCatalog.h>
#include <FontTypes.h>
#include <GlyphCache.h>

namespace graphics {

class FontEngine {
public:
	// Built on first use. At exit it gives FreeType and fontconfig back (fontconfig keeps
	// memory that only its own shutdown frees) but the engine object stays, so a thread
	// still drawing while the program exits measures nothing instead of touching freed
	// memory.
	static FontEngine& Default();

	// B_OK when at least one font is usable; otherwise widths are 0 and nothing is drawn.
	status_t InitCheck() const { return fInitStatus; }

	int32 CountFamilies();
	bool GetFamily(int32 index, std::string* family);
	int32 CountStyles(const std::string& family);
	bool GetStyle(const std::string& family, int32 index, std::string* style);

	// nullptr when the family or the style is unknown; an empty style picks the regular one.
	const FontFace* FindFace(const std::string& family, const std::string& style);
	const FontFace* FindFace(uint16 familyId, uint16 styleId);
	// The face of the family and style, or the plain face when either is unknown; `found`
	// tells which happened.
	const FontFace* ResolveFace(const std::string& family, const std::string& style,
	                            bool* found = nullptr);
	// The faces fontconfig matches for sans-serif with Japanese coverage, its bold, and
	// monospace.
	const FontFace* PlainFace() const { return fCatalog.Plain(); }
	const FontFace* BoldFace() const { return fCatalog.Bold(); }
	const FontFace* FixedFace() const { return fCatalog.Fixed(); }

	FontHeight GetHeight(const FontSpec& font);
	float StringWidth(const FontSpec& font, const char* text, size_t length);
	// Lays out a run: its glyphs with their pen positions and the total advance.
	status_t Layout(const FontSpec& font, const char* text, size_t length, GlyphRun* run);
	// The face that draws the character in the given font: the font's own, a fallback, or
	// nullptr when no installed face has it.
	const FontFace* FaceForCharacter(const FontSpec& font, uint32 codePoint);

	void SetGlyphCacheLimit(size_t bytes);
	size_t GlyphCacheBytes();
	size_t CachedGlyphCount();

	// Sizes beyond this are drawn at it; FreeType refuses far larger ones anyway.
	static constexpr float kMaxSize = 10000.0f;

private:
	FontEngine();
	~FontEngine() = delete;
	void Shutdown();

	struct Mapped {
		const FontFace* face;
		uint32 glyph;
	};
	const FontFace* FaceOf(const FontSpec& font) const;
	static int32 FixedSize(float size);
	bool Prepare(const FontFace* face, int32 size);
	Mapped MapCharacter(const FontFace* face, uint32 codePoint);
	const FontFace* FallbackFor(uint32 codePoint);
	float AdvanceOf(const Mapped& mapped, int32 size);
	std::shared_ptr<const Glyph> GlyphOf(const Mapped& mapped, int32 size, bool monochrome);
	// Steps through the text under the lock; collects glyphs when `run` is given.
	status_t Walk(const FontSpec& font, const char* text, size_t length, GlyphRun* run,
	              float* advance);

	std::mutex fLock;
	FT_LibraryRec_* fLibrary = nullptr;
	FontCatalog fCatalog;
	GlyphCache fGlyphs;
	std::unordered_map<GlyphCache::Key, float, GlyphCache::KeyHash> fAdvances;
	std::unordered_map<uint32, const FontFace*> fFallbacks;
	status_t fInitStatus = B_NO_INIT;
};

// Decodes the UTF-8 character at text[*offset] and moves the offset past it. Malformed
// bytes (stray continuation bytes, overlong forms, surrogates, truncated sequences) become
// U+FFFD one byte at a time, so no input can make a reader skip or overrun its buffer.
uint32 next_code_point(const char* text, size_t length, size_t* offset);

} // namespace graphics

#endif
