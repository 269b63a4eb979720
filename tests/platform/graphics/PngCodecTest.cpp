// Encoding to every kind of output, decoding every PNG colour type, and refusing bad data.
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <png.h>

#include <DataIO.h>
#include <PngCodec.h>

#include "TestCanvas.h"

using graphics::Color;
using graphics::PixelLayout;
using graphics::PngCodec;
using graphics::PngImage;

namespace {

// A small picture with every channel different, so swapped channels show.
TestCanvas sample_picture()
{
	TestCanvas canvas(7, 5, Color(0, 0, 0, 255), 12);
	for (int32 y = 0; y < 5; y++) {
		for (int32 x = 0; x < 7; x++)
			canvas.buffer.SetColorAt(x, y, Color(x * 30, y * 50, 255 - x * y, 100 + x + y));
	}
	return canvas;
}

std::vector<uint8> encode(const TestCanvas& canvas)
{
	std::vector<uint8> png;
	EXPECT_EQ(PngCodec::EncodeToBuffer(canvas.buffer, PixelLayout::Bgra, &png), B_OK);
	return png;
}

// Another encoder (libpng's simplified interface) writes the colour types ours never does.
std::vector<uint8> encode_with_libpng(png_uint_32 format, const std::vector<uint8>& pixels,
                                      int32 width, int32 height, const png_color* palette = nullptr,
                                      int paletteSize = 0)
{
	png_image image{};
	image.version = PNG_IMAGE_VERSION;
	image.width = width;
	image.height = height;
	image.format = format;
	image.colormap_entries = paletteSize;
	png_alloc_size_t size = 0;
	EXPECT_TRUE(png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, palette));
	std::vector<uint8> out(size);
	EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, palette));
	out.resize(size);
	return out;
}

} // namespace

TEST(PngCodec, RoundTripKeepsEveryPixelAndSwapsToTheRequestedOrder)
{
	TestCanvas picture = sample_picture();
	std::vector<uint8> png = encode(picture);
	ASSERT_TRUE(PngCodec::HasSignature(png.data(), png.size()));

	PngImage rgba;
	ASSERT_EQ(PngCodec::Decode(png.data(), png.size(), PixelLayout::Rgba, &rgba), B_OK);
	ASSERT_EQ(rgba.width, 7);
	ASSERT_EQ(rgba.height, 5);
	ASSERT_EQ(rgba.pixels.size(), 7u * 5 * 4);
	PngImage bgra;
	ASSERT_EQ(PngCodec::Decode(png.data(), png.size(), PixelLayout::Bgra, &bgra), B_OK);
	for (int32 y = 0; y < 5; y++) {
		for (int32 x = 0; x < 7; x++) {
			Color c = picture.At(x, y);
			const uint8* p = &rgba.pixels[(y * 7 + x) * 4];
			EXPECT_EQ(Color(p[0], p[1], p[2], p[3]), c);
			const uint8* q = &bgra.pixels[(y * 7 + x) * 4];
			EXPECT_EQ(Color(q[2], q[1], q[0], q[3]), c);
		}
	}
}

TEST(PngCodec, PicturesWiderThanAMillionPixelsRoundTrip)
{
	TestCanvas wide(1200000, 1, Color(1, 2, 3, 255), 0);
	wide.buffer.SetColorAt(1199999, 0, Color(200, 100, 50, 255));
	std::vector<uint8> png = encode(wide);
	PngImage image;
	ASSERT_EQ(PngCodec::Decode(png.data(), png.size(), PixelLayout::Rgba, &image), B_OK);
	ASSERT_EQ(image.width, 1200000);
	EXPECT_EQ(image.pixels[0], 1);
	EXPECT_EQ(image.pixels[4 * 1199999], 200);
}

TEST(PngCodec, StreamsFileDescriptorsAndBuffersReceiveTheSameBytes)
{
	TestCanvas picture = sample_picture();
	std::vector<uint8> expected = encode(picture);

	BMallocIO stream;
	ASSERT_EQ(PngCodec::EncodeToStream(picture.buffer, PixelLayout::Bgra, &stream), B_OK);
	ASSERT_EQ(stream.BufferLength(), expected.size());
	EXPECT_EQ(std::memcmp(stream.Buffer(), expected.data(), expected.size()), 0);
	stream.Seek(0, SEEK_SET);
	PngImage fromStream;
	EXPECT_EQ(PngCodec::DecodeStream(&stream, PixelLayout::Rgba, &fromStream), B_OK);
	EXPECT_EQ(fromStream.width, 7);

	char path[] = "/tmp/graphics-png-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	EXPECT_EQ(PngCodec::EncodeToFd(picture.buffer, PixelLayout::Bgra, fd), B_OK);
	off_t size = lseek(fd, 0, SEEK_END);
	std::vector<uint8> written(size);
	EXPECT_EQ(pread(fd, written.data(), written.size(), 0), size);
	EXPECT_EQ(written, expected);
	close(fd);
	unlink(path);

	int readOnly = open("/dev/null", O_RDONLY);
	EXPECT_NE(PngCodec::EncodeToFd(picture.buffer, PixelLayout::Bgra, readOnly), B_OK);
	close(readOnly);
	EXPECT_EQ(PngCodec::EncodeToFd(picture.buffer, PixelLayout::Bgra, -1), B_FILE_ERROR);
}

TEST(PngCodec, AFailingSinkStopsTheEncodingWithItsStatus)
{
	TestCanvas picture = sample_picture();
	size_t accepted = 0;
	status_t status = PngCodec::EncodeToSink(picture.buffer, PixelLayout::Bgra,
	                                         [&](const void*, size_t size) -> status_t {
		                                         if (accepted > 40)
			                                         return B_DEVICE_FULL;
		                                         accepted += size;
		                                         return B_OK;
	                                         });
	EXPECT_EQ(status, B_DEVICE_FULL);
	std::vector<uint8> out;
	EXPECT_EQ(PngCodec::EncodeToBuffer(graphics::PixelBuffer(), PixelLayout::Bgra, &out),
	          B_BAD_VALUE);
}

TEST(PngCodec, GreyPaletteAndTransparencyImagesDecodeToRgba)
{
	std::vector<uint8> grey = {0, 128, 255, 64};
	std::vector<uint8> greyPng = encode_with_libpng(PNG_FORMAT_GRAY, grey, 2, 2);
	PngImage image;
	ASSERT_EQ(PngCodec::Decode(greyPng.data(), greyPng.size(), PixelLayout::Rgba, &image), B_OK);
	ASSERT_EQ(image.pixels.size(), 16u);
	EXPECT_EQ(std::vector<uint8>(image.pixels.begin() + 4, image.pixels.begin() + 8),
	          (std::vector<uint8>{128, 128, 128, 255}));

	const png_color palette[2] = {{255, 0, 0}, {0, 0, 255}};
	std::vector<uint8> indices = {0, 1, 1, 0};
	std::vector<uint8> palettePng =
	    encode_with_libpng(PNG_FORMAT_RGB_COLORMAP, indices, 2, 2, palette, 2);
	ASSERT_EQ(PngCodec::Decode(palettePng.data(), palettePng.size(), PixelLayout::Bgra, &image),
	          B_OK);
	EXPECT_EQ(std::vector<uint8>(image.pixels.begin(), image.pixels.begin() + 8),
	          (std::vector<uint8>{0, 0, 255, 255, 255, 0, 0, 255}));

	std::vector<uint8> greyAlpha = {255, 0, 0, 255};
	std::vector<uint8> gaPng = encode_with_libpng(PNG_FORMAT_GA, greyAlpha, 2, 1);
	ASSERT_EQ(PngCodec::Decode(gaPng.data(), gaPng.size(), PixelLayout::Rgba, &image), B_OK);
	EXPECT_EQ(image.pixels, (std::vector<uint8>{255, 255, 255, 0, 0, 0, 0, 255}));
}

TEST(PngCodec, CorruptTruncatedAndOversizedDataAreRefusedWithAStatus)
{
	std::vector<uint8> png = encode(sample_picture());
	PngImage image;
	// Every truncation, from an empty file to one that lacks only its last byte.
	for (size_t length = 0; length < png.size(); length++) {
		EXPECT_EQ(PngCodec::Decode(png.data(), length, PixelLayout::Rgba, &image), B_BAD_DATA)
		    << length;
		EXPECT_EQ(image.width, 0);
		EXPECT_TRUE(image.pixels.empty());
	}
	// A flipped bit in the header, in the image data and in the signature.
	for (size_t at : {size_t(1), size_t(20), png.size() / 2}) {
		std::vector<uint8> damaged = png;
		damaged[at] ^= 0x10;
		EXPECT_EQ(PngCodec::Decode(damaged.data(), damaged.size(), PixelLayout::Rgba, &image),
		          B_BAD_DATA)
		    << at;
	}
	const std::string text = "not a picture at all";
	EXPECT_EQ(PngCodec::Decode(text.data(), text.size(), PixelLayout::Rgba, &image), B_BAD_DATA);
	EXPECT_EQ(PngCodec::Decode(nullptr, 0, PixelLayout::Rgba, &image), B_BAD_DATA);
	EXPECT_EQ(PngCodec::Decode(png.data(), png.size(), PixelLayout::Rgba, &image, 34), B_NO_MEMORY);
	EXPECT_EQ(PngCodec::Decode(png.data(), png.size(), PixelLayout::Rgba, &image, 35), B_OK);
}
