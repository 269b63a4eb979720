#include <BitmapStream.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include <Bitmap.h>

#include "BitmapHeader.h"

namespace {

const off_t kHeaderSize = B_TRANSLATOR_BITMAP_HEADER_SIZE;

} // namespace

BBitmapStream::BBitmapStream(BBitmap* bitmap) : fBitmap(nullptr), fPosition(0), fHeaderWritten(0)
{
	memset(fHeaderBytes, 0, sizeof(fHeaderBytes));
	if (bitmap != nullptr && !bitmap->IsValid()) {
		// Owned all the same: the caller handed it over.
		delete bitmap;
		bitmap = nullptr;
	}
	_SetBitmap(bitmap);
}

BBitmapStream::~BBitmapStream()
{
	delete fBitmap;
}

void BBitmapStream::_SetBitmap(BBitmap* bitmap)
{
	fBitmap = bitmap;
	if (bitmap == nullptr)
		return;
	TranslatorBitmap header;
	header.magic = B_TRANSLATOR_BITMAP;
	header.bounds = bitmap->Bounds();
	header.rowBytes = (uint32)bitmap->BytesPerRow();
	header.colors = bitmap->ColorSpace();
	header.dataSize = (uint32)bitmap->BitsLength();
	BPrivate::flatten_bitmap_header(header, fHeaderBytes);
	fHeaderWritten = 0;
}

off_t BBitmapStream::Size() const
{
	return fBitmap != nullptr ? kHeaderSize + fBitmap->BitsLength() : 0;
}

status_t BBitmapStream::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	*size = Size();
	return B_OK;
}

status_t BBitmapStream::SetSize(off_t size)
{
	return size == Size() ? B_OK : B_BAD_VALUE;
}

ssize_t BBitmapStream::ReadAt(off_t position, void* buffer, size_t size)
{
	if (buffer == nullptr || position < 0)
		return B_BAD_VALUE;
	if (fBitmap == nullptr || position >= Size())
		return 0;
	size = (size_t)std::min<off_t>((off_t)size, Size() - position);
	uint8* out = (uint8*)buffer;
	size_t done = 0;
	if (position < kHeaderSize) {
		size_t part = std::min<size_t>(size, (size_t)(kHeaderSize - position));
		memcpy(out, fHeaderBytes + position, part);
		done = part;
	}
	if (done < size) {
		off_t offset = position + (off_t)done - kHeaderSize;
		memcpy(out + done, (const uint8*)fBitmap->Bits() + offset, size - done);
	}
	return (ssize_t)size;
}

ssize_t BBitmapStream::WriteAt(off_t position, const void* data, size_t size)
{
	if (data == nullptr || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	const uint8* in = (const uint8*)data;
	size_t done = 0;
	if (position < kHeaderSize) {
		size_t part = std::min<size_t>(size, (size_t)(kHeaderSize - position));
		memcpy(fHeaderBytes + position, in, part);
		for (size_t i = 0; i < part; i++)
			fHeaderWritten |= 1u << (uint32)(position + (off_t)i);
		done = part;
		if (fHeaderWritten == 0xffffffffu) {
			// The header is complete: it describes the bitmap the pixels will fill.
			fHeaderWritten = 0;
			TranslatorBitmap header;
			BPrivate::BitmapLayout layout;
			if (BPrivate::unflatten_bitmap_header(fHeaderBytes, &header) != B_OK ||
			    BPrivate::check_bitmap_header(header, &layout) != B_OK)
				return B_BAD_VALUE;
			BBitmap* bitmap =
			    new (std::nothrow) BBitmap(header.bounds, 0, header.colors, (int32)header.rowBytes);
			if (bitmap == nullptr || !bitmap->IsValid()) {
				delete bitmap;
				return B_NO_MEMORY;
			}
			delete fBitmap;
			_SetBitmap(bitmap);
		}
	}
	if (done < size) {
		off_t offset = position + (off_t)done - kHeaderSize;
		if (fBitmap == nullptr || offset + (off_t)(size - done) > fBitmap->BitsLength())
			return done > 0 ? (ssize_t)done : (ssize_t)B_BAD_VALUE;
		memcpy((uint8*)fBitmap->Bits() + offset, in + done, size - done);
	}
	return (ssize_t)size;
}

off_t BBitmapStream::Seek(off_t position, uint32 seekMode)
{
	off_t target;
	switch (seekMode) {
	case SEEK_SET:
		target = position;
		break;
	case SEEK_CUR:
		target = fPosition + position;
		break;
	case SEEK_END:
		target = Size() + position;
		break;
	default:
		return B_BAD_VALUE;
	}
	if (target < 0)
		return B_BAD_VALUE;
	fPosition = target;
	return fPosition;
}

status_t BBitmapStream::DetachBitmap(BBitmap** outBitmap)
{
	if (outBitmap == nullptr)
		return B_BAD_VALUE;
	if (fBitmap == nullptr)
		return B_ERROR;
	*outBitmap = fBitmap;
	fBitmap = nullptr;
	return B_OK;
}
