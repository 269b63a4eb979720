#include <TranslatorRoster.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <BitmapStream.h>
#include <DataIO.h>
#include <Bitmap.h>

#include <PixelConversion.h>
#include <PngCodec.h>

#include "BitmapHeader.h"

using BPrivate::BitmapLayout;

namespace {

const translator_id kPngTranslator = 1;
const char* const kPngTranslatorName = "PNG images";
const char* const kPngTranslatorInfo = "Writes bitmaps as PNG images and reads them back.";
const int32 kPngTranslatorVersion = B_TRANSLATION_MAKE_VERSION(1, 0, 0);

const translation_format kFormats[] = {
    {B_TRANSLATOR_BITMAP, B_TRANSLATOR_BITMAP, 0.4f, 0.6f, "image/x-bitmap-stream",
     "Bitmap stream"},
    {B_PNG_FORMAT, B_TRANSLATOR_BITMAP, 0.8f, 0.8f, "image/png", "PNG image"},
};
const int32 kFormatCount = sizeof(kFormats) / sizeof(kFormats[0]);

const uint8 kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// Reads a few bytes at the current position and puts the position back.
ssize_t peek(BPositionIO* source, void* buffer, size_t size)
{
	off_t position = source->Position();
	if (position < 0)
		return (ssize_t)position;
	return source->ReadAt(position, buffer, size);
}

// The format of the data at the source's position, or 0 when it is none of ours.
uint32 format_of(BPositionIO* source)
{
	uint8 start[8];
	ssize_t got = peek(source, start, sizeof(start));
	if (got >= 4 && ((uint32)start[0] << 24 | (uint32)start[1] << 16 | (uint32)start[2] << 8 |
	                 start[3]) == B_TRANSLATOR_BITMAP)
		return B_TRANSLATOR_BITMAP;
	if (got == (ssize_t)sizeof(start) && memcmp(start, kPngSignature, sizeof(start)) == 0)
		return B_PNG_FORMAT;
	return 0;
}

void fill_info(translator_info* info, uint32 type)
{
	if (info == nullptr)
		return;
	for (const translation_format& format : kFormats) {
		if (format.type != type)
			continue;
		info->type = format.type;
		info->translator = kPngTranslator;
		info->group = format.group;
		info->quality = format.quality;
		info->capability = format.capability;
		strcpy(info->name, format.name);
		strcpy(info->MIME, format.MIME);
	}
}

// A 'bits' stream's pixels as the PNG codec takes them, read from the source or, for a
// bitmap stream at its start, lent by the bitmap itself.
struct SourceImage {
	graphics::PixelBuffer buffer;
	std::vector<uint8> storage;
};

status_t read_bitmap_source(BPositionIO* source, SourceImage* image)
{
	TranslatorBitmap header;
	BitmapLayout layout;
	const uint8* pixels = nullptr;
	std::vector<uint8> raw;

	BBitmapStream* stream = dynamic_cast<BBitmapStream*>(source);
	if (stream != nullptr && stream->Position() == 0 && stream->Bitmap() != nullptr) {
		const BBitmap* bitmap = stream->Bitmap();
		header.magic = B_TRANSLATOR_BITMAP;
		header.bounds = bitmap->Bounds();
		header.rowBytes = (uint32)bitmap->BytesPerRow();
		header.colors = bitmap->ColorSpace();
		header.dataSize = (uint32)bitmap->BitsLength();
		if (BPrivate::check_bitmap_header(header, &layout) != B_OK)
			return B_ILLEGAL_DATA;
		pixels = (const uint8*)bitmap->Bits();
	} else {
		uint8 bytes[B_TRANSLATOR_BITMAP_HEADER_SIZE];
		if (source->ReadExactly(bytes, sizeof(bytes)) != B_OK ||
		    BPrivate::unflatten_bitmap_header(bytes, &header) != B_OK ||
		    BPrivate::check_bitmap_header(header, &layout) != B_OK)
			return B_ILLEGAL_DATA;
		size_t needed = (size_t)header.rowBytes * (size_t)layout.height;
		// The header is not trusted to size the buffer before the stream shows it holds that
		// much.
		off_t size;
		if (source->GetSize(&size) == B_OK && size - source->Position() < (off_t)needed)
			return B_ILLEGAL_DATA;
		raw.resize(needed);
		if (source->ReadExactly(raw.data(), needed) != B_OK)
			return B_ILLEGAL_DATA;
		pixels = raw.data();
	}

	if (header.colors == B_RGBA32) {
		if (raw.empty()) {
			image->buffer = graphics::PixelBuffer(const_cast<uint8*>(pixels), layout.width,
			                                      layout.height, (int32)header.rowBytes);
		} else {
			image->storage = std::move(raw);
			image->buffer = graphics::PixelBuffer(image->storage.data(), layout.width,
			                                      layout.height, (int32)header.rowBytes);
		}
		return B_OK;
	}
	// Other spaces are converted to the 32-bit one; B_RGB32 thereby becomes opaque.
	if (!BPrivate::can_convert(header.colors))
		return B_NO_TRANSLATOR;
	image->storage.resize((size_t)layout.width * 4 * (size_t)layout.height);
	for (int32 y = 0; y < layout.height; y++) {
		const uint8* from = pixels + (size_t)y * header.rowBytes;
		uint8* to = image->storage.data() + (size_t)y * layout.width * 4;
		for (int32 x = 0; x < layout.width; x++) {
			BPrivate::write_pixel(
			    B_RGBA32, to + x * 4,
			    BPrivate::read_pixel(header.colors, from + (size_t)x * layout.pixelBytes));
		}
	}
	image->buffer =
	    graphics::PixelBuffer(image->storage.data(), layout.width, layout.height, layout.width * 4);
	return B_OK;
}

status_t write_bitmap_stream(const graphics::PixelBuffer& image, BPositionIO* destination)
{
	TranslatorBitmap header;
	header.magic = B_TRANSLATOR_BITMAP;
	header.bounds = BRect(0, 0, image.width - 1, image.height - 1);
	header.rowBytes = (uint32)image.bytesPerRow;
	header.colors = B_RGBA32;
	header.dataSize = (uint32)image.bytesPerRow * (uint32)image.height;
	uint8 bytes[B_TRANSLATOR_BITMAP_HEADER_SIZE];
	BPrivate::flatten_bitmap_header(header, bytes);
	status_t status = destination->WriteExactly(bytes, sizeof(bytes));
	if (status == B_OK)
		status = destination->WriteExactly(image.bits, header.dataSize);
	return status;
}

status_t translate(BPositionIO* source, BPositionIO* destination, uint32 sourceType,
                   uint32 wantOutType)
{
	if (wantOutType == 0)
		wantOutType = B_TRANSLATOR_BITMAP;
	if (sourceType == B_TRANSLATOR_BITMAP) {
		if (wantOutType != B_PNG_FORMAT && wantOutType != B_TRANSLATOR_BITMAP)
			return B_NO_TRANSLATOR;
		SourceImage image;
		status_t status = read_bitmap_source(source, &image);
		if (status != B_OK)
			return status;
		if (wantOutType == B_TRANSLATOR_BITMAP)
			return write_bitmap_stream(image.buffer, destination);
		return graphics::PngCodec::EncodeToStream(image.buffer, graphics::PixelLayout::Bgra,
		                                          destination);
	}
	if (sourceType == B_PNG_FORMAT) {
		if (wantOutType != B_TRANSLATOR_BITMAP)
			return B_NO_TRANSLATOR;
		graphics::PngImage decoded;
		status_t status =
		    graphics::PngCodec::DecodeStream(source, graphics::PixelLayout::Bgra, &decoded);
		if (status == B_BAD_DATA)
			return B_ILLEGAL_DATA;
		if (status != B_OK)
			return status;
		return write_bitmap_stream(graphics::PixelBuffer(decoded.pixels.data(), decoded.width,
		                                                 decoded.height, decoded.width * 4),
		                           destination);
	}
	return B_NO_TRANSLATOR;
}

} // namespace

BTranslatorRoster::BTranslatorRoster() = default;

BTranslatorRoster::~BTranslatorRoster() = default;

BTranslatorRoster* BTranslatorRoster::Default()
{
	// Never deleted: translations may still run in other threads while the process exits.
	static BTranslatorRoster* sDefault = new BTranslatorRoster();
	return sDefault;
}

status_t BTranslatorRoster::Identify(BPositionIO* source, BMessage* ioExtension,
                                     translator_info* info, uint32 hintType, const char* hintMIME,
                                     uint32 wantType)
{
	if (source == nullptr || info == nullptr)
		return B_BAD_VALUE;
	uint32 type = format_of(source);
	if (type == 0)
		return B_NO_TRANSLATOR;
	if (wantType != 0 && wantType != B_TRANSLATOR_BITMAP &&
	    (wantType != B_PNG_FORMAT || type != B_TRANSLATOR_BITMAP))
		return B_NO_TRANSLATOR;
	fill_info(info, type);
	return B_OK;
}

status_t BTranslatorRoster::Translate(BPositionIO* source, const translator_info* info,
                                      BMessage* ioExtension, BPositionIO* destination,
                                      uint32 wantOutType, uint32 hintType, const char* hintMIME)
{
	if (source == nullptr || destination == nullptr)
		return B_BAD_VALUE;
	if (info != nullptr && info->translator != kPngTranslator)
		return B_NO_TRANSLATOR;
	return translate(source, destination, format_of(source), wantOutType);
}

status_t BTranslatorRoster::Translate(translator_id translator, BPositionIO* source,
                                      BMessage* ioExtension, BPositionIO* destination,
                                      uint32 wantOutType)
{
	if (source == nullptr || destination == nullptr)
		return B_BAD_VALUE;
	if (translator != kPngTranslator)
		return B_NO_TRANSLATOR;
	return translate(source, destination, format_of(source), wantOutType);
}

status_t BTranslatorRoster::GetAllTranslators(translator_id** outList, int32* outCount)
{
	if (outList == nullptr || outCount == nullptr)
		return B_BAD_VALUE;
	*outList = new (std::nothrow) translator_id[1];
	if (*outList == nullptr)
		return B_NO_MEMORY;
	(*outList)[0] = kPngTranslator;
	*outCount = 1;
	return B_OK;
}

status_t BTranslatorRoster::GetTranslatorInfo(translator_id translator, const char** outName,
                                              const char** outInfo, int32* outVersion)
{
	if (translator != kPngTranslator)
		return B_NO_TRANSLATOR;
	if (outName != nullptr)
		*outName = kPngTranslatorName;
	if (outInfo != nullptr)
		*outInfo = kPngTranslatorInfo;
	if (outVersion != nullptr)
		*outVersion = kPngTranslatorVersion;
	return B_OK;
}

status_t BTranslatorRoster::GetInputFormats(translator_id translator,
                                            const translation_format** outFormats,
                                            int32* outNumFormats)
{
	if (outFormats == nullptr || outNumFormats == nullptr)
		return B_BAD_VALUE;
	if (translator != kPngTranslator)
		return B_NO_TRANSLATOR;
	*outFormats = kFormats;
	*outNumFormats = kFormatCount;
	return B_OK;
}

status_t BTranslatorRoster::GetOutputFormats(translator_id translator,
                                             const translation_format** outFormats,
                                             int32* outNumFormats)
{
	return GetInputFormats(translator, outFormats, outNumFormats);
}

status_t BTranslatorRoster::AddTranslators(const char* loadPath)
{
	return B_OK;
}
