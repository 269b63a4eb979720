// A width and a height in the platform's convention: like BRect::Width, one less than the
// number of pixels an integer extent covers. B_SIZE_UNSET marks a size not given.
#ifndef _SIZE_H
#define _SIZE_H

#include <cmath>

#include <SupportDefs.h>

constexpr float B_SIZE_UNSET = -2.0f;
constexpr float B_SIZE_UNLIMITED = 1024.0f * 1024.0f * 1024.0f;

class BSize {
public:
	float width;
	float height;

	constexpr BSize() : width(B_SIZE_UNSET), height(B_SIZE_UNSET) {}
	constexpr BSize(float w, float h) : width(w), height(h) {}

	float Width() const { return width; }
	float Height() const { return height; }
	void Set(float w, float h)
	{
		width = w;
		height = h;
	}
	void SetWidth(float w) { width = w; }
	void SetHeight(float h) { height = h; }
	int32 IntegerWidth() const { return (int32)std::ceil(width); }
	int32 IntegerHeight() const { return (int32)std::ceil(height); }
	bool IsWidthSet() const { return width != B_SIZE_UNSET; }
	bool IsHeightSet() const { return height != B_SIZE_UNSET; }

	bool operator==(const BSize& other) const
	{
		return width == other.width && height == other.height;
	}
	bool operator!=(const BSize& other) const { return !(*this == other); }
};

#endif
