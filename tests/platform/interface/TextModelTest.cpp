// The text model under the text view, without a window: cleaning bytes into UTF-8, character
// and word boundaries, the undo history's merging, and the layout's positions kept through
// edits.
#include <gtest/gtest.h>

#include <random>

#include <Font.h>

#include "TextBuffer.h"
#include "TextLayout.h"
#include "TextUndo.h"

using BPrivate::TextBuffer;
using BPrivate::TextLayout;
using BPrivate::TextUndo;

namespace {

TextBuffer buffer_of(const std::string& text)
{
	TextBuffer buffer;
	buffer.SetText(TextBuffer::Clean(text.data(), text.size()));
	return buffer;
}

std::string word_at(const TextBuffer& buffer, int32 offset)
{
	int32 start, end;
	buffer.WordAt(offset, &start, &end);
	return buffer.Substring(start, end);
}

} // namespace

TEST(TextBufferTest, CleaningKeepsUtf8AndReplacesEachMalformedByte)
{
	std::string good = "a東京\xf0\x9f\x98\x80z";
	EXPECT_EQ(TextBuffer::Clean(good.data(), good.size()), good);
	// A stray continuation byte, a sequence cut short, an overlong form and a surrogate: one
	// replacement character per byte that cannot start a character; NUL goes.
	std::string bad("x\x80y\xe6\x9dz\xc0\xafw\xed\xa0\x80\0v", 14);
	std::string replacement = "\xef\xbf\xbd";
	EXPECT_EQ(TextBuffer::Clean(bad.data(), bad.size()),
	          "x" + replacement + "y" + replacement + replacement + "z" + replacement +
	              replacement + "w" + replacement + replacement + replacement + "v");
	EXPECT_EQ(TextBuffer::Clean(nullptr, 5), "");

	EXPECT_EQ(TextBuffer::ReplaceLineBreaks("a\r\nb\nc\rd", ' '), "a b c d");
	EXPECT_EQ(TextBuffer::ReplaceLineBreaks("a\r\nb\r", '\n'), "a\nb\n");
}

TEST(TextBufferTest, OffsetsNeverLandInsideACharacter)
{
	TextBuffer buffer = buffer_of("a日本\xf0\x9f\x98\x80");
	// a: 0, 日: 1-3, 本: 4-6, the emoji: 7-10.
	std::vector<int32> forward;
	for (int32 offset = 0; offset < buffer.Length(); offset = buffer.NextCharacter(offset))
		forward.push_back(offset);
	EXPECT_EQ(forward, (std::vector<int32>{0, 1, 4, 7}));
	EXPECT_EQ(buffer.PreviousCharacter(11), 7);
	EXPECT_EQ(buffer.PreviousCharacter(7), 4);
	EXPECT_EQ(buffer.PreviousCharacter(0), 0);
	EXPECT_EQ(buffer.NextCharacter(11), 11);
	for (int32 inside : {2, 3, 5, 8, 10}) {
		EXPECT_FALSE(buffer.IsBoundary(inside));
		EXPECT_TRUE(buffer.IsBoundary(buffer.SnapBackward(inside)));
		EXPECT_TRUE(buffer.IsBoundary(buffer.SnapForward(inside)));
	}
	EXPECT_EQ(buffer.SnapBackward(-5), 0);
	EXPECT_EQ(buffer.SnapForward(99), 11);
	// Cutting to a number of bytes stops before a character that would not fit whole.
	EXPECT_EQ(TextBuffer::FitLength(buffer.String(), 6), 4u);
	EXPECT_EQ(TextBuffer::FitLength(buffer.String(), 7), 7u);
	EXPECT_EQ(TextBuffer::FitLength(buffer.String(), 50), 11u);
}

TEST(TextBufferTest, WordsAreRunsOfOneKindOfCharacter)
{
	TextBuffer japanese = buffer_of("東京駅から新幹線、カタカナー");
	EXPECT_EQ(word_at(japanese, 3), "東京駅");
	EXPECT_EQ(word_at(japanese, 9), "から");
	EXPECT_EQ(word_at(japanese, 15), "新幹線");
	EXPECT_EQ(word_at(japanese, 30), "カタカナー");
	// At the end of the text, the last word.
	EXPECT_EQ(word_at(japanese, japanese.Length()), "カタカナー");

	TextBuffer latin = buffer_of("hello, big_world 42");
	EXPECT_EQ(word_at(latin, 2), "hello");
	EXPECT_EQ(word_at(latin, 5), ",");
	EXPECT_EQ(word_at(latin, 9), "big_world");
	EXPECT_EQ(latin.NextWordEnd(0), 5);
	EXPECT_EQ(latin.NextWordEnd(5), 6);
	EXPECT_EQ(latin.NextWordEnd(6), 16);
	EXPECT_EQ(latin.PreviousWordStart(latin.Length()), 17);
	EXPECT_EQ(latin.PreviousWordStart(16), 7);
	EXPECT_EQ(latin.PreviousWordStart(7), 5);
	EXPECT_EQ(japanese.NextWordEnd(0), 9);
	EXPECT_EQ(japanese.PreviousWordStart(15), 9);

	TextBuffer empty;
	EXPECT_EQ(word_at(empty, 0), "");
	EXPECT_EQ(empty.NextWordEnd(0), 0);
	EXPECT_EQ(empty.PreviousWordStart(0), 0);
}

TEST(TextUndoTest, ContinuedTypingAndDeletingMergeUntilSealed)
{
	TextUndo undo;
	// "ab" typed, then "c" after the caret was moved elsewhere: two steps.
	undo.Record(0, "", "a", 0, 0, TextUndo::kTyping);
	undo.Record(1, "", "b", 1, 1, TextUndo::kTyping);
	undo.Seal();
	undo.Record(0, "", "c", 0, 0, TextUndo::kTyping);
	const TextUndo::Step* step = undo.Undo();
	ASSERT_NE(step, nullptr);
	EXPECT_EQ(step->inserted, "c");
	step = undo.Undo();
	ASSERT_NE(step, nullptr);
	EXPECT_EQ(step->inserted, "ab");
	EXPECT_EQ(step->offset, 0);
	EXPECT_EQ(undo.Undo(), nullptr);
	EXPECT_TRUE(undo.CanRedo());
	step = undo.Redo();
	ASSERT_NE(step, nullptr);
	EXPECT_EQ(step->inserted, "ab");

	// A new change forgets the redo steps.
	undo.Record(2, "", "x", 2, 2, TextUndo::kTyping);
	EXPECT_FALSE(undo.CanRedo());

	// Typing over a selection is a step that the following characters join; typing that
	// does not continue at the caret starts another.
	undo.Clear();
	undo.Record(2, "sel", "t", 2, 5, TextUndo::kTyping);
	undo.Record(3, "", "u", 3, 3, TextUndo::kTyping);
	undo.Record(9, "", "v", 9, 9, TextUndo::kTyping);
	EXPECT_EQ(undo.Undo()->inserted, "v");
	step = undo.Undo();
	EXPECT_EQ(step->removed, "sel");
	EXPECT_EQ(step->inserted, "tu");
	EXPECT_EQ(step->selectionStart, 2);
	EXPECT_EQ(step->selectionEnd, 5);

	// Backspaces collect the bytes before, Delete those after; a paste never merges.
	undo.Clear();
	undo.Record(4, "d", "", 5, 5, TextUndo::kBackspace);
	undo.Record(3, "c", "", 4, 4, TextUndo::kBackspace);
	undo.Record(3, "e", "", 3, 3, TextUndo::kForwardDelete);
	undo.Record(3, "f", "", 3, 3, TextUndo::kForwardDelete);
	undo.Record(3, "", "p", 3, 3, TextUndo::kOther);
	undo.Record(4, "", "q", 4, 4, TextUndo::kOther);
	EXPECT_EQ(undo.Undo()->inserted, "q");
	EXPECT_EQ(undo.Undo()->inserted, "p");
	EXPECT_EQ(undo.Undo()->removed, "ef");
	step = undo.Undo();
	EXPECT_EQ(step->removed, "cd");
	EXPECT_EQ(step->offset, 3);
	EXPECT_EQ(step->selectionStart, 5);
}

TEST(TextUndoTest, TheOldestStepsAreForgottenBeyondTheLimit)
{
	TextUndo undo;
	for (size_t i = 0; i < TextUndo::kMaxSteps + 10; i++)
		undo.Record((int32)i, "", "x", 0, 0, TextUndo::kOther);
	size_t count = 0;
	while (undo.Undo() != nullptr)
		count++;
	EXPECT_EQ(count, TextUndo::kMaxSteps);
}

// The positions kept through edits are those of a layout made afresh, for any edit.
TEST(TextLayoutTest, EditsKeepThePositionsOfAFreshLayout)
{
	const std::vector<std::string> pieces = {"a", "漢字", "\n",   "\t", "WW",
	                                         " ", "かな", "\n\n", "ij", "é"};
	TextBuffer buffer;
	TextLayout layout(buffer);
	layout.SetFont(*be_plain_font);
	std::mt19937 random(7);
	for (int round = 0; round < 300; round++) {
		int32 length = buffer.Length();
		int32 at = buffer.SnapBackward((int32)(random() % (uint32)(length + 1)));
		if (random() % 3 != 0 || length == 0) {
			const std::string& piece = pieces[random() % pieces.size()];
			buffer.Insert(at, piece);
			layout.Inserted(at, (int32)piece.size());
		} else {
			int32 to = buffer.SnapForward(at + (int32)(random() % 6));
			buffer.Remove(at, to);
			layout.Removed(at, to);
		}
		TextLayout fresh(buffer);
		fresh.SetFont(*be_plain_font);
		ASSERT_EQ(layout.CountLines(), fresh.CountLines()) << "round " << round;
		for (int32 line = 0; line < fresh.CountLines(); line++)
			ASSERT_EQ(layout.LineStart(line), fresh.LineStart(line)) << "round " << round;
		for (int32 offset = 0; offset <= buffer.Length(); offset++) {
			if (!buffer.IsBoundary(offset))
				continue;
			ASSERT_NEAR(layout.X(offset), fresh.X(offset), 1e-6) << "round " << round;
		}
	}
}

TEST(TextLayoutTest, PositionsFindTheNearestBoundaryOfTheirLine)
{
	TextBuffer buffer = buffer_of("日本\nab\tc");
	TextLayout layout(buffer);
	layout.SetFont(*be_plain_font);
	layout.SetTabWidth(20);
	ASSERT_EQ(layout.CountLines(), 2);
	EXPECT_EQ(layout.LineAt(0), 0);
	EXPECT_EQ(layout.LineAt(6), 0);
	EXPECT_EQ(layout.LineAt(7), 1);
	EXPECT_EQ(layout.LineEnd(0), 6);
	EXPECT_EQ(layout.LineEnd(1), buffer.Length());

	double wide = layout.X(3);
	EXPECT_GT(wide, 0);
	// Left of the middle of 日 goes before it, right of the middle after it.
	EXPECT_EQ(layout.OffsetAt(0, wide * 0.4), 0);
	EXPECT_EQ(layout.OffsetAt(0, wide * 0.6), 3);
	EXPECT_EQ(layout.OffsetAt(0, -50), 0);
	EXPECT_EQ(layout.OffsetAt(0, 1000), 6);
	EXPECT_EQ(layout.BoundaryBefore(0, wide * 1.5), 3);
	EXPECT_EQ(layout.BoundaryAfter(0, wide * 1.5), 6);
	// The tab advances by the tab width.
	EXPECT_DOUBLE_EQ(layout.X(10) - layout.X(9), 20);
	EXPECT_EQ(layout.OffsetAt(1, 1000), buffer.Length());
}
