// The PNG export: the file shows exactly the drawn picture, replaces an existing file, and a
// save that fails reports it and leaves the previous file as it was.
#include "DisplayViewTesting.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

#include <Entry.h>
#include <PngCodec.h>

#include "../support/TempFolder.h"

namespace {

std::string read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SaveTest : public DisplayViewTest {
protected:
	void SetUp() override
	{
		DisplayViewTest::SetUp();
		ASSERT_FALSE(fFolder.Path().empty());
		fPath = fFolder.Path("sign.png");
		ASSERT_EQ(get_ref_for_path(fPath.c_str(), &fRef), B_OK);
	}

	// Decodes the saved file in the bitmap's byte order (blue, green, red, alpha).
	graphics::PngImage Decode() const
	{
		const std::string bytes = read_file(fPath);
		graphics::PngImage image;
		EXPECT_EQ(graphics::PngCodec::Decode(bytes.data(), bytes.size(),
		                                     graphics::PixelLayout::Bgra, &image),
		          B_OK);
		return image;
	}

	// The names in the folder, to see that no temporary file stays behind.
	std::vector<std::string> Entries() const
	{
		std::vector<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(fFolder.Path()))
			names.push_back(entry.path().filename().string());
		return names;
	}

	TempFolder fFolder;
	std::string fPath;
	entry_ref fRef;
};

} // namespace

TEST_F(SaveTest, DefaultsWithFortyByTwentyFourLampsGiveOneHundredNineteenBySeventyOne)
{
	TestableDisplayView view;
	ASSERT_EQ(view.CreateOffScreen(40), B_OK);
	ASSERT_EQ(view.Save(fRef), B_OK);
	const graphics::PngImage image = Decode();
	EXPECT_EQ(image.width, 119);
	EXPECT_EQ(image.height, 71);
}

TEST_F(SaveTest, FileEqualsTheOnScreenDrawing)
{
	UseFont("VL Gothic", "regular");
	gProperty.mColors[TProperty::kColorFG] = make_color(255, 160, 0, 255);
	gProperty.mColors[TProperty::kColorBG] = make_color(40, 20, 0, 200);
	gProperty.mColors[TProperty::kColorGap] = make_color(10, 10, 30, 255);
	SetMargins(1, 1, 2, 0);
	gProperty.mLEDSize = 3;
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("快速 Rapid"), B_OK);
	ASSERT_EQ(view.Save(fRef), B_OK);

	// The display view's own drawing, at its own size, as the window would show it.
	const int32 width = (int32)view.Frame().Width() + 1;
	const int32 height = (int32)view.Frame().Height() + 1;
	Canvas screen(width, height);
	screen.Draw(view);

	const graphics::PngImage image = Decode();
	ASSERT_EQ(image.width, width);
	ASSERT_EQ(image.height, height);
	ASSERT_EQ(image.pixels.size(), (size_t)screen.bitmap.BitsLength());
	EXPECT_TRUE(
	    std::equal(image.pixels.begin(), image.pixels.end(), (const uint8*)screen.bitmap.Bits()));
	EXPECT_EQ(Entries(), std::vector<std::string>{"sign.png"});
}

TEST_F(SaveTest, SavingOverAFileReplacesIt)
{
	fFolder.Write("sign.png", "an older file that is not a picture at all");
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Local"), B_OK);
	ASSERT_EQ(view.Save(fRef), B_OK);
	const std::string first = read_file(fPath);
	EXPECT_TRUE(graphics::PngCodec::HasSignature(first.data(), first.size()));

	// The same picture again gives the same bytes; a new one replaces them.
	ASSERT_EQ(view.Save(fRef), B_OK);
	EXPECT_EQ(read_file(fPath), first);
	ASSERT_EQ(view.SetText("Express"), B_OK);
	ASSERT_EQ(view.Save(fRef), B_OK);
	EXPECT_NE(read_file(fPath), first);
	EXPECT_EQ(Entries(), std::vector<std::string>{"sign.png"});
}

TEST_F(SaveTest, FailedWriteKeepsTheOldFileAndSaysSo)
{
	const std::string old = "the picture the user saved yesterday";
	fFolder.Write("sign.png", old);
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("A sign whose file is larger than the file size limit"), B_OK);

	// A file size limit makes the encoder's writes fail part way, as a full disk would.
	struct rlimit saved;
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
	struct rlimit small = saved;
	small.rlim_cur = 1024;
	void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
	const status_t status = view.Save(fRef);
	setrlimit(RLIMIT_FSIZE, &saved);
	signal(SIGXFSZ, previous);

	EXPECT_NE(status, B_OK);
	EXPECT_EQ(read_file(fPath), old);
	EXPECT_EQ(Entries(), std::vector<std::string>{"sign.png"});

	// Without the limit the same picture is written, and it is larger than the limit.
	const std::string other = fFolder.Path("other.png");
	entry_ref otherRef;
	ASSERT_EQ(get_ref_for_path(other.c_str(), &otherRef), B_OK);
	ASSERT_EQ(view.Save(otherRef), B_OK);
	EXPECT_GT(read_file(other).size(), small.rlim_cur);
}

TEST_F(SaveTest, PictureTooLargeForMemoryKeepsTheOldFile)
{
	const std::string old = "previous";
	fFolder.Write("sign.png", old);
	TestableDisplayView view;
	ASSERT_EQ(view.CreateOffScreen(40), B_OK);
	// 40 x 24 lamps of 5000 pixels are far beyond what the export makes in memory.
	gProperty.mLEDSize = 5000;
	EXPECT_EQ(view.Save(fRef), B_NO_MEMORY);
	gProperty.mLEDSize = 0;
	EXPECT_EQ(view.Save(fRef), B_BAD_VALUE);
	EXPECT_EQ(read_file(fPath), old);
	EXPECT_EQ(Entries(), std::vector<std::string>{"sign.png"});
}

TEST_F(SaveTest, UnwritablePlacesAnswerAnError)
{
	TestableDisplayView view;
	// A folder in place of the file.
	ASSERT_EQ(mkdir(fPath.c_str(), 0755), 0);
	EXPECT_EQ(view.Save(fRef), B_IS_A_DIRECTORY);
	EXPECT_TRUE(std::filesystem::is_directory(fPath));

	// A folder that went away after the file was chosen.
	const std::string inner = fFolder.Path("gone");
	ASSERT_EQ(mkdir(inner.c_str(), 0755), 0);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path((inner + "/sign.png").c_str(), &ref), B_OK);
	ASSERT_EQ(rmdir(inner.c_str()), 0);
	EXPECT_NE(view.Save(ref), B_OK);
	EXPECT_FALSE(std::filesystem::exists(inner));
}
