#include "SystemPalette.h"

#include <array>
#include <cstdint>

namespace {

const int32 kGreyCount = 44;
const uint8 kWhiteIndex = 63;
const int32 kCubeLevels = 6;

std::array<rgb_color, 256> make_palette()
{
	std::array<rgb_color, 256> colors;
	for (int32 i = 0; i < kGreyCount; i++) {
		uint8 grey = (uint8)((i * 255 + kGreyCount / 2) / kGreyCount);
		colors[i] = make_color(grey, grey, grey);
	}
	colors[kWhiteIndex] = make_color(255, 255, 255);
	colors[B_TRANSPARENT_MAGIC_CMAP8] = B_TRANSPARENT_COLOR;

	int32 index = kGreyCount;
	for (int32 r = 0; r < kCubeLevels; r++) {
		for (int32 g = 0; g < kCubeLevels; g++) {
			for (int32 b = 0; b < kCubeLevels; b++) {
				// The cube's greys would only repeat the ramp and white.
				if (r == g && g == b)
					continue;
				if (index == kWhiteIndex)
					index++;
				colors[index++] = make_color((uint8)(r * 51), (uint8)(g * 51), (uint8)(b * 51));
			}
		}
	}
	return colors;
}

const std::array<rgb_color, 256>& palette()
{
	static const std::array<rgb_color, 256> sColors = make_palette();
	return sColors;
}

uint8 nearest_opaque(uint8 red, uint8 green, uint8 blue)
{
	const std::array<rgb_color, 256>& colors = palette();
	int32 best = 0;
	int32 bestDistance = INT32_MAX;
	for (int32 i = 0; i < 256; i++) {
		if (i == B_TRANSPARENT_MAGIC_CMAP8)
			continue;
		int32 dr = (int32)colors[i].red - red;
		int32 dg = (int32)colors[i].green - green;
		int32 db = (int32)colors[i].blue - blue;
		int32 distance = dr * dr + dg * dg + db * db;
		if (distance < bestDistance) {
			bestDistance = distance;
			best = i;
			if (distance == 0)
				break;
		}
	}
	return (uint8)best;
}

color_map* make_color_map()
{
	color_map* map = new color_map;
	map->id = 0;
	for (int32 i = 0; i < 256; i++)
		map->color_list[i] = palette()[i];
	for (int32 i = 0; i < 256; i++) {
		rgb_color color = palette()[i];
		map->inversion_map[i] =
		    i == B_TRANSPARENT_MAGIC_CMAP8
		        ? B_TRANSPARENT_MAGIC_CMAP8
		        : nearest_opaque(255 - color.red, 255 - color.green, 255 - color.blue);
	}
	// Five bits widen to eight by repeating their top bits, so 31 means 255.
	for (int32 i = 0; i < 32768; i++) {
		auto widen = [](int32 five) { return (uint8)((five << 3) | (five >> 2)); };
		map->index_map[i] =
		    nearest_opaque(widen((i >> 10) & 31), widen((i >> 5) & 31), widen(i & 31));
	}
	return map;
}

} // namespace

const color_map* system_colors()
{
	static const color_map* sMap = make_color_map();
	return sMap;
}

namespace BPrivate {

rgb_color palette_color(uint8 index)
{
	return palette()[index];
}

uint8 palette_index(rgb_color color)
{
	if (color.alpha == 0)
		return B_TRANSPARENT_MAGIC_CMAP8;
	return nearest_opaque(color.red, color.green, color.blue);
}

} // namespace BPrivate
