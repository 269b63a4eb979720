// The application's icons, and eight-bit icons made from true-colour ones.
//
// The icon is a PNG resource compiled into the executable. It is scaled to the sizes asked for
// by averaging the area of the picture that each icon pixel covers (weighted by opacity, so
// transparent pixels lend no colour to the edges), which keeps thin lines visible where
// picking single pixels would lose them.
#include "UIUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <Application.h>
#include <Bitmap.h>
#include <NodeInfo.h>
#include <Resources.h>
#include <View.h>

#include <PngCodec.h>

namespace {

const type_code kIconType = 'PNG ';
const char* const kIconName = "icon";
const int32 kLargeIconSize = 32;
const int32 kSmallIconSize = 16;
// An icon has no business being larger than this; a bigger resource is a mistake.
const int64 kMaxIconPixels = 1024 * 1024;

// The source pixels that one target pixel covers, with the share of each.
struct Tap {
	int32 index;
	double weight;
};

std::vector<std::vector<Tap>> taps_for(int32 sourceSize, int32 targetSize)
{
	std::vector<std::vector<Tap>> taps((size_t)targetSize);
	double scale = (double)sourceSize / targetSize;
	for (int32 target = 0; target < targetSize; target++) {
		double start = target * scale;
		double end = (target + 1) * scale;
		for (int32 source = (int32)std::floor(start); source < sourceSize && source < end;
		     source++) {
			double weight = std::min(end, source + 1.0) - std::max(start, (double)source);
			if (weight > 0)
				taps[(size_t)target].push_back({source, weight});
		}
	}
	return taps;
}

uint8 to_byte(double value)
{
	return (uint8)std::clamp(value + 0.5, 0.0, 255.0);
}

// Fills a square B_RGBA32 bitmap with the image scaled to it.
void scale_into(const graphics::PngImage& image, BBitmap* icon, int32 size)
{
	std::vector<std::vector<Tap>> across = taps_for(image.width, size);
	std::vector<std::vector<Tap>> down = taps_for(image.height, size);
	uint8* bits = (uint8*)icon->Bits();
	for (int32 y = 0; y < size; y++) {
		uint8* pixel = bits + (size_t)y * icon->BytesPerRow();
		for (int32 x = 0; x < size; x++, pixel += 4) {
			double blue = 0, green = 0, red = 0, alpha = 0, area = 0;
			for (const Tap& row : down[(size_t)y]) {
				const uint8* line = image.pixels.data() + (size_t)row.index * image.width * 4;
				for (const Tap& column : across[(size_t)x]) {
					const uint8* source = line + (size_t)column.index * 4;
					double weight = row.weight * column.weight;
					double opacity = source[3] * weight;
					blue += source[0] * opacity;
					green += source[1] * opacity;
					red += source[2] * opacity;
					alpha += opacity;
					area += weight;
				}
			}
			if (alpha > 0) {
				pixel[0] = to_byte(blue / alpha);
				pixel[1] = to_byte(green / alpha);
				pixel[2] = to_byte(red / alpha);
			}
			pixel[3] = area > 0 ? to_byte(alpha / area) : 0;
		}
	}
}

// The application's icon resource, decoded with the platform's byte order.
status_t load_icon(graphics::PngImage* image)
{
	size_t size = 0;
	const void* data = BApplication::AppResources()->LoadResource(kIconType, kIconName, &size);
	if (data == nullptr)
		return B_NAME_NOT_FOUND;
	status_t status =
	    graphics::PngCodec::Decode(data, size, graphics::PixelLayout::Bgra, image, kMaxIconPixels);
	if (status == B_OK && (image->width <= 0 || image->height <= 0))
		status = B_BAD_DATA;
	return status;
}

// A new icon of the size; transparent when there is no picture to scale.
status_t make_icon(const graphics::PngImage& image, status_t loaded, int32 size, BBitmap** icon)
{
	*icon = new BBitmap(BRect(0, 0, size - 1, size - 1), B_RGBA32);
	if (loaded != B_OK)
		return loaded;
	if ((*icon)->InitCheck() != B_OK)
		return (*icon)->InitCheck();
	scale_into(image, *icon, size);
	return B_OK;
}

// A 32-bit copy of a bitmap of another space, for the painter, which draws only those.
BBitmap* as_32_bit(const BBitmap* source)
{
	BBitmap* copy = new BBitmap(source->Bounds(), B_RGBA32);
	if (copy->ImportBits(source) != B_OK) {
		delete copy;
		return nullptr;
	}
	return copy;
}

} // namespace

status_t get_icons(BBitmap** large, BBitmap** small)
{
	// The icon belongs to the application that its signature names; without one there is no
	// icon to speak of. (Throwing here instead would end the program.)
	if (be_app == nullptr || !is_valid_mime_type(be_app->Signature()))
		return B_BAD_VALUE;
	graphics::PngImage image;
	status_t loaded = load_icon(&image);
	status_t status = B_OK;
	if (large != nullptr)
		status |= make_icon(image, loaded, kLargeIconSize, large);
	if (small != nullptr)
		status |= make_icon(image, loaded, kSmallIconSize, small);
	return status;
}

BBitmap* create_icon8_from_icon24(const BBitmap* source, int32 transparentIndex)
{
	if (source == nullptr || !source->IsValid())
		return nullptr;
	const BBitmap* picture = source;
	BBitmap* converted = nullptr;
	if (source->ColorSpace() != B_RGBA32 && source->ColorSpace() != B_RGB32) {
		converted = as_32_bit(source);
		if (converted == nullptr)
			return nullptr;
		picture = converted;
	}

	BRect bounds = source->Bounds();
	BBitmap work(bounds, B_CMAP8, true);
	if (work.InitCheck() != B_OK) {
		delete converted;
		return nullptr;
	}
	BView* view = new BView(bounds, "Icon8WorkView", B_FOLLOW_NONE, 0);
	work.AddChild(view);
	if (work.Lock()) {
		view->DrawBitmap(picture, BPoint(0, 0));
		view->Sync();
		work.Unlock();
	}
	delete converted;

	BBitmap* result = new BBitmap(bounds, B_CMAP8);
	if (result->ImportBits(&work) != B_OK) {
		delete result;
		return nullptr;
	}
	uint8* bits = (uint8*)result->Bits();
	if (transparentIndex >= 0 && transparentIndex < result->BitsLength()) {
		uint8 transparent = bits[transparentIndex];
		// Only the pixels change, not the padding at the ends of the rows.
		int32 width = (int32)std::floor(bounds.right - bounds.left + 0.5) + 1;
		for (int32 row = 0; row < result->BitsLength(); row += result->BytesPerRow()) {
			uint8* pixel = bits + row;
			std::replace(pixel, pixel + width, transparent, B_TRANSPARENT_MAGIC_CMAP8);
		}
	}
	return result;
}
