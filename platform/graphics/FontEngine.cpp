#include <FontEngine.h>

#include <cmath>
#include <cstdlib>

#include <fontconfig/fontconfig.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace graphics {

namespace {

// Enough for every glyph of a long sign at the sizes the LED renderer rasterises at.
constexpr size_t kDefaultGlyphCacheBytes = 16 << 20;
// The advance and fallback maps are small per entry; past this they are simply emptied.
constexpr size_t kMaxMapEntries = 1 << 16;

bool is_control(uint32 c)
{
	return c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0);
}

} // namespace

uint32 next_code_point(const char* text, size_t length, size_t* offset)
{
	constexpr uint32 kReplacement = 0xfffd;
	const uint8* bytes = (const uint8*)text;
	size_t at = *offset;
	uint8 lead = bytes[at];
	*offset = at + 1;
	if (lead < 0x80)
		return lead;
	int32 count;
	uint32 value;
	uint32 minimum;
	if (lead >= 0xc2 && lead <= 0xdf) {
		count = 1;
		value = lead & 0x1f;
		minimum = 0x80;
	} else if (lead >= 0xe0 && lead <= 0xef) {
		count = 2;
		value = lead & 0x0f;
		minimum = 0x800;
	} else if (lead >= 0xf0 && lead <= 0xf4) {
		count = 3;
		value = lead & 0x07;
		minimum = 0x10000;
	} else {
		return kReplacement;
	}
	if (length - at - 1 < (size_t)count)
		return kReplacement;
	for (int32 i = 1; i <= count; i++) {
		uint8 next = bytes[at + i];
		if ((next & 0xc0) != 0x80)
			return kReplacement;
		value = (value << 6) | (next & 0x3f);
	}
	if (value < minimum || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
		return kReplacement;
	*offset = at + 1 + count;
	return value;
}

FontEngine& FontEngine::Default()
{
	static FontEngine* engine = [] {
		FontEngine* created = new FontEngine();
		std::atexit([] { Default().Shutdown(); });
		return created;
	}();
	return *engine;
}

void FontEngine::Shutdown()
{
	std::lock_guard<std::mutex> lock(fLock);
	fInitStatus = B_NO_INIT;
	fGlyphs.Clear();
	fAdvances.clear();
	fFallbacks.clear();
	fCatalog.Release();
	if (fLibrary != nullptr)
		FT_Done_FreeType(fLibrary);
	fLibrary = nullptr;
	FcFini();
}

FontEngine::FontEngine() : fGlyphs(kDefaultGlyphCacheBytes)
{
	if (FT_Init_FreeType(&fLibrary) != 0) {
		fLibrary = nullptr;
		fInitStatus = B_ERROR;
		return;
	}
	fInitStatus = fCatalog.Build();
}

int32 FontEngine::CountFamilies()
{
	std::lock_guard<std::mutex> lock(fLock);
	return fCatalog.CountFamilies();
}

bool FontEngine::GetFamily(int32 index, std::string* family)
{
	std::lock_guard<std::mutex> lock(fLock);
	const std::string* name = fCatalog.FamilyAt(index);
	if (name == nullptr)
		return false;
	*family = *name;
	return true;
}

int32 FontEngine::CountStyles(const std::string& family)
{
	std::lock_guard<std::mutex> lock(fLock);
	return fCatalog.CountStyles(family);
}

bool FontEngine::GetStyle(const std::string& family, int32 index, std::string* style)
{
	std::lock_guard<std::mutex> lock(fLock);
	const FontFace* face = fCatalog.StyleAt(family, index);
	if (face == nullptr)
		return false;
	*style = face->Style();
	return true;
}

const FontFace* FontEngine::FindFace(const std::string& family, const std::string& style)
{
	std::lock_guard<std::mutex> lock(fLock);
	return fCatalog.Find(family, style);
}

const FontFace* FontEngine::FindFace(uint16 familyId, uint16 styleId)
{
	std::lock_guard<std::mutex> lock(fLock);
	return fCatalog.FindById(familyId, styleId);
}

const FontFace* FontEngine::ResolveFace(const std::string& family, const std::string& style,
                                        bool* found)
{
	std::lock_guard<std::mutex> lock(fLock);
	const FontFace* face = fCatalog.Find(family, style);
	if (found != nullptr)
		*found = face != nullptr;
	return face != nullptr ? face : fCatalog.Plain();
}

const FontFace* FontEngine::FaceOf(const FontSpec& font) const
{
	return font.face != nullptr ? font.face : fCatalog.Plain();
}

int32 FontEngine::FixedSize(float size)
{
	if (!std::isfinite(size) || size <= 0)
		return 0;
	return (int32)std::lround(std::min(size, kMaxSize) * 64.0f);
}

bool FontEngine::Prepare(const FontFace* face, int32 size)
{
	return face != nullptr && face->Open(fLibrary) == B_OK && face->SetSize(size) == B_OK;
}

const FontFace* FontEngine::FallbackFor(uint32 codePoint)
{
	auto found = fFallbacks.find(codePoint);
	if (found != fFallbacks.end())
		return found->second;
	const FontFace* chosen = nullptr;
	for (const FontFace* face : fCatalog.FallbackOrder()) {
		if (face->HasCharacter(codePoint) && face->Open(fLibrary) == B_OK &&
		    face->GlyphIndex(codePoint) != 0) {
			chosen = face;
			break;
		}
	}
	if (fFallbacks.size() >= kMaxMapEntries)
		fFallbacks.clear();
	fFallbacks.emplace(codePoint, chosen);
	return chosen;
}

FontEngine::Mapped FontEngine::MapCharacter(const FontFace* face, uint32 codePoint)
{
	if (face->Open(fLibrary) == B_OK) {
		uint32 glyph = face->GlyphIndex(codePoint);
		if (glyph != 0)
			return Mapped{face, glyph};
	}
	const FontFace* fallback = FallbackFor(codePoint);
	if (fallback != nullptr)
		return Mapped{fallback, fallback->GlyphIndex(codePoint)};
	// No face has it: the chosen face's "missing glyph" shows that something is there.
	return Mapped{face, 0};
}

float FontEngine::AdvanceOf(const Mapped& mapped, int32 size)
{
	GlyphCache::Key key{mapped.face, mapped.glyph, size, false};
	auto found = fAdvances.find(key);
	if (found != fAdvances.end())
		return found->second;
	float advance = Prepare(mapped.face, size) ? mapped.face->Advance(mapped.glyph) : 0;
	if (fAdvances.size() >= kMaxMapEntries)
		fAdvances.clear();
	fAdvances.emplace(key, advance);
	return advance;
}

std::shared_ptr<const Glyph> FontEngine::GlyphOf(const Mapped& mapped, int32 size, bool monochrome)
{
	GlyphCache::Key key{mapped.face, mapped.glyph, size, monochrome};
	std::shared_ptr<const Glyph> cached = fGlyphs.Find(key);
	if (cached != nullptr)
		return cached;
	auto glyph = std::make_shared<Glyph>();
	// A glyph that fails to render is kept as an empty one, so it is not tried again for
	// every run.
	if (!Prepare(mapped.face, size) ||
	    mapped.face->Render(mapped.glyph, monochrome, glyph.get()) != B_OK)
		*glyph = Glyph();
	fGlyphs.Insert(key, glyph);
	return glyph;
}

status_t FontEngine::Walk(const FontSpec& font, const char* text, size_t length, GlyphRun* run,
                          float* advance)
{
	*advance = 0;
	if (fInitStatus != B_OK)
		return fInitStatus;
	if (text == nullptr)
		return length == 0 ? B_OK : B_BAD_VALUE;
	const FontFace* face = FaceOf(font);
	int32 size = FixedSize(font.size);
	if (face == nullptr || size == 0)
		return B_OK;
	float pen = 0;
	size_t offset = 0;
	while (offset < length) {
		uint32 codePoint = next_code_point(text, length, &offset);
		if (is_control(codePoint))
			continue;
		Mapped mapped = MapCharacter(face, codePoint);
		// Widths need no rendering: the advances come from the faces' metrics alone.
		if (run != nullptr) {
			std::shared_ptr<const Glyph> glyph = GlyphOf(mapped, size, !font.antialias);
			if (glyph->width > 0 && glyph->height > 0)
				run->glyphs.push_back(PlacedGlyph{std::move(glyph), pen});
		}
		pen += AdvanceOf(mapped, size);
	}
	*advance = pen;
	return B_OK;
}

status_t FontEngine::Layout(const FontSpec& font, const char* text, size_t length, GlyphRun* run)
{
	std::lock_guard<std::mutex> lock(fLock);
	run->glyphs.clear();
	return Walk(font, text, length, run, &run->advance);
}

float FontEngine::StringWidth(const FontSpec& font, const char* text, size_t length)
{
	std::lock_guard<std::mutex> lock(fLock);
	float width = 0;
	Walk(font, text, length, nullptr, &width);
	return width;
}

FontHeight FontEngine::GetHeight(const FontSpec& font)
{
	std::lock_guard<std::mutex> lock(fLock);
	const FontFace* face = FaceOf(font);
	int32 size = FixedSize(font.size);
	if (fInitStatus != B_OK || size == 0 || !Prepare(face, size))
		return FontHeight();
	return face->Height(size / 64.0f);
}

const FontFace* FontEngine::FaceForCharacter(const FontSpec& font, uint32 codePoint)
{
	std::lock_guard<std::mutex> lock(fLock);
	const FontFace* face = FaceOf(font);
	if (fInitStatus != B_OK || face == nullptr)
		return nullptr;
	Mapped mapped = MapCharacter(face, codePoint);
	return mapped.glyph != 0 ? mapped.face : nullptr;
}

void FontEngine::SetGlyphCacheLimit(size_t bytes)
{
	std::lock_guard<std::mutex> lock(fLock);
	fGlyphs.SetLimit(bytes);
}

size_t FontEngine::GlyphCacheBytes()
{
	std::lock_guard<std::mutex> lock(fLock);
	return fGlyphs.Bytes();
}

size_t FontEngine::CachedGlyphCount()
{
	std::lock_guard<std::mutex> lock(fLock);
	return fGlyphs.Count();
}

} // namespace graphics
