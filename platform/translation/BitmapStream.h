// A bitmap seen as a 'bits' stream: the big-endian TranslatorBitmap header followed by the
// bitmap's pixels. Translators read an image from it, or write one into it, which builds the
// bitmap once the header is complete. The stream owns its bitmap (and so the bitmap's views)
// and deletes it, unless the bitmap was taken back with DetachBitmap.
#ifndef _BITMAP_STREAM_H
#define _BITMAP_STREAM_H

#include <DataIO.h>
#include <TranslatorFormats.h>

class BBitmap;

class BBitmapStream : public BPositionIO {
public:
	// Takes ownership of the bitmap (which may be null: the stream is then empty and waits
	// to be written into). An invalid bitmap counts as none.
	BBitmapStream(BBitmap* bitmap = nullptr);
	~BBitmapStream() override;

	// Past the end a read returns 0 bytes; a stream without a bitmap is empty.
	ssize_t ReadAt(off_t position, void* buffer, size_t size) override;
	// A complete, sound header makes a new bitmap (replacing the current one); pixel bytes
	// need a bitmap and must lie within its pixels. Bad headers and bytes beyond the pixels
	// answer B_BAD_VALUE, a bitmap that cannot be made B_NO_MEMORY.
	ssize_t WriteAt(off_t position, const void* data, size_t size) override;
	off_t Seek(off_t position, uint32 seekMode) override;
	off_t Position() const override { return fPosition; }
	off_t Size() const;
	// The size is the header and the pixels; only that size can be set.
	status_t SetSize(off_t size) override;
	status_t GetSize(off_t* size) const override;

	// Hands the bitmap to the caller, who deletes it; the stream is empty afterwards.
	// B_BAD_VALUE for a null pointer, B_ERROR when there is no bitmap.
	status_t DetachBitmap(BBitmap** outBitmap);

	// For the translation kit: the bitmap, still owned by the stream.
	const BBitmap* Bitmap() const { return fBitmap; }

private:
	void _SetBitmap(BBitmap* bitmap);

	BBitmap* fBitmap;
	off_t fPosition;
	// The header bytes as they are read, or as they were written so far.
	uint8 fHeaderBytes[B_TRANSLATOR_BITMAP_HEADER_SIZE];
	uint32 fHeaderWritten; // bit i set when byte i of the header was written
};

#endif
