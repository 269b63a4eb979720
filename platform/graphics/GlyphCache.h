// Rendered glyphs, most recently used first, bounded by the memory they take. The font
// engine's lock guards it; handing glyphs out as shared pointers lets a caller keep drawing
// one that another thread's work has meanwhile pushed out.
#ifndef _GLYPH_CACHE_H
#define _GLYPH_CACHE_H

#include <list>
#include <memory>
#include <unordered_map>

#include <Glyph.h>

namespace graphics {

class FontFace;

class GlyphCache {
public:
	struct Key {
		const FontFace* face;
		uint32 glyph;
		int32 size; // 26.6 fixed point pixels
		bool monochrome;

		bool operator==(const Key& other) const
		{
			return face == other.face && glyph == other.glyph && size == other.size &&
			       monochrome == other.monochrome;
		}
	};
	struct KeyHash {
		size_t operator()(const Key& key) const;
	};

	explicit GlyphCache(size_t limitBytes);

	// nullptr when the glyph is not cached; a hit becomes the most recently used.
	std::shared_ptr<const Glyph> Find(const Key& key);
	// Adds a glyph and drops the least recently used ones beyond the limit. A glyph larger
	// than the whole limit is not kept.
	void Insert(const Key& key, std::shared_ptr<const Glyph> glyph);

	void SetLimit(size_t limitBytes);
	size_t Limit() const { return fLimit; }
	size_t Bytes() const { return fBytes; }
	size_t Count() const { return fIndex.size(); }
	void Clear();

private:
	struct Entry {
		Key key;
		std::shared_ptr<const Glyph> glyph;
		size_t bytes;
	};
	void Trim();

	std::list<Entry> fOrder;
	std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> fIndex;
	size_t fLimit;
	size_t fBytes = 0;
};

} // namespace graphics

#endif
