#include "TGifWriter.h"

#include <algorithm>
#include <cmath>

#include <gif_lib.h>

#include <DataIO.h>

using graphics::IntRect;

namespace {

// A palette of giflib's kind: a power of two of at least two entries, with room for `spare`
// entries after the palette's own.
ColorMapObject* make_map(const TColorPalette& palette, int32 spare)
{
	int32 size = 2;
	while (size < palette.CountEntries() + spare)
		size *= 2;
	std::vector<GifColorType> colors(size, GifColorType{0, 0, 0});
	for (int32 i = 0; i < palette.CountEntries(); i++) {
		const uint8* rgb = palette.Entry(i);
		colors[i] = GifColorType{rgb[0], rgb[1], rgb[2]};
	}
	return GifMakeMapObject(size, colors.data());
}

} // namespace

TGifWriter::TGifWriter()
    : mGif(nullptr), mOutput(nullptr), mWriteStatus(B_OK), mWidth(0), mHeight(0),
      mWrittenHundredths(0), mSharedExact(true), mTransparent(-1)
{
}

TGifWriter::~TGifWriter()
{
	if (mGif != nullptr)
		EGifCloseFile(mGif, nullptr);
}

void TGifWriter::SeeColors(const uint8* bits, int32 width, int32 height, int32 bytesPerRow)
{
	if (!mSharedExact)
		return;
	mShared.Add(bits, width, height, bytesPerRow);
	mSharedExact = mShared.IsExact();
}

int TGifWriter::_Write(GifFileType* gif, const unsigned char* data, int length)
{
	TGifWriter* writer = static_cast<TGifWriter*>(gif->UserData);
	if (writer->mWriteStatus != B_OK)
		return 0;
	const ssize_t written = writer->mOutput->Write(data, (size_t)length);
	if (written != length) {
		writer->mWriteStatus = written < 0 ? (status_t)written : B_IO_ERROR;
		return 0;
	}
	return length;
}

status_t TGifWriter::Begin(BDataIO* output, int32 width, int32 height, int32 loopCount)
{
	if (output == nullptr || width < 1 || height < 1 || width > MaxSide() || height > MaxSide())
		return B_BAD_VALUE;
	mOutput = output;
	mWidth = width;
	mHeight = height;
	int error = 0;
	mGif = EGifOpen(this, _Write, &error);
	if (mGif == nullptr)
		return B_NO_MEMORY;
	EGifSetGifVersion(mGif, true);
	mIndices.resize((size_t)width * height);

	ColorMapObject* shared = nullptr;
	if (mSharedExact && mShared.DistinctColors() > 0) {
		mShared.Build();
		// The entry after the colours marks unchanged pixels, when there is room for it.
		if (mShared.CountEntries() < 256)
			mTransparent = mShared.CountEntries();
		shared = make_map(mShared, mTransparent >= 0 ? 1 : 0);
	}
	const int result = EGifPutScreenDesc(mGif, width, height, 8, 0, shared);
	GifFreeMapObject(shared);
	if (result != GIF_OK)
		return mWriteStatus != B_OK ? mWriteStatus : B_IO_ERROR;
	mSharedExact = shared != nullptr;

	if (loopCount != 1) {
		// The looping extension counts repeats after the first play.
		const int32 repeats = loopCount == 0 ? 0 : loopCount - 1;
		const unsigned char loop[3] = {1, (unsigned char)(repeats & 0xff),
		                               (unsigned char)(repeats >> 8)};
		if (EGifPutExtensionLeader(mGif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
		    EGifPutExtensionBlock(mGif, 11, "NETSCAPE2.0") != GIF_OK ||
		    EGifPutExtensionBlock(mGif, 3, loop) != GIF_OK ||
		    EGifPutExtensionTrailer(mGif) != GIF_OK)
			return mWriteStatus != B_OK ? mWriteStatus : B_IO_ERROR;
	}
	return B_OK;
}

status_t TGifWriter::AddFrame(const uint8* bits, int32 bytesPerRow, const TAnimationFrame& frame)
{
	if (mGif == nullptr)
		return B_NO_INIT;
	const TColorPalette* palette = &mShared;
	if (!mSharedExact) {
		mFrame.Clear();
		mFrame.Add(bits, mWidth, mHeight, bytesPerRow);
		mFrame.Build();
		palette = &mFrame;
	}
	mCurrent.resize(mIndices.size());
	for (int32 y = 0; y < mHeight; y++) {
		const uint8* pixel = bits + (size_t)y * bytesPerRow;
		uint8* index = mCurrent.data() + (size_t)y * mWidth;
		for (int32 x = 0; x < mWidth; x++, pixel += 4)
			index[x] = palette->IndexOf(pixel);
	}

	// With one palette for all frames, a frame after the first holds only the rectangle in
	// which it differs from the frame before, and inside it the unchanged pixels are
	// transparent: a scrolling sign's gap and unlit lamps mostly stay as they were, and runs
	// of the transparent index pack into very little.
	IntRect box(0, 0, mWidth - 1, mHeight - 1);
	int32 transparent = NO_TRANSPARENT_COLOR;
	mIndices = mCurrent;
	if (mSharedExact && mTransparent >= 0 && !mPrevious.empty()) {
		box = IntRect(mWidth, mHeight, -1, -1);
		for (int32 y = 0; y < mHeight; y++) {
			uint8* index = mIndices.data() + (size_t)y * mWidth;
			const uint8* before = mPrevious.data() + (size_t)y * mWidth;
			for (int32 x = 0; x < mWidth; x++) {
				if (index[x] == before[x]) {
					index[x] = (uint8)mTransparent;
					continue;
				}
				box = IntRect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
				              std::max(box.bottom, y));
			}
		}
		if (!box.IsValid())
			box = IntRect(0, 0, 0, 0);
		transparent = mTransparent;
	}
	mPrevious.swap(mCurrent);

	// The frame ends at the hundredth nearest its true end; what it lasts is the difference
	// to where the frames before it ended, which carries every rounding along.
	const int64 end = std::llround(frame.end * 100.0);
	int64 remaining = std::max<int64>(end - mWrittenHundredths, 0);
	mWrittenHundredths = std::max(end, mWrittenHundredths);
	bool first = true;
	do {
		const int32 part = (int32)std::min<int64>(remaining, 65535);
		// A delay longer than the format holds goes on in frames that change nothing.
		status_t status = first || mTransparent < 0
		                      ? _PutFrame(*palette, !mSharedExact, part, box, transparent)
		                      : _PutNothing(part);
		if (status != B_OK)
			return status;
		remaining -= part;
		first = false;
	} while (remaining > 0);
	return B_OK;
}

status_t TGifWriter::_PutNothing(int32 hundredths)
{
	const IntRect corner(0, 0, 0, 0);
	mIndices[0] = (uint8)mTransparent;
	return _PutFrame(mShared, false, hundredths, corner, mTransparent);
}

status_t TGifWriter::_PutFrame(const TColorPalette& palette, bool local, int32 hundredths,
                               const IntRect& box, int32 transparent)
{
	GraphicsControlBlock control;
	control.DisposalMode = DISPOSE_DO_NOT;
	control.UserInputFlag = false;
	control.DelayTime = hundredths;
	control.TransparentColor = transparent;
	GifByteType extension[4];
	EGifGCBToExtension(&control, extension);
	ColorMapObject* map = local ? make_map(palette, 0) : nullptr;
	bool ok = EGifPutExtension(mGif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
	          EGifPutImageDesc(mGif, box.left, box.top, box.PixelWidth(), box.PixelHeight(), false,
	                           map) == GIF_OK;
	GifFreeMapObject(map);
	for (int32 y = box.top; ok && y <= box.bottom; y++) {
		ok = EGifPutLine(mGif, mIndices.data() + (size_t)y * mWidth + box.left, box.PixelWidth()) ==
		     GIF_OK;
	}
	if (!ok)
		return mWriteStatus != B_OK ? mWriteStatus : B_IO_ERROR;
	return B_OK;
}

status_t TGifWriter::Finish()
{
	if (mGif == nullptr)
		return B_NO_INIT;
	int error = 0;
	const int result = EGifCloseFile(mGif, &error);
	mGif = nullptr;
	if (mWriteStatus != B_OK)
		return mWriteStatus;
	return result == GIF_OK ? B_OK : B_IO_ERROR;
}
