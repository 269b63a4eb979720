// The lamp renderer: each lamp shape's exact pixels, smoothed edges against the true area, a
// glow that only ever adds light, and drawing into views that are scrolled, clipped or in
// another drawing mode, which must give the same pixels as drawing the whole picture.
#include "DisplayViewTesting.h"

#include <cmath>
#include <cstring>

#include <TLampMask.h>
#include <TLampRenderer.h>

namespace {

const rgb_color kColors[3] = {{250, 10, 20, 255}, {5, 200, 30, 255}, {40, 50, 240, 255}};

// The mask as text, '#' for full coverage and '.' for none.
std::string mask_text(const TLampMask& mask)
{
	std::string text;
	for (int32 y = 0; y < mask.Size(); y++) {
		for (int32 x = 0; x < mask.Size(); x++)
			text += mask.At(x, y) == 255 ? '#' : mask.At(x, y) == 0 ? '.' : '?';
		text += '/';
	}
	return text;
}

TLampLook look(int32 shape, int32 radius = 1, bool antialias = false)
{
	TLampLook result;
	result.mShape = shape;
	result.mCornerRadius = radius;
	result.mAntialias = antialias;
	return result;
}

// A grid of lamps in one byte each, lit where the pattern has '#'.
struct Lamps {
	std::vector<uint8> cells;
	int32 columns;
	int32 rows;

	Lamps(std::initializer_list<const char*> lines)
	    : columns((int32)strlen(*lines.begin())), rows((int32)lines.size())
	{
		for (const char* line : lines) {
			for (int32 x = 0; x < columns; x++)
				cells.push_back(line[x] == '#' ? 1 : 0);
		}
	}
	TLampGrid Grid() const { return TLampGrid(cells.data(), columns, 1, columns, rows); }
};

std::vector<uint8> render(const TLampRenderer& renderer, const TLampGrid& grid, int32 width,
                          int32 height)
{
	std::vector<uint8> pixels((size_t)width * height * 4);
	renderer.Render(grid, graphics::IntRect(0, 0, width - 1, height - 1), pixels.data(), width * 4);
	return pixels;
}

} // namespace

TEST(LampMask, HardEdgedShapesAtSizesOneToSix)
{
	const char* const round[] = {
	    "#/",
	    "##/##/",
	    "###/###/###/",
	    ".##./####/####/.##./",
	    ".###./#####/#####/#####/.###./",
	    ".####./######/######/######/######/.####./",
	};
	for (int32 size = 1; size <= 6; size++) {
		EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kRound), size)), round[size - 1])
		    << "round " << size;
		EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kSquare), size)),
		          mask_text(TLampMask(look(TLampLook::kRounded, 0), size)))
		    << "a corner radius of 0 is a square, size " << size;
		// A corner radius of 1 cuts less than half of each corner pixel away, so with hard
		// edges it still lights every pixel.
		EXPECT_TRUE(TLampMask(look(TLampLook::kRounded, 1), size).IsFull()) << size;
		// Radii of half the lamp and more give the round lamp.
		EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kRounded, 3), size)), round[size - 1])
		    << "rounded 3 at " << size;
	}
	EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kRounded, 2), 6)),
	          ".####./######/######/######/######/.####./");
	// At eight pixels a radius of 2 rounds less than the disc does.
	EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kRounded, 2), 8)),
	          ".######./########/########/########/########/########/########/.######./");
	EXPECT_EQ(mask_text(TLampMask(look(TLampLook::kRound), 8)),
	          "..####../.######./########/########/########/########/.######./..####../");
}

TEST(LampMask, SmoothedEdgesFollowTheCoveredArea)
{
	// The share of each pixel that the disc covers, found by fine numeric integration.
	auto disc_area = [](int32 size, int32 x, int32 y) {
		const int32 steps = 400;
		const double centre = size / 2.0, radius = size / 2.0;
		int32 inside = 0;
		for (int32 i = 0; i < steps; i++) {
			for (int32 j = 0; j < steps; j++) {
				const double px = x + (i + 0.5) / steps - centre;
				const double py = y + (j + 0.5) / steps - centre;
				inside += px * px + py * py <= radius * radius;
			}
		}
		return (double)inside / (steps * steps);
	};
	for (int32 size = 1; size <= 6; size++) {
		const TLampMask mask(look(TLampLook::kRound, 1, true), size);
		for (int32 y = 0; y < size; y++) {
			for (int32 x = 0; x < size; x++) {
				// Sixteen samples per pixel edge miss the area by a few per cent at most.
				EXPECT_NEAR(mask.At(x, y) / 255.0, disc_area(size, x, y), 0.04)
				    << size << ": " << x << "," << y;
				// The disc is symmetric in both axes and the diagonal.
				EXPECT_EQ(mask.At(x, y), mask.At(size - 1 - x, y));
				EXPECT_EQ(mask.At(x, y), mask.At(x, size - 1 - y));
				EXPECT_EQ(mask.At(x, y), mask.At(y, x));
			}
		}
	}
}

TEST(LampRenderer, ShapedLampsMixTheirColourWithTheGapColour)
{
	const Lamps lamps({"#.", ".#"});
	TLampLook round = look(TLampLook::kRound, 1, true);
	const TLampRenderer renderer(4, 1, kColors, round);
	const TLampMask mask(round, 4);
	const std::vector<uint8> pixels = render(renderer, lamps.Grid(), 9, 9);
	auto at = [&](int32 x, int32 y) {
		const uint8* p = pixels.data() + ((size_t)y * 9 + x) * 4;
		return make_color(p[2], p[1], p[0], p[3]);
	};
	// A corner pixel of a lit and of an unlit lamp, a middle pixel, a gap pixel.
	const uint8 corner = mask.At(0, 0);
	ASSERT_GT(corner, 0);
	ASSERT_LT(corner, 255);
	const int32 r0 = kColors[2].red, r1 = kColors[0].red;
	EXPECT_NEAR(at(0, 0).red, r0 + (r1 - r0) * corner / 255.0, 0.5);
	EXPECT_EQ(at(1, 1), kColors[0]);
	EXPECT_EQ(at(6, 1), kColors[1]);
	EXPECT_EQ(at(4, 4), kColors[2]);
}

TEST(LampRenderer, GlowOnlyAddsLightAndStaysWithinItsRadius)
{
	const Lamps lamps({"......", "..#...", "......", "....##", "......"});
	TLampLook plain;
	TLampLook glowing;
	glowing.mGlowRadius = 3;
	glowing.mGlowStrength = 1.5f;
	const int32 width = 6 * 3 - 1, height = 5 * 3 - 1;
	const std::vector<uint8> without =
	    render(TLampRenderer(2, 1, kColors, plain), lamps.Grid(), width, height);
	const std::vector<uint8> with =
	    render(TLampRenderer(2, 1, kColors, glowing), lamps.Grid(), width, height);
	int32 brighter = 0;
	for (size_t i = 0; i < with.size(); i++) {
		ASSERT_GE(with[i], without[i]) << "byte " << i;
		brighter += with[i] > without[i];
	}
	EXPECT_GT(brighter, 0);
	// The gap pixel right of the single lit lamp (6, 4) lies one pixel from it and gets light;
	// the top-right corner is more than three pixels from every lit lamp and gets none.
	EXPECT_NE(memcmp(&with[(4 * width + 8) * 4], &without[(4 * width + 8) * 4], 4), 0);
	EXPECT_EQ(memcmp(&with[(0 * width + 16) * 4], &without[(0 * width + 16) * 4], 4), 0);
	EXPECT_EQ(memcmp(&with[(0 * width + 0) * 4], &without[(0 * width + 0) * 4], 4), 0);
}

TEST(LampRenderer, GlowOfAnAreaEqualsTheGlowOfTheWholePicture)
{
	// Light from lamps outside a drawn area still reaches into it.
	const Lamps lamps({"#..#..", "..#...", "#.....", "....##"});
	TLampLook glowing;
	glowing.mShape = TLampLook::kRound;
	glowing.mAntialias = true;
	glowing.mGlowRadius = 4;
	const TLampRenderer renderer(4, 2, kColors, glowing);
	const int32 width = 6 * 6 - 2, height = 4 * 6 - 2;
	const std::vector<uint8> whole = render(renderer, lamps.Grid(), width, height);
	const graphics::IntRect area(9, 5, 20, 13);
	std::vector<uint8> part((size_t)area.PixelWidth() * area.PixelHeight() * 4);
	renderer.Render(lamps.Grid(), area, part.data(), area.PixelWidth() * 4);
	for (int32 y = area.top; y <= area.bottom; y++) {
		EXPECT_EQ(memcmp(&part[(size_t)(y - area.top) * area.PixelWidth() * 4],
		                 &whole[((size_t)y * width + area.left) * 4], area.PixelWidth() * 4),
		          0)
		    << "row " << y;
	}
}

namespace {

class ClippedDrawTest : public DisplayViewTest {
protected:
	void SetUp() override
	{
		DisplayViewTest::SetUp();
		for (int32 i = 0; i < 3; i++)
			gProperty.mColors[i] = kColors[i];
		gProperty.mResolutionY = 5;
		ASSERT_EQ(fView.CreateOffScreen(7), B_OK);
		for (int32 x = 0; x < 7; x++) {
			for (int32 y = 0; y < 5; y++)
				fView.SetLit(x, y, (x * 3 + y) % 4 == 0);
		}
	}

	TestableDisplayView fView;
};

// The old drawing, one square per lamp over the gap colour, as the reference.
void draw_lamp_by_lamp(const TestableDisplayView& view, BView* target)
{
	const int32 size = gProperty.mLEDSize, pitch = size + gProperty.mLEDGap;
	target->SetHighColor(gProperty.mColors[2]);
	target->FillRect(target->Bounds());
	for (int32 x = 0; x < view.MatrixColumns(); x++) {
		for (int32 y = 0; y < view.MatrixRows(); y++) {
			target->SetHighColor(gProperty.mColors[view.Lit(x, y) ? 0 : 1]);
			target->FillRect(
			    BRect(x * pitch, y * pitch, x * pitch + size - 1, y * pitch + size - 1));
		}
	}
}

} // namespace

TEST_F(ClippedDrawTest, SquareLampsGiveTheOldPixelsByteForByte)
{
	for (int32 size = 1; size <= 6; size++) {
		for (int32 gap = 0; gap <= 2; gap++) {
			gProperty.mLEDSize = size;
			gProperty.mLEDGap = gap;
			Canvas drawn(7 * (size + gap) + 3, 5 * (size + gap) + 2);
			Canvas reference(drawn.Width(), drawn.Height());
			drawn.Draw(fView);
			ASSERT_TRUE(reference.view->LockLooper());
			draw_lamp_by_lamp(fView, reference.view);
			reference.view->UnlockLooper();
			EXPECT_EQ(
			    memcmp(drawn.bitmap.Bits(), reference.bitmap.Bits(), drawn.bitmap.BitsLength()), 0)
			    << "size " << size << ", gap " << gap;
		}
	}
}

TEST_F(ClippedDrawTest, ScrolledAndClippedTargetsGetThePixelsOfTheWholePicture)
{
	gProperty.mLEDSize = 3;
	gProperty.mLEDGap = 1;
	Canvas whole(7 * 4 - 1, 5 * 4 - 1);
	whole.Draw(fView);

	// A container that shows part of a larger, scrolled target, in a bitmap filled with a
	// colour the picture does not have.
	const rgb_color marker = {1, 2, 3, 255};
	for (drawing_mode mode : {B_OP_COPY, B_OP_OVER}) {
		Canvas screen(40, 30);
		BView* container = new BView(BRect(5, 3, 18, 14), "Container", B_FOLLOW_NONE, 0);
		BView* target = new BView(BRect(-4, -2, 40, 30), "Target", B_FOLLOW_NONE, 0);
		ASSERT_TRUE(screen.view->LockLooper());
		screen.view->SetHighColor(marker);
		screen.view->FillRect(screen.view->Bounds());
		screen.view->AddChild(container);
		container->AddChild(target);
		target->ScrollTo(3, 1);
		target->SetDrawingMode(mode);
		fView.DrawToView(target);
		screen.view->Sync();
		for (int32 y = 0; y < 30; y++) {
			for (int32 x = 0; x < 40; x++) {
				rgb_color want = marker;
				if (x >= 5 && x <= 18 && y >= 3 && y <= 14) {
					const BPoint at = target->ConvertFromScreen(BPoint(x, y));
					const int32 vx = (int32)at.x, vy = (int32)at.y;
					want =
					    vx < whole.Width() && vy < whole.Height() ? whole.At(vx, vy) : kColors[2];
				}
				ASSERT_EQ(screen.At(x, y), want) << x << "," << y << " mode " << mode;
			}
		}
		screen.view->UnlockLooper();
	}
}
