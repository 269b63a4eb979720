#include <String.h>

#include <gtest/gtest.h>

TEST(StringTest, ConstructionKeepsBytesAndBoundsLength)
{
	EXPECT_EQ(BString().Length(), 0);
	EXPECT_STREQ(BString(nullptr).String(), "");
	EXPECT_STREQ(BString("abcdef", 3).String(), "abc");
	EXPECT_STREQ(BString("ab", 10).String(), "ab");
	// Bytes, not characters: a UTF-8 text of three characters is six bytes long.
	BString text("aé各");
	EXPECT_EQ(text.Length(), 6);
	EXPECT_EQ(text.CountChars(), 3);
}

TEST(StringTest, AppendPrependInsertAndStreaming)
{
	BString s("middle");
	s.Prepend("[").Append("]");
	EXPECT_EQ(s, "[middle]");
	s.Insert("--", 1);
	EXPECT_EQ(s, "[--middle]");
	s.Insert("xyz", 1, 2, 0);  // "yz" at 0
	EXPECT_EQ(s, "yz[--middle]");
	s.Insert('!', 2, 1000);  // clamped to the end
	EXPECT_EQ(s, "yz[--middle]!!");
	BString t;
	t << "n=" << 42 << ' ' << -7L << ' ' << true;
	EXPECT_EQ(t, "n=42 -7 true");
	EXPECT_EQ(BString("a") + "b" + BString("c"), "abc");
	EXPECT_EQ("x" + BString("y"), "xy");
}

TEST(StringTest, FindFirstAndLastWithOffsets)
{
	BString s("abcabcabc");
	EXPECT_EQ(s.FindFirst("bc"), 1);
	EXPECT_EQ(s.FindFirst("bc", 2), 4);
	EXPECT_EQ(s.FindFirst("bc", 8), B_ERROR);
	EXPECT_EQ(s.FindFirst("zz"), B_ERROR);
	EXPECT_EQ(s.FindFirst('c', 3), 5);
	EXPECT_EQ(s.FindLast("abc"), 6);
	// A match must lie wholly before the offset.
	EXPECT_EQ(s.FindLast("abc", 8), 3);
	EXPECT_EQ(s.FindLast("abc", 9), 6);
	EXPECT_EQ(s.FindLast("abc", 2), B_ERROR);
	EXPECT_EQ(s.FindLast('a'), 6);
	EXPECT_EQ(s.FindLast('a', 6), 3);
	EXPECT_EQ(s.FindFirst("", 0), 0);
	EXPECT_EQ(s.FindFirst("a", -1), B_ERROR);
}

TEST(StringTest, RemoveTruncateReplace)
{
	BString s("hello world");
	s.Remove(5, 100);
	EXPECT_EQ(s, "hello");
	s.Remove(-1, 2).Remove(10, 1);  // out of range: unchanged
	EXPECT_EQ(s, "hello");
	s.Truncate(2);
	EXPECT_EQ(s, "he");
	s.Truncate(10);
	EXPECT_EQ(s, "he");

	BString r("%A% and %A%");
	r.ReplaceAll("%A%", "Glow");
	EXPECT_EQ(r, "Glow and Glow");
	r.ReplaceFirst("Glow", "x");
	EXPECT_EQ(r, "x and Glow");
	r.ReplaceLast("and", "or");
	EXPECT_EQ(r, "x or Glow");
	// Replacing with a text that contains the pattern must not loop.
	BString loop("aa");
	loop.ReplaceAll("a", "aa");
	EXPECT_EQ(loop, "aaaa");
	loop.ReplaceAll("", "b");
	EXPECT_EQ(loop, "aaaa");
	BString c("a.b.c");
	c.ReplaceAll('.', '/', 2);
	EXPECT_EQ(c, "a.b/c");
}

TEST(StringTest, CopyIntoAndByteAccessStayInside)
{
	BString s("abcdef");
	BString part;
	s.CopyInto(part, 2, 3);
	EXPECT_EQ(part, "cde");
	s.CopyInto(part, 4, 100);
	EXPECT_EQ(part, "ef");
	s.CopyInto(part, 10, 1);
	EXPECT_EQ(part, "");
	char buffer[8] = {};
	s.CopyInto(buffer, 3, 100);
	EXPECT_STREQ(buffer, "def");
	EXPECT_EQ(s.ByteAt(0), 'a');
	EXPECT_EQ(s.ByteAt(6), 0);
	EXPECT_EQ(s.ByteAt(-1), 0);
	s.CopyInto(s, 1, 2);
	EXPECT_EQ(s, "bc");
}

TEST(StringTest, ComparisonIsBytewise)
{
	EXPECT_LT(BString("a"), BString("b"));
	EXPECT_LT(BString("Z"), BString("a"));
	EXPECT_LT(BString("abc"), BString("abd"));
	EXPECT_LT(BString("ab"), BString("abc"));
	// High bytes compare above ASCII.
	EXPECT_LT(BString("z"), BString("各"));
	EXPECT_TRUE(BString("x") == "x");
	EXPECT_TRUE("x" == BString("x"));
	EXPECT_EQ(BString("abc").Compare("abd", 2), 0);
	EXPECT_EQ(BString("ABC").ICompare("abc"), 0);
}

TEST(StringTest, LockBufferSetsLength)
{
	BString s;
	char* buffer = s.LockBuffer(16);
	strcpy(buffer, "written");
	s.UnlockBuffer();
	EXPECT_EQ(s, "written");
	EXPECT_EQ(s.Length(), 7);
	buffer = s.LockBuffer(4);
	s.UnlockBuffer(3);
	EXPECT_EQ(s, "wri");
}

TEST(StringTest, SetToAliasingAndFormat)
{
	BString s("abcdef");
	s.SetTo(s.String() + 2);
	EXPECT_EQ(s, "cdef");
	s.SetTo('x', 3);
	EXPECT_EQ(s, "xxx");
	s.SetToFormat("%d-%s", 5, "five");
	EXPECT_EQ(s, "5-five");
	BString moved(std::move(s));
	EXPECT_EQ(moved, "5-five");
	EXPECT_TRUE(s.IsEmpty());
}
