// Accelerator letters merged into labels in every format the shared preference offers.
#include <gtest/gtest.h>

#include <MergeAcceleratorKey.h>
#include <TIAPItemAccKeyFormat.h>

#include "../support/BStringPrinter.h"

namespace {

BString merged(const char* format, const char* letter, const char* label)
{
	return merge_accelerator_key(format, letter, label);
}

TEST(MergeAcceleratorKeyTest, TheDefaultFormatInsertsBeforeTheBestMarker)
{
	const char* format = IAP_ACC_KEY_FORMAT_DEFAULT;
	// No marker: the mark goes last.
	EXPECT_EQ(merged(format, "F", "Flat Tool Bar"), "Flat Tool Bar(F)");
	EXPECT_EQ(merged(format, "S", ""), "(S)");
	// Each marker on its own, and the blanks before it moving behind the mark.
	EXPECT_EQ(merged(format, "O", "Open..."), "Open(O)...");
	EXPECT_EQ(merged(format, "O", "Open  ..."), "Open(O)  ...");
	EXPECT_EQ(merged(format, "C", "Colour [FG]"), "Colour(C) [FG]");
	EXPECT_EQ(merged(format, "A", "Accelerator Format: "), "Accelerator Format(A): ");
	EXPECT_EQ(merged(format, "L", "文字：赤"), "文字(L)：赤");
	EXPECT_EQ(merged(format, "N", "Next >>"), "Next(N) >>");
	EXPECT_EQ(merged(format, "B", "<< Back"), "(B)<< Back") << "a marker at the start";
	EXPECT_EQ(merged(format, "R", "右→"), "右(R)→");
	EXPECT_EQ(merged(format, "L", "←左"), "(L)←左");
	EXPECT_EQ(merged(format, "X", "  :x"), "(X)  :x") << "blanks at the start move too";
}

TEST(MergeAcceleratorKeyTest, MarkersAreTriedInTheirOrderOfPreference)
{
	const char* format = IAP_ACC_KEY_FORMAT_DEFAULT;
	// "..." wins over an earlier "[", "[" over ":", ":" over ">>", and so on down the list.
	EXPECT_EQ(merged(format, "S", "[x] Save..."), "[x] Save(S)...");
	EXPECT_EQ(merged(format, "S", "a: b [c]"), "a: b(S) [c]");
	EXPECT_EQ(merged(format, "S", "a：b:c"), "a(S)：b:c");
	EXPECT_EQ(merged(format, "S", "a>>b:c"), "a>>b(S):c");
	EXPECT_EQ(merged(format, "S", "a<<b>>c"), "a<<b(S)>>c");
	EXPECT_EQ(merged(format, "S", "a→b<<c"), "a→b(S)<<c");
	EXPECT_EQ(merged(format, "S", "a←b→c"), "a←b(S)→c");
}

TEST(MergeAcceleratorKeyTest, PrefixFormatsPutTheMarkBeforeTheWholeLabel)
{
	EXPECT_EQ(merged(IAP_ACC_KEY_FORMAT_PAREN, "S", "Save..."), "S) Save...");
	EXPECT_EQ(merged(IAP_ACC_KEY_FORMAT_DOT, "F", "ファイル"), "F・ファイル");
	EXPECT_EQ(merged(IAP_ACC_KEY_FORMAT_DASH, "Q", "Quit: now"), "Q - Quit: now");
	// Only the first "a" of the template is the letter.
	EXPECT_EQ(merged("\001a-a ", "K", "Keep"), "K-a Keep");
}

TEST(MergeAcceleratorKeyTest, FormatsWithoutALetterLeaveTheLabelAlone)
{
	EXPECT_EQ(merged(IAP_ACC_KEY_FORMAT_NONE, "S", "Save..."), "Save...");
	EXPECT_EQ(merged("\002", "S", "Save..."), "Save...");
	EXPECT_EQ(merged("\002[x]", "S", "Save"), "Save") << "a template without its letter";
	EXPECT_EQ(merged("\001", "S", "Save"), "Save");
}

} // namespace
