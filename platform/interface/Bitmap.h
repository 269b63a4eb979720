// A block of pixels in memory with a colour space and a bounds rectangle. A bitmap made with
// B_BITMAP_ACCEPTS_VIEWS can have views attached, which draw straight into its pixels; it
// owns them and deletes them with itself, and it has a looper of its own (never run) whose
// lock guards them, which Lock() and the views' LockLooper() take.
//
// Pixel size. The bounds are inclusive like every rectangle: (0, 0, n - 1, m - 1) holds
// n x m pixels. The bounds' left-top corner is pixel (0, 0), and the other edges are rounded
// to the nearest pixel (halves upward), as the painter rounds rectangles, so a view whose
// bounds equal the bitmap's fills exactly every pixel of it: the width is
// floor(right - left + 0.5) + 1, and bounds (0, 0, 10.3, 4.7) hold 11 x 6 pixels.
//
// Sizes that cannot be held (an invalid or non-finite rectangle, a side beyond 1 << 24
// pixels, more than 2 GiB of pixels, memory that cannot be had) leave an invalid bitmap
// (InitCheck() says why); nothing else about such a bitmap is usable, but nothing crashes.
#ifndef _BITMAP_H
#define _BITMAP_H

#include <Archivable.h>
#include <GraphicsDefs.h>
#include <Rect.h>

class BLooper;
class BMessage;
class BView;

namespace BPrivate {
class BitmapHost;
}

namespace graphics {
struct PixelBuffer;
}

enum {
	B_BITMAP_CLEAR_TO_WHITE = 0x00000001,
	B_BITMAP_ACCEPTS_VIEWS = 0x00000002,
	B_BITMAP_IS_AREA = 0x00000004,
	B_BITMAP_IS_LOCKED = 0x00000008 | B_BITMAP_IS_AREA,
	B_BITMAP_IS_CONTIGUOUS = 0x00000010 | B_BITMAP_IS_LOCKED,
	B_BITMAP_IS_OFFSCREEN = 0x00000020,
	B_BITMAP_WILL_OVERLAY = 0x00000040 | B_BITMAP_IS_OFFSCREEN,
	B_BITMAP_RESERVE_OVERLAY_CHANNEL = 0x00000080,
	B_BITMAP_NO_SERVER_LINK = 0x00000100,
};

#define B_ANY_BYTES_PER_ROW -1

class BBitmap : public BArchivable {
public:
	BBitmap(BRect bounds, uint32 flags, color_space colorSpace,
	        int32 bytesPerRow = B_ANY_BYTES_PER_ROW, screen_id screenID = B_MAIN_SCREEN_ID);
	BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews = false,
	        bool needsContiguous = false);
	// Copies the pixels (not the views) of the source, with new flags.
	BBitmap(const BBitmap* source, uint32 flags);
	BBitmap(const BBitmap& source, uint32 flags);
	BBitmap(const BBitmap& source);
	explicit BBitmap(BMessage* archive);
	~BBitmap() override;

	static BArchivable* Instantiate(BMessage* archive);
	// Fields "_frame", "_cspace", "_bmflags", "_rowbytes" and the pixels in "_data"; with
	// deep, the attached views under "_views".
	status_t Archive(BMessage* archive, bool deep = true) const override;

	status_t InitCheck() const { return fInitStatus; }
	bool IsValid() const { return fInitStatus == B_OK; }

	// Pixels never move, so these only check validity.
	status_t LockBits(uint32* state = nullptr);
	void UnlockBits();

	// Null, 0 and B_NO_COLOR_SPACE for an invalid bitmap. The bytes of a B_CMAP8 bitmap are
	// brought up to date with what its views drew before they are handed out.
	void* Bits() const;
	int32 BitsLength() const { return fBitsLength; }
	int32 BytesPerRow() const { return fBytesPerRow; }
	color_space ColorSpace() const { return fColorSpace; }
	BRect Bounds() const { return fBounds; }
	uint32 Flags() const { return fFlags; }

	// Copies raw pixel data in the bitmap's own colour space (other spaces than the bitmap's
	// are converted between B_RGB32, B_RGBA32 and B_GRAY8 only), from `offset` bytes into
	// the bits on. Never writes past the bits.
	void SetBits(const void* data, int32 length, int32 offset, color_space colorSpace);
	status_t ImportBits(const void* data, int32 length, int32 bytesPerRow, int32 offset,
	                    color_space colorSpace);
	status_t ImportBits(const void* data, int32 length, int32 bytesPerRow, color_space colorSpace,
	                    BPoint from, BPoint to, int32 width, int32 height);
	status_t ImportBits(const BBitmap* bitmap);
	status_t ImportBits(const BBitmap* bitmap, BPoint from, BPoint to, int32 width, int32 height);

	// Views; only for bitmaps that accept them (the others ignore AddChild and find nothing).
	// Added views belong to the bitmap.
	void AddChild(BView* view);
	bool RemoveChild(BView* view);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* FindView(const char* viewName) const;
	BView* FindView(BPoint point) const;

	// Take and release the lock of the bitmap's looper; false for a bitmap without views.
	bool Lock();
	void Unlock();
	bool IsLocked() const;

	BBitmap& operator=(const BBitmap& source);

	// For the interface kit: the pixels of a 32-bit bitmap as the painter sees them (an
	// invalid buffer for other colour spaces and for invalid bitmaps).
	graphics::PixelBuffer PainterBuffer() const;

private:
	friend class BPrivate::BitmapHost;

	void _Init(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow);
	void _CopyPixels(const BBitmap& source);
	// Makes the bytes hold what the views drew (only a B_CMAP8 bitmap lags behind them).
	void _SettleViews() const;
	void _Free();
	void _ClearLayout();

	uint8* fBits;
	int32 fBitsLength;
	int32 fBytesPerRow;
	int32 fWidth;
	int32 fHeight;
	color_space fColorSpace;
	BRect fBounds;
	uint32 fFlags;
	status_t fInitStatus;
	BPrivate::BitmapHost* fHost;
};

#endif
