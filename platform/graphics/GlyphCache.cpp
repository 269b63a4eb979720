#include <GlyphCache.h>

#include <functional>

namespace graphics {

size_t GlyphCache::KeyHash::operator()(const Key& key) const
{
	size_t hash = std::hash<const void*>()(key.face);
	hash = hash * 31 + key.glyph;
	hash = hash * 31 + (size_t)(uint32)key.size;
	return hash * 2 + (key.monochrome ? 1 : 0);
}

GlyphCache::GlyphCache(size_t limitBytes) : fLimit(limitBytes) {}

std::shared_ptr<const Glyph> GlyphCache::Find(const Key& key)
{
	auto found = fIndex.find(key);
	if (found == fIndex.end())
		return nullptr;
	fOrder.splice(fOrder.begin(), fOrder, found->second);
	return found->second->glyph;
}

void GlyphCache::Insert(const Key& key, std::shared_ptr<const Glyph> glyph)
{
	if (glyph == nullptr)
		return;
	auto found = fIndex.find(key);
	if (found != fIndex.end()) {
		fBytes -= found->second->bytes;
		fOrder.erase(found->second);
		fIndex.erase(found);
	}
	size_t bytes = glyph->MemorySize();
	if (bytes > fLimit)
		return;
	fOrder.push_front(Entry{key, std::move(glyph), bytes});
	fIndex.emplace(key, fOrder.begin());
	fBytes += bytes;
	Trim();
}

void GlyphCache::SetLimit(size_t limitBytes)
{
	fLimit = limitBytes;
	Trim();
}

void GlyphCache::Clear()
{
	fIndex.clear();
	fOrder.clear();
	fBytes = 0;
}

void GlyphCache::Trim()
{
	while (fBytes > fLimit && !fOrder.empty()) {
		Entry& last = fOrder.back();
		fBytes -= last.bytes;
		fIndex.erase(last.key);
		fOrder.pop_back();
	}
}

} // namespace graphics
