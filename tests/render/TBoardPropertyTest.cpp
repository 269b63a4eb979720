// The board parameters' record: every member survives its own settings file, and values out of
// range in a hand-edited file are refused member by member.
#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>
#include <File.h>
#include <Message.h>

#include <TBoardProperty.h>

#include "../support/TempFolder.h"

namespace {

TBoardProperty changed_board()
{
	TBoardProperty board;
	board.mLook.mShape = TLampLook::kRounded;
	board.mLook.mCornerRadius = 3;
	board.mLook.mAntialias = true;
	board.mLook.mGlowRadius = 5;
	board.mLook.mGlowStrength = 1.25f;
	board.mBoardWidth = 96;
	board.mAlign = TBoardProperty::kAlignRight;
	board.mMotion = TBoardProperty::kPage;
	board.mFramesPerSecond = 12.5f;
	board.mSpeed = 7.5f;
	board.mHoldStart = 250;
	board.mHoldEnd = 4000;
	board.mLoopCount = 3;
	return board;
}

void expect_same(const TBoardProperty& a, const TBoardProperty& b)
{
	EXPECT_EQ(a.mLook.mShape, b.mLook.mShape);
	EXPECT_EQ(a.mLook.mCornerRadius, b.mLook.mCornerRadius);
	EXPECT_EQ(a.mLook.mAntialias, b.mLook.mAntialias);
	EXPECT_EQ(a.mLook.mGlowRadius, b.mLook.mGlowRadius);
	EXPECT_EQ(a.mLook.mGlowStrength, b.mLook.mGlowStrength);
	EXPECT_EQ(a.mBoardWidth, b.mBoardWidth);
	EXPECT_EQ(a.mAlign, b.mAlign);
	EXPECT_EQ(a.mMotion, b.mMotion);
	EXPECT_EQ(a.mFramesPerSecond, b.mFramesPerSecond);
	EXPECT_EQ(a.mSpeed, b.mSpeed);
	EXPECT_EQ(a.mHoldStart, b.mHoldStart);
	EXPECT_EQ(a.mHoldEnd, b.mHoldEnd);
	EXPECT_EQ(a.mLoopCount, b.mLoopCount);
}

} // namespace

TEST(BoardProperty, EveryMemberRoundTripsThroughAFile)
{
	TempFolder folder;
	const BEntry entry(folder.Path("board.arc").c_str());
	const TBoardProperty saved = changed_board();
	ASSERT_EQ(saved.Save(entry), B_OK);
	TBoardProperty loaded;
	EXPECT_EQ(loaded.Load(entry), B_OK);
	expect_same(loaded, saved);
	EXPECT_EQ(loaded.Check(), B_OK);
	// The defaults draw the plain picture: square lamps, no glow, no board, no motion.
	const TBoardProperty defaults;
	EXPECT_TRUE(defaults.mLook.IsPlain());
	EXPECT_EQ(defaults.mBoardWidth, 0);
	EXPECT_EQ(defaults.mMotion, TBoardProperty::kStill);
}

TEST(BoardProperty, ValuesOutOfRangeAreRefusedOneByOne)
{
	BMessage good;
	ASSERT_EQ(changed_board().Archive(&good), B_OK);
	const std::vector<std::pair<const char*, std::function<void(BMessage&)>>> cases = {
	    {"LpSh", [](BMessage& m) { m.ReplaceInt32("LpSh", 7); }},
	    {"GlRd", [](BMessage& m) { m.ReplaceInt32("GlRd", 1 << 30); }},
	    {"GlSt", [](BMessage& m) { m.ReplaceFloat("GlSt", NAN); }},
	    {"BdWd", [](BMessage& m) { m.ReplaceInt32("BdWd", 1000000); }},
	    {"BdAl", [](BMessage& m) { m.ReplaceInt32("BdAl", -1); }},
	    {"MtFp", [](BMessage& m) { m.ReplaceFloat("MtFp", 0); }},
	    {"MtSp", [](BMessage& m) { m.ReplaceFloat("MtSp", INFINITY); }},
	    {"MtHs", [](BMessage& m) { m.ReplaceInt32("MtHs", -5); }},
	    {"MtLp", [](BMessage& m) { m.ReplaceInt32("MtLp", 1 << 20); }},
	};
	for (const auto& [key, damage] : cases) {
		BMessage archive = good;
		damage(archive);
		TBoardProperty board;
		EXPECT_NE(board.Unarchive(&archive), B_OK) << key;
		EXPECT_EQ(board.Check(), B_OK) << key << ": the member keeps its default";
		EXPECT_EQ(board.mHoldEnd, 4000) << key << ": the other keys apply";
	}
}
