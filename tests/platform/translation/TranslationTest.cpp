#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include <Bitmap.h>
#include <BitmapStream.h>
#include <DataIO.h>
#include <File.h>
#include <TranslatorRoster.h>
#include <View.h>

#include <PngCodec.h>

namespace {

// A picture with every pixel different, drawn through a view as the export does.
BBitmap* make_picture(int32 width, int32 height)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32, true);
	BView* view = new BView(bitmap->Bounds(), "SaveView", B_FOLLOW_NONE, 0);
	bitmap->AddChild(view);
	view->LockLooper();
	for (int32 y = 0; y < height; y++) {
		for (int32 x = 0; x < width; x++) {
			view->SetHighColor(make_color(x * 20, y * 30, (x + y) * 7, 255 - x));
			view->FillRect(BRect(x, y, x, y));
		}
	}
	view->Sync();
	view->UnlockLooper();
	return bitmap;
}

// Compares decoded RGBA rows with the bitmap's BGRA pixels.
void expect_same_pixels(const graphics::PngImage& image, const BBitmap& bitmap)
{
	const uint8* bits = (const uint8*)bitmap.Bits();
	for (int32 y = 0; y < image.height; y++) {
		for (int32 x = 0; x < image.width; x++) {
			const uint8* rgba = &image.pixels[((size_t)y * image.width + x) * 4];
			const uint8* bgra = bits + (size_t)y * bitmap.BytesPerRow() + x * 4;
			ASSERT_EQ(rgba[0], bgra[2]) << x << "," << y;
			ASSERT_EQ(rgba[1], bgra[1]) << x << "," << y;
			ASSERT_EQ(rgba[2], bgra[0]) << x << "," << y;
			ASSERT_EQ(rgba[3], bgra[3]) << x << "," << y;
		}
	}
}

// A destination that takes `capacity` bytes and then fails as a full disk does.
class FullDisk : public BPositionIO {
public:
	explicit FullDisk(size_t capacity) : fCapacity(capacity) {}
	ssize_t ReadAt(off_t, void*, size_t) override { return B_NOT_ALLOWED; }
	ssize_t WriteAt(off_t position, const void*, size_t size) override
	{
		if ((size_t)position + size > fCapacity)
			return B_DEVICE_FULL;
		return (ssize_t)size;
	}
	off_t Seek(off_t position, uint32 mode) override
	{
		fPosition = mode == SEEK_SET ? position : fPosition + position;
		return fPosition;
	}
	off_t Position() const override { return fPosition; }

private:
	size_t fCapacity;
	off_t fPosition = 0;
};

TEST(TranslationTest, ExportToPngReadsBackAsTheBitmap)
{
	BBitmap* bitmap = make_picture(13, 7);
	BBitmapStream stream(bitmap);
	BMallocIO file;
	ASSERT_EQ(BTranslatorRoster::Default()->Translate(&stream, nullptr, nullptr, &file,
	                                                  B_PNG_FORMAT, 0, "image/png"),
	          B_OK);
	ASSERT_TRUE(graphics::PngCodec::HasSignature(file.Buffer(), file.BufferLength()));

	graphics::PngImage image;
	ASSERT_EQ(graphics::PngCodec::Decode(file.Buffer(), file.BufferLength(),
	                                     graphics::PixelLayout::Rgba, &image),
	          B_OK);
	EXPECT_EQ(image.width, 13);
	EXPECT_EQ(image.height, 7);
	expect_same_pixels(image, *bitmap);

	// And back through the roster into a bitmap stream, which builds the bitmap.
	file.Seek(0, SEEK_SET);
	translator_info info;
	ASSERT_EQ(BTranslatorRoster::Default()->Identify(&file, nullptr, &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_PNG_FORMAT);
	EXPECT_EQ(file.Position(), 0) << "identifying leaves the position";
	BBitmapStream decoded;
	ASSERT_EQ(BTranslatorRoster::Default()->Translate(&file, &info, nullptr, &decoded,
	                                                  B_TRANSLATOR_BITMAP),
	          B_OK);
	BBitmap* result = nullptr;
	ASSERT_EQ(decoded.DetachBitmap(&result), B_OK);
	ASSERT_NE(result, nullptr);
	EXPECT_EQ(result->Bounds(), bitmap->Bounds());
	EXPECT_EQ(memcmp(result->Bits(), bitmap->Bits(), bitmap->BitsLength()), 0);
	delete result;
}

TEST(TranslationTest, ExportToAFileAndOpaqueRgb32)
{
	char path[] = "/tmp/glowplate-translation-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);

	BBitmap* bitmap = new BBitmap(BRect(0, 0, 3, 1), B_RGB32);
	memset(bitmap->Bits(), 0x40, bitmap->BitsLength()); // alpha bytes 0x40 mean nothing
	BBitmapStream stream(bitmap);
	BFile file(path, B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	ASSERT_EQ(file.InitCheck(), B_OK);
	ASSERT_EQ(
	    BTranslatorRoster::Default()->Translate(&stream, nullptr, nullptr, &file, B_PNG_FORMAT),
	    B_OK);
	file.Unset();

	BFile reader(path, B_READ_ONLY);
	graphics::PngImage image;
	ASSERT_EQ(graphics::PngCodec::DecodeStream(&reader, graphics::PixelLayout::Rgba, &image), B_OK);
	ASSERT_EQ(image.width, 4);
	ASSERT_EQ(image.height, 2);
	EXPECT_EQ(image.pixels[0], 0x40);
	EXPECT_EQ(image.pixels[3], 255) << "a bitmap without alpha is opaque";
	unlink(path);
}

TEST(TranslationTest, FailedExportsReportTheirError)
{
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	{
		BBitmapStream stream(make_picture(40, 40));
		FullDisk disk(100);
		EXPECT_EQ(roster->Translate(&stream, nullptr, nullptr, &disk, B_PNG_FORMAT), B_DEVICE_FULL);
	}
	{
		// A file opened for reading cannot take the image.
		char path[] = "/tmp/glowplate-translation-XXXXXX";
		int fd = mkstemp(path);
		ASSERT_GE(fd, 0);
		close(fd);
		BFile readOnly(path, B_READ_ONLY);
		BBitmapStream stream(make_picture(4, 4));
		EXPECT_NE(roster->Translate(&stream, nullptr, nullptr, &readOnly, B_PNG_FORMAT), B_OK);
		unlink(path);
	}
	{
		BBitmapStream stream(make_picture(4, 4));
		BMallocIO out;
		EXPECT_EQ(roster->Translate(&stream, nullptr, nullptr, &out, B_JPEG_FORMAT),
		          B_NO_TRANSLATOR);
		translator_info other;
		memset(&other, 0, sizeof(other));
		other.translator = 99;
		EXPECT_EQ(roster->Translate(&stream, &other, nullptr, &out, B_PNG_FORMAT), B_NO_TRANSLATOR);
		EXPECT_EQ(roster->Translate(nullptr, nullptr, nullptr, &out, B_PNG_FORMAT), B_BAD_VALUE);
	}
	{
		// An empty stream has nothing to translate.
		BBitmapStream empty;
		BMallocIO out;
		EXPECT_EQ(roster->Translate(&empty, nullptr, nullptr, &out, B_PNG_FORMAT), B_NO_TRANSLATOR);
	}
}

TEST(TranslationTest, DamagedSourcesAreRefusedWithoutTrustingTheirSizes)
{
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	BMallocIO out;

	const char garbage[] = "this is not an image";
	BMemoryIO text(garbage, sizeof(garbage));
	translator_info info;
	EXPECT_EQ(roster->Identify(&text, nullptr, &info), B_NO_TRANSLATOR);
	EXPECT_EQ(roster->Translate(&text, nullptr, nullptr, &out, B_PNG_FORMAT), B_NO_TRANSLATOR);

	// A sound 'bits' header that claims 1 GiB of pixels the stream does not hold.
	uint8 header[32] = {'b', 'i', 't', 's'};
	auto put = [&](int at, uint32 value) {
		header[at] = value >> 24;
		header[at + 1] = value >> 16;
		header[at + 2] = value >> 8;
		header[at + 3] = value;
	};
	float right = 16383, bottom = 16383;
	uint32 bits;
	memcpy(&bits, &right, 4);
	put(12, bits);
	memcpy(&bits, &bottom, 4);
	put(16, bits);
	put(20, 16384 * 4);
	put(24, B_RGBA32);
	put(28, 16384u * 4u * 16384u);
	BMemoryIO lying(header, sizeof(header));
	EXPECT_EQ(roster->Translate(&lying, nullptr, nullptr, &out, B_PNG_FORMAT), B_ILLEGAL_DATA);

	// Rows shorter than their pixels.
	put(12, 0);
	put(16, 0);
	put(20, 2);
	put(28, 2);
	BMemoryIO narrow(header, sizeof(header));
	EXPECT_EQ(roster->Translate(&narrow, nullptr, nullptr, &out, B_PNG_FORMAT), B_ILLEGAL_DATA);

	// A PNG cut short.
	BBitmapStream stream(make_picture(8, 8));
	BMallocIO png;
	ASSERT_EQ(roster->Translate(&stream, nullptr, nullptr, &png, B_PNG_FORMAT), B_OK);
	BMemoryIO truncated(png.Buffer(), png.BufferLength() / 2);
	BBitmapStream target;
	EXPECT_EQ(roster->Translate(&truncated, nullptr, nullptr, &target, B_TRANSLATOR_BITMAP),
	          B_ILLEGAL_DATA);
	BBitmap* nothing = nullptr;
	EXPECT_EQ(target.DetachBitmap(&nothing), B_ERROR);
}

TEST(TranslationTest, BitmapStreamPresentsTheHeaderBigEndianThenThePixels)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 1, 0), B_RGBA32);
	memcpy(bitmap->Bits(), "\x01\x02\x03\x04\x05\x06\x07\x08", 8);
	BBitmapStream stream(bitmap);
	EXPECT_EQ(stream.Size(), 40);
	uint8 bytes[64];
	EXPECT_EQ(stream.ReadAt(0, bytes, sizeof(bytes)), 40);
	EXPECT_EQ(memcmp(bytes, "bits", 4), 0);
	EXPECT_EQ(bytes[23], 8) << "row bytes, big-endian";
	EXPECT_EQ(bytes[26], 0x20) << "B_RGBA32 is 0x2008";
	EXPECT_EQ(bytes[27], 0x08);
	EXPECT_EQ(bytes[32], 1);
	EXPECT_EQ(bytes[39], 8);
	EXPECT_EQ(stream.ReadAt(40, bytes, 4), 0);

	// Writing the same bytes into an empty stream rebuilds the bitmap, byte by byte too.
	BBitmapStream copy;
	for (int i = 0; i < 40; i++)
		ASSERT_EQ(copy.Write(bytes + i, 1), 1) << i;
	EXPECT_EQ(copy.Write(bytes, 1), B_BAD_VALUE) << "nothing lies past the pixels";
	BBitmap* rebuilt = nullptr;
	ASSERT_EQ(copy.DetachBitmap(&rebuilt), B_OK);
	EXPECT_EQ(rebuilt->Bounds(), BRect(0, 0, 1, 0));
	EXPECT_EQ(memcmp(rebuilt->Bits(), "\x01\x02\x03\x04\x05\x06\x07\x08", 8), 0);
	delete rebuilt;
	EXPECT_EQ(copy.Size(), 0);
	EXPECT_EQ(copy.DetachBitmap(nullptr), B_BAD_VALUE);

	// A damaged header is refused rather than believed.
	BBitmapStream refusing;
	bytes[27] = 0x77; // an unknown colour space
	EXPECT_EQ(refusing.Write(bytes, 32), B_BAD_VALUE);
	EXPECT_EQ(refusing.Size(), 0);
}

TEST(TranslationTest, TheRosterDescribesItsTranslator)
{
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	EXPECT_EQ(roster, BTranslatorRoster::Default());
	translator_id* list = nullptr;
	int32 count = 0;
	ASSERT_EQ(roster->GetAllTranslators(&list, &count), B_OK);
	ASSERT_EQ(count, 1);
	const char* name = nullptr;
	EXPECT_EQ(roster->GetTranslatorInfo(list[0], &name, nullptr, nullptr), B_OK);
	EXPECT_STREQ(name, "PNG images");
	const translation_format* formats = nullptr;
	int32 formatCount = 0;
	ASSERT_EQ(roster->GetOutputFormats(list[0], &formats, &formatCount), B_OK);
	bool writesPng = false;
	for (int32 i = 0; i < formatCount; i++)
		writesPng |= formats[i].type == B_PNG_FORMAT && strcmp(formats[i].MIME, "image/png") == 0;
	EXPECT_TRUE(writesPng);
	EXPECT_EQ(roster->GetTranslatorInfo(list[0] + 1, &name, nullptr, nullptr), B_NO_TRANSLATOR);
	delete[] list;
}

} // namespace
