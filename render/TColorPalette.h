// TColorPalette finds the colours of pictures for formats with a palette of at most 256
// entries. While the pictures hold no more than 256 distinct colours the palette is exactly
// those colours; beyond that it is reduced by median cut (boxes of colours split at their
// count-weighted median along their widest channel), each box becoming its weighted mean.
// Alpha is not kept: the formats it serves have none.
#ifndef T_COLOR_PALETTE_H
#define T_COLOR_PALETTE_H

#include <unordered_map>
#include <vector>

#include <SupportDefs.h>

class TColorPalette {
public:
	static constexpr int32 kMaxEntries = 256;

	void Clear();
	// Counts the colours of a picture in the platform's 32-bit layout.
	void Add(const uint8* bits, int32 width, int32 height, int32 bytesPerRow);
	int32 DistinctColors() const { return (int32)mCounts.size(); }
	bool IsExact() const { return mCounts.size() <= (size_t)kMaxEntries; }

	// Makes the palette from the colours counted so far.
	void Build();
	int32 CountEntries() const { return (int32)mEntries.size(); }
	// Red, green, blue of an entry.
	const uint8* Entry(int32 index) const { return mEntries[index].rgb; }
	// The entry for a colour counted before Build (as a pixel of the platform's layout).
	uint8 IndexOf(const uint8* pixel) const;

private:
	struct Color {
		uint8 rgb[3];
	};
	static uint32 _Key(const uint8* pixel)
	{
		return (uint32)pixel[2] << 16 | (uint32)pixel[1] << 8 | pixel[0];
	}

	std::unordered_map<uint32, uint32> mCounts;
	std::unordered_map<uint32, uint8> mIndex;
	std::vector<Color> mEntries;
};

#endif
