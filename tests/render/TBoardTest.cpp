// The fixed board and its motion: where the text lands on the board, which frames a scroll
// and a page-through have and how long each lasts, and the GIF and WebP files read back with
// their decoders, frame by frame, against the still picture of the same board position.
#include "DisplayViewTesting.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <gif_lib.h>
#include <webp/demux.h>

#include <Entry.h>
#include <PngCodec.h>

#include <TBoard.h>
#include <TBoardAnimation.h>
#include <TBoardExport.h>
#include <TBoardProperty.h>

#include "../support/TempFolder.h"

namespace {

class BoardTest : public DisplayViewTest {
protected:
	void SetUp() override
	{
		DisplayViewTest::SetUp();
		gBoardProperty = TBoardProperty();
		// Eight text columns, each lit in the row of its index modulo five, with one unlit
		// margin column on either side.
		gProperty.mResolutionY = 5;
		SetMargins(1, 0, 1, 0);
		ASSERT_EQ(fView.CreateOffScreen(8), B_OK);
		for (int32 x = 0; x < 8; x++)
			fView.SetLit(x + 1, x % 5, true);
	}
	void TearDown() override
	{
		gBoardProperty = TBoardProperty();
		DisplayViewTest::TearDown();
	}

	// The text column each board column shows (-1 for none), read from the lit rows.
	static std::vector<int32> Columns(const TLampGrid& grid)
	{
		std::vector<int32> shown;
		for (int32 x = 0; x < grid.columns; x++) {
			int32 text = -1;
			for (int32 y = 0; y < grid.rows; y++) {
				if (grid.Lit(x, y))
					text = y;
			}
			shown.push_back(text);
		}
		return shown;
	}

	TestableDisplayView fView;
	TempFolder fFolder;
};

std::string read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST_F(BoardTest, TextIsPlacedLeftCentredOrRightAndClippedWhenWider)
{
	// A board of 14 columns has a text area of 12: four spare columns.
	TBoard board(fView.Lamps(), fView.MatrixMargins(), fView.TextColumns(), 14);
	ASSERT_EQ(board.InitCheck(), B_OK);
	EXPECT_EQ(board.AreaColumns(), 12);
	using V = std::vector<int32>;
	EXPECT_EQ(Columns(board.Show(board.AlignedOffset(TBoardProperty::kAlignLeft))),
	          (V{-1, 0, 1, 2, 3, 4, 0, 1, 2, -1, -1, -1, -1, -1}));
	EXPECT_EQ(Columns(board.Show(board.AlignedOffset(TBoardProperty::kAlignCenter))),
	          (V{-1, -1, -1, 0, 1, 2, 3, 4, 0, 1, 2, -1, -1, -1}));
	EXPECT_EQ(Columns(board.Show(board.AlignedOffset(TBoardProperty::kAlignRight))),
	          (V{-1, -1, -1, -1, -1, 0, 1, 2, 3, 4, 0, 1, 2, -1}));

	// Seven columns leave an area of five: the text's start, middle or end shows.
	TBoard narrow(fView.Lamps(), fView.MatrixMargins(), fView.TextColumns(), 7);
	EXPECT_EQ(Columns(narrow.Show(narrow.AlignedOffset(TBoardProperty::kAlignLeft))),
	          (V{-1, 0, 1, 2, 3, 4, -1}));
	EXPECT_EQ(Columns(narrow.Show(narrow.AlignedOffset(TBoardProperty::kAlignCenter))),
	          (V{-1, 2, 3, 4, 0, 1, -1}));
	EXPECT_EQ(Columns(narrow.Show(narrow.AlignedOffset(TBoardProperty::kAlignRight))),
	          (V{-1, 3, 4, 0, 1, 2, -1}));

	// Margins alone, or no board at all, leave no text area.
	EXPECT_EQ(TBoard(fView.Lamps(), fView.MatrixMargins(), 8, 2).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(TBoard(fView.Lamps(), fView.MatrixMargins(), 8, 0).InitCheck(), B_BAD_VALUE);
}

TEST_F(BoardTest, TheDisplayViewDrawsTheBoardWhenOneIsSet)
{
	gBoardProperty.mBoardWidth = 14;
	gBoardProperty.mAlign = TBoardProperty::kAlignRight;
	fView.Update();
	EXPECT_EQ(fView.Frame().Width(), 14 * 3 - 2);
	Canvas canvas(14 * 3 - 1, 5 * 3 - 1);
	canvas.Draw(fView);
	// Board column 5 shows text column 0, lit in row 0; column 4 is dark.
	EXPECT_EQ(canvas.At(5 * 3, 0), gProperty.mColors[TProperty::kColorFG]);
	EXPECT_EQ(canvas.At(4 * 3, 0), gProperty.mColors[TProperty::kColorBG]);
	EXPECT_EQ(canvas.At(12 * 3, 2 * 3), gProperty.mColors[TProperty::kColorFG]);
}

TEST_F(BoardTest, ScrollFramesRunTheTextThroughTheBoard)
{
	TBoardProperty property;
	property.mMotion = TBoardProperty::kScroll;
	property.mFramesPerSecond = 10;
	property.mSpeed = 10;
	property.mHoldStart = 500;
	property.mHoldEnd = 250;
	TBoard board(fView.Lamps(), fView.MatrixMargins(), fView.TextColumns(), 7);
	std::vector<TAnimationFrame> frames;
	ASSERT_EQ(TBoardAnimation::Plan(property, board, &frames), B_OK);
	// One lamp a frame over the area (5) and the text (8): 14 positions.
	ASSERT_EQ(frames.size(), 14u);
	EXPECT_EQ(frames.front().offset, -5);
	EXPECT_EQ(frames[7].offset, 2);
	EXPECT_EQ(frames.back().offset, 8);
	using V = std::vector<int32>;
	EXPECT_EQ(Columns(board.Show(frames.front().offset)), (V{-1, -1, -1, -1, -1, -1, -1}));
	EXPECT_EQ(Columns(board.Show(frames[3].offset)), (V{-1, -1, -1, 0, 1, 2, -1}));
	EXPECT_EQ(Columns(board.Show(frames[7].offset)), (V{-1, 2, 3, 4, 0, 1, -1}));
	EXPECT_EQ(Columns(board.Show(frames.back().offset)), (V{-1, -1, -1, -1, -1, -1, -1}));
	EXPECT_DOUBLE_EQ(frames[0].end, 0.6);
	EXPECT_DOUBLE_EQ(frames[1].start, 0.6);
	EXPECT_DOUBLE_EQ(frames.back().end, 1.4 + 0.5 + 0.25);

	// A third of a lamp a frame: each position is one frame three frames long.
	property.mSpeed = 10.0f / 3;
	property.mHoldStart = property.mHoldEnd = 0;
	ASSERT_EQ(TBoardAnimation::Plan(property, board, &frames), B_OK);
	ASSERT_EQ(frames.size(), 14u);
	EXPECT_NEAR(frames[1].end - frames[1].start, 0.3, 1e-9);
	// 30 frames a second give 3.33 hundredths each; the rounding is carried.
	property.mFramesPerSecond = 30;
	property.mSpeed = 30;
	ASSERT_EQ(TBoardAnimation::Plan(property, board, &frames), B_OK);
	const std::vector<int32> delays = TBoardAnimation::Hundredths(frames);
	EXPECT_EQ((std::vector<int32>(delays.begin(), delays.begin() + 6)),
	          (std::vector<int32>{3, 4, 3, 3, 4, 3}));
	int32 total = 0;
	for (int32 delay : delays)
		total += delay;
	EXPECT_EQ(total, 47); // 14 frames of 1/30 s

	// A crawl that would need more frames than allowed is refused.
	property.mFramesPerSecond = 100;
	property.mSpeed = TBoardProperty::kMinSpeed;
	TBoard wide(fView.Lamps(), fView.MatrixMargins(), fView.TextColumns(), 5000);
	EXPECT_EQ(TBoardAnimation::Plan(property, wide, &frames), B_NO_MEMORY);
	EXPECT_TRUE(frames.empty());
}

TEST_F(BoardTest, PagesShowTheTextOneAreaAtATime)
{
	TBoardProperty property;
	property.mMotion = TBoardProperty::kPage;
	property.mSpeed = 5;
	property.mHoldStart = 1000;
	property.mHoldEnd = 0;
	TBoard board(fView.Lamps(), fView.MatrixMargins(), fView.TextColumns(), 5);
	std::vector<TAnimationFrame> frames;
	ASSERT_EQ(TBoardAnimation::Plan(property, board, &frames), B_OK);
	// An area of three columns: pages at 0, 3 and 6, each 3 / 5 s, the first held.
	ASSERT_EQ(frames.size(), 3u);
	EXPECT_EQ(frames[1].offset, 3);
	EXPECT_EQ(frames[2].offset, 6);
	EXPECT_DOUBLE_EQ(frames[0].end, 1.6);
	EXPECT_DOUBLE_EQ(frames[2].end, 2.8);
}

namespace {

struct Decoded {
	int32 width = 0, height = 0, loops = -1;
	std::vector<int32> delays;              // hundredths (GIF) or milliseconds (WebP)
	std::vector<std::vector<uint8>> frames; // red, green, blue per pixel
};

Decoded decode_gif(const std::string& path)
{
	Decoded result;
	int error = 0;
	GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
	if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
		ADD_FAILURE() << "cannot read " << path;
		return result;
	}
	result.width = gif->SWidth;
	result.height = gif->SHeight;
	for (int i = 0; i < gif->ImageCount; i++) {
		const SavedImage& image = gif->SavedImages[i];
		for (int e = 0; e + 1 < image.ExtensionBlockCount; e++) {
			const ExtensionBlock& block = image.ExtensionBlocks[e];
			if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
			    memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
				const ExtensionBlock& data = image.ExtensionBlocks[e + 1];
				result.loops = data.Bytes[1] | data.Bytes[2] << 8;
			}
		}
		GraphicsControlBlock control;
		DGifSavedExtensionToGCB(gif, i, &control);
		result.delays.push_back(control.DelayTime);
		// Each image is laid over the frame before it, its transparent pixels showing that.
		const ColorMapObject* map =
		    image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
		std::vector<uint8> rgb = result.frames.empty()
		                             ? std::vector<uint8>((size_t)result.width * result.height * 3)
		                             : result.frames.back();
		const GifImageDesc& desc = image.ImageDesc;
		for (int y = 0; y < desc.Height; y++) {
			for (int x = 0; x < desc.Width; x++) {
				const int index = image.RasterBits[y * desc.Width + x];
				if (index == control.TransparentColor)
					continue;
				const GifColorType& c = map->Colors[index];
				uint8* pixel = &rgb[((size_t)(desc.Top + y) * result.width + desc.Left + x) * 3];
				pixel[0] = c.Red;
				pixel[1] = c.Green;
				pixel[2] = c.Blue;
			}
		}
		result.frames.push_back(rgb);
	}
	DGifCloseFile(gif, &error);
	return result;
}

Decoded decode_webp(const std::string& path)
{
	Decoded result;
	const std::string bytes = read_file(path);
	WebPData data = {(const uint8_t*)bytes.data(), bytes.size()};
	WebPAnimDecoderOptions options;
	WebPAnimDecoderOptionsInit(&options);
	options.color_mode = MODE_RGBA;
	WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
	WebPAnimInfo info;
	if (decoder == nullptr || !WebPAnimDecoderGetInfo(decoder, &info)) {
		ADD_FAILURE() << "cannot read " << path;
		return result;
	}
	result.width = info.canvas_width;
	result.height = info.canvas_height;
	result.loops = info.loop_count;
	int previous = 0;
	while (WebPAnimDecoderHasMoreFrames(decoder)) {
		uint8_t* pixels = nullptr;
		int timestamp = 0;
		WebPAnimDecoderGetNext(decoder, &pixels, &timestamp);
		result.delays.push_back(timestamp - previous);
		previous = timestamp;
		std::vector<uint8> rgb;
		for (int p = 0; p < result.width * result.height; p++)
			rgb.insert(rgb.end(), {pixels[4 * p], pixels[4 * p + 1], pixels[4 * p + 2]});
		result.frames.push_back(rgb);
	}
	WebPAnimDecoderDelete(decoder);
	return result;
}

// The still picture of the board with the text placed left, as the PNG export writes it.
std::vector<uint8> still_picture(TDisplayView& view, const std::string& path)
{
	entry_ref ref;
	EXPECT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);
	EXPECT_EQ(view.Save(ref), B_OK);
	const std::string bytes = read_file(path);
	graphics::PngImage image;
	EXPECT_EQ(
	    graphics::PngCodec::Decode(bytes.data(), bytes.size(), graphics::PixelLayout::Rgba, &image),
	    B_OK);
	std::vector<uint8> rgb;
	for (size_t p = 0; p + 3 < image.pixels.size(); p += 4)
		rgb.insert(rgb.end(), {image.pixels[p], image.pixels[p + 1], image.pixels[p + 2]});
	return rgb;
}

} // namespace

TEST_F(BoardTest, AnimationsReadBackWithTheirFramesDelaysAndLoops)
{
	gProperty.mColors[TProperty::kColorFG] = make_color(255, 176, 0, 255);
	gProperty.mColors[TProperty::kColorBG] = make_color(48, 24, 0, 255);
	gBoardProperty.mBoardWidth = 7;
	gBoardProperty.mMotion = TBoardProperty::kScroll;
	gBoardProperty.mFramesPerSecond = 30;
	gBoardProperty.mSpeed = 30;
	gBoardProperty.mHoldStart = 0;
	gBoardProperty.mHoldEnd = 1000;
	gBoardProperty.mLoopCount = 3;
	gBoardProperty.mLook.mShape = TLampLook::kRound;
	gBoardProperty.mLook.mAntialias = true;
	gBoardProperty.mLook.mGlowRadius = 2;
	gProperty.mLEDSize = 4;
	fView.Update();
	// The still board with the text placed left is scroll position 5, the sixth frame.
	const std::vector<uint8> still = still_picture(fView, fFolder.Path("still.png"));

	const std::string gifPath = fFolder.Path("sign.gif"), webpPath = fFolder.Path("sign.webp");
	ASSERT_EQ(TBoardExport::Write(fView, gBoardProperty, TBoardExport::kGif, gifPath.c_str()),
	          B_OK);
	ASSERT_EQ(TBoardExport::Write(fView, gBoardProperty, TBoardExport::kWebP, webpPath.c_str()),
	          B_OK);

	const Decoded gif = decode_gif(gifPath);
	EXPECT_EQ(gif.width, 7 * 5 - 1);
	EXPECT_EQ(gif.height, 5 * 5 - 1);
	ASSERT_EQ(gif.frames.size(), 14u);
	EXPECT_EQ(gif.loops, 2) << "three plays are two repeats";
	EXPECT_EQ((std::vector<int32>(gif.delays.begin(), gif.delays.begin() + 3)),
	          (std::vector<int32>{3, 4, 3}));
	EXPECT_EQ(gif.delays.back(), 104);
	EXPECT_EQ(gif.frames[5], still);

	const Decoded webp = decode_webp(webpPath);
	EXPECT_EQ(webp.width, gif.width);
	EXPECT_EQ(webp.loops, 3);
	ASSERT_EQ(webp.frames.size(), 14u);
	EXPECT_EQ((std::vector<int32>(webp.delays.begin(), webp.delays.begin() + 3)),
	          (std::vector<int32>{33, 34, 33}));
	EXPECT_EQ(webp.delays.back(), 1034);
	EXPECT_EQ(webp.frames[5], still);
	for (size_t i = 0; i < webp.frames.size(); i++)
		EXPECT_EQ(webp.frames[i], gif.frames[i]) << "frame " << i;
}

TEST_F(BoardTest, AFailedExportLeavesTheOldFile)
{
	const std::string path = fFolder.Write("sign.gif", "old");
	gBoardProperty.mMotion = TBoardProperty::kScroll;
	gBoardProperty.mBoardWidth = 2; // margins only: no text area
	EXPECT_EQ(TBoardExport::Write(fView, gBoardProperty, TBoardExport::kGif, path.c_str()),
	          B_BAD_VALUE);
	EXPECT_EQ(read_file(path), "old");
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fFolder.Path()),
	                        std::filesystem::directory_iterator()),
	          1);
	gBoardProperty.mBoardWidth = 7;
	EXPECT_NE(TBoardExport::Write(fView, gBoardProperty, TBoardExport::kGif,
	                              fFolder.Path("missing/sign.gif").c_str()),
	          B_OK);
}
