// TToolButton: the images of its states, and how the missing ones are made from the base image.
#include "TToolButton.h"

#include <cstring>

#include <Bitmap.h>

#include "ToolBarColors.h"

namespace {

// Where the four channels lie in a pixel of a 32-bit colour space, or false for any other.
struct ChannelOrder {
	int blue, green, red, alpha;
};

bool channel_order(color_space space, ChannelOrder* order)
{
	switch (space) {
	case B_RGB32:
	case B_RGBA32:
		*order = {0, 1, 2, 3};
		return true;
	case B_RGB32_BIG:
	case B_RGBA32_BIG:
		*order = {3, 2, 1, 0};
		return true;
	default:
		return false;
	}
}

// A copy of the source in which the pixels that `paint` picks by their alpha take the colour.
BBitmap* convert_copy(const BBitmap* source, rgb_color color, bool (*paint)(uint8 alpha))
{
	ChannelOrder order;
	if (source == nullptr || !source->IsValid() || !channel_order(source->ColorSpace(), &order))
		return nullptr;
	BBitmap* copy = new BBitmap(source->Bounds(), source->ColorSpace());
	if (!copy->IsValid() || copy->BitsLength() != source->BitsLength() ||
	    copy->BytesPerRow() != source->BytesPerRow()) {
		delete copy;
		return nullptr;
	}
	const uint8* from = (const uint8*)source->Bits();
	uint8* to = (uint8*)copy->Bits();
	memcpy(to, from, (size_t)source->BitsLength());
	int32 rowBytes = source->BytesPerRow();
	int32 rows = source->BitsLength() / rowBytes;
	int32 columns = (int32)(source->Bounds().Width() + 1.5f);
	for (int32 y = 0; y < rows; y++) {
		uint8* row = to + y * rowBytes;
		for (int32 x = 0; x < columns && (x + 1) * 4 <= rowBytes; x++) {
			uint8* pixel = row + x * 4;
			if (!paint(pixel[order.alpha]))
				continue;
			pixel[order.blue] = color.blue;
			pixel[order.green] = color.green;
			pixel[order.red] = color.red;
			pixel[order.alpha] = color.alpha;
		}
	}
	return copy;
}

} // namespace

BBitmap* TToolButton::ConvertFilledCopy(const BBitmap* source, rgb_color color)
{
	return convert_copy(source, color, [](uint8 alpha) { return alpha != 0; });
}

BBitmap* TToolButton::ConvertTransparentCopy(const BBitmap* source, rgb_color color)
{
	return convert_copy(source, color, [](uint8 alpha) { return alpha == 0; });
}

status_t TToolButton::SetImage(int32 index, BBitmap* image)
{
	if (index < 0 || index >= kStateCount)
		return -1;
	BBitmap* base = mImages[kStateOff];
	if (index != kStateOff) {
		if (base == nullptr || image == nullptr || image->Bounds() != base->Bounds())
			return -1;
	}
	if (mImages[index] != image)
		delete mImages[index];
	mImages[index] = image;
	if (index == kStateOff) {
		// Images made for another base no longer fit; they are derived again when needed.
		for (int32 i = kStateOn; i < kStateCount; i++) {
			if (mImages[i] != nullptr &&
			    (image == nullptr || mImages[i]->Bounds() != image->Bounds())) {
				delete mImages[i];
				mImages[i] = nullptr;
			}
		}
		AdjustDivider();
		ResizeToPreferred();
	}
	Invalidate();
	return B_OK;
}

BBitmap* TToolButton::ImageAt(int32 index) const
{
	return index >= 0 && index < kStateCount ? mImages[index] : nullptr;
}

status_t TToolButton::SetDefaultImages()
{
	BBitmap* base = mImages[kStateOff];
	if (base == nullptr)
		return -1;
	bool made = false;
	if (mImages[kStateDisabledOff] == nullptr) {
		mImages[kStateDisabledOff] = ConvertFilledCopy(base, COLOR_DISABLED_FILLED);
		made = true;
	}
	if (mImages[kStateHotOff] == nullptr) {
		mImages[kStateHotOff] = ConvertTransparentCopy(base, COLOR_HOT_OFF_BG);
		made = true;
	}
	if (mImages[kStateOn] == nullptr) {
		mImages[kStateOn] = ConvertTransparentCopy(base, COLOR_ENABLED_DISABLED_ON_BG);
		made = true;
	}
	if (mImages[kStateDisabledOn] == nullptr && mImages[kStateDisabledOff] != nullptr) {
		mImages[kStateDisabledOn] =
		    ConvertTransparentCopy(mImages[kStateDisabledOff], COLOR_ENABLED_DISABLED_ON_BG);
		made = true;
	}
	return made ? B_OK : -1;
}

void TToolButton::ClearImages()
{
	for (int32 i = kStateOn; i < kStateCount; i++) {
		delete mImages[i];
		mImages[i] = nullptr;
	}
	Invalidate();
}
