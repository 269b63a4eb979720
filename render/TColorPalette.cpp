#include "TColorPalette.h"

#include <algorithm>

namespace {

struct Counted {
	uint32 key;
	uint32 count;
	uint8 Channel(int32 c) const { return (uint8)(key >> (16 - 8 * c)); }
};

struct Box {
	size_t first;
	size_t end;
	int32 widest;
	int32 range;
};

Box make_box(std::vector<Counted>& colors, size_t first, size_t end)
{
	Box box{first, end, 0, -1};
	for (int32 c = 0; c < 3; c++) {
		uint8 low = 255, high = 0;
		for (size_t i = first; i < end; i++) {
			low = std::min(low, colors[i].Channel(c));
			high = std::max(high, colors[i].Channel(c));
		}
		if (high - low > box.range) {
			box.range = high - low;
			box.widest = c;
		}
	}
	return box;
}

} // namespace

void TColorPalette::Clear()
{
	mCounts.clear();
	mIndex.clear();
	mEntries.clear();
}

void TColorPalette::Add(const uint8* bits, int32 width, int32 height, int32 bytesPerRow)
{
	for (int32 y = 0; y < height; y++) {
		const uint8* pixel = bits + (size_t)y * bytesPerRow;
		uint32 last = ~0u;
		for (int32 x = 0; x < width; x++, pixel += 4) {
			const uint32 key = _Key(pixel);
			// Runs of one colour are the common case in a sign; they cost one look-up.
			if (key != last)
				mCounts[key]++;
			last = key;
		}
	}
}

void TColorPalette::Build()
{
	mIndex.clear();
	mEntries.clear();
	std::vector<Counted> colors;
	colors.reserve(mCounts.size());
	for (const auto& [key, count] : mCounts)
		colors.push_back(Counted{key, count});
	// A fixed order makes the palette the same on every run.
	std::sort(colors.begin(), colors.end(),
	          [](const Counted& a, const Counted& b) { return a.key < b.key; });

	std::vector<Box> boxes;
	if (!colors.empty())
		boxes.push_back(make_box(colors, 0, colors.size()));
	while ((int32)boxes.size() < kMaxEntries) {
		// The box with the widest channel is split where half its pixels lie on each side.
		auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
			return a.range < b.range;
		});
		if (widest == boxes.end() || widest->range <= 0 || widest->end - widest->first < 2)
			break;
		const Box box = *widest;
		std::sort(colors.begin() + box.first, colors.begin() + box.end,
		          [c = box.widest](const Counted& a, const Counted& b) {
			          return a.Channel(c) < b.Channel(c);
		          });
		uint64 total = 0;
		for (size_t i = box.first; i < box.end; i++)
			total += colors[i].count;
		uint64 seen = 0;
		size_t split = box.first + 1;
		for (size_t i = box.first; i < box.end - 1; i++) {
			seen += colors[i].count;
			split = i + 1;
			if (seen * 2 >= total)
				break;
		}
		*widest = make_box(colors, box.first, split);
		boxes.push_back(make_box(colors, split, box.end));
	}

	for (const Box& box : boxes) {
		uint64 sum[3] = {0, 0, 0}, weight = 0;
		for (size_t i = box.first; i < box.end; i++) {
			for (int32 c = 0; c < 3; c++)
				sum[c] += (uint64)colors[i].Channel(c) * colors[i].count;
			weight += colors[i].count;
			mIndex[colors[i].key] = (uint8)mEntries.size();
		}
		Color entry;
		for (int32 c = 0; c < 3; c++)
			entry.rgb[c] = (uint8)((sum[c] + weight / 2) / std::max<uint64>(weight, 1));
		mEntries.push_back(entry);
	}
}

uint8 TColorPalette::IndexOf(const uint8* pixel) const
{
	auto found = mIndex.find(_Key(pixel));
	return found != mIndex.end() ? found->second : 0;
}
