// Fields of BMessage: every type through Add/Find/Replace/Has, indexed items, the information
// calls, and the round trip of every type through both flattened forms.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unistd.h>

#include <DataIO.h>
#include <Entry.h>
#include <GraphicsDefs.h>
#include <Message.h>
#include <Path.h>

namespace {

// One message with at least one item of every type, several with more than one.
BMessage every_type()
{
	BMessage message('evry');
	message.AddBool("bool", true);
	message.AddBool("bool", false);
	message.AddInt8("int8", -128);
	message.AddUInt8("uint8", 255);
	message.AddInt16("int16", -32768);
	message.AddUInt16("uint16", 65535);
	message.AddInt32("int32", std::numeric_limits<int32>::min());
	message.AddInt32("int32", 7);
	message.AddUInt32("uint32", 0xdeadbeef);
	message.AddInt64("int64", std::numeric_limits<int64>::min());
	message.AddUInt64("uint64", std::numeric_limits<uint64>::max());
	message.AddFloat("float", -0.0f);
	message.AddFloat("float", std::numeric_limits<float>::infinity());
	message.AddDouble("double", 3.141592653589793);
	message.AddPoint("point", BPoint(1.5f, -2.25f));
	message.AddRect("rect", BRect(1, 2, 3, 4));
	message.AddRect("rect", BRect());
	message.AddString("string", "hello");
	message.AddString("string", "");
	message.AddString("string", BString("グロープレート"));
	message.AddPointer("pointer", &message);
	BMessenger messenger;
	message.AddMessenger("messenger", messenger);
	const uint8 raw[] = {0, 1, 2, 0xff};
	message.AddData("raw", B_RAW_TYPE, raw, sizeof(raw), false);
	message.AddData("raw", B_RAW_TYPE, raw, 1, false);
	message.AddData("fixed", 'FIXD', raw, 2, true);
	message.AddData("fixed", 'FIXD', raw + 2, 2, true);
	message.AddData("color", B_RGB_COLOR_TYPE, raw, 4, true);
	BMessage nested('nest');
	nested.AddString("inner", "deep");
	BMessage deeper('dpr2');
	deeper.AddInt32("level", 2);
	nested.AddMessage("deeper", &deeper);
	message.AddMessage("message", &nested);
	return message;
}

// Compares two messages field by field and item by item, byte for byte.
void expect_same(const BMessage& a, const BMessage& b)
{
	EXPECT_EQ(a.what, b.what);
	ASSERT_EQ(a.CountNames(B_ANY_TYPE), b.CountNames(B_ANY_TYPE));
	for (int32 i = 0; i < a.CountNames(B_ANY_TYPE); i++) {
		const char* name;
		type_code type;
		int32 count;
		ASSERT_EQ(a.GetInfo(B_ANY_TYPE, i, &name, &type, &count), B_OK);
		type_code otherType;
		int32 otherCount;
		bool fixed, otherFixed;
		ASSERT_EQ(b.GetInfo(name, &otherType, &otherCount), B_OK) << name;
		EXPECT_EQ(type, otherType) << name;
		ASSERT_EQ(count, otherCount) << name;
		a.GetInfo(name, &type, &fixed);
		b.GetInfo(name, &type, &otherFixed);
		EXPECT_EQ(fixed, otherFixed) << name;
		for (int32 item = 0; item < count; item++) {
			const void* dataA;
			const void* dataB;
			ssize_t sizeA, sizeB;
			ASSERT_EQ(a.FindData(name, type, item, &dataA, &sizeA), B_OK);
			ASSERT_EQ(b.FindData(name, type, item, &dataB, &sizeB), B_OK);
			ASSERT_EQ(sizeA, sizeB) << name << "[" << item << "]";
			EXPECT_EQ(memcmp(dataA, dataB, (size_t)sizeA), 0) << name << "[" << item << "]";
		}
	}
}

BMessage through_buffer(const BMessage& message)
{
	ssize_t size = message.FlattenedSize();
	EXPECT_GT(size, 0);
	std::vector<char> buffer((size_t)size);
	EXPECT_EQ(message.Flatten(buffer.data(), size), B_OK);
	BMessage copy;
	EXPECT_EQ(copy.Unflatten(buffer.data(), size), B_OK);
	return copy;
}

} // namespace

TEST(MessageFields, EveryTypeReadsBackWhatWasAdded)
{
	BMessage message = every_type();
	bool flag;
	EXPECT_EQ(message.FindBool("bool", 1, &flag), B_OK);
	EXPECT_FALSE(flag);
	int8 i8;
	EXPECT_EQ(message.FindInt8("int8", &i8), B_OK);
	EXPECT_EQ(i8, -128);
	uint16 u16;
	EXPECT_EQ(message.FindUInt16("uint16", &u16), B_OK);
	EXPECT_EQ(u16, 65535);
	EXPECT_EQ(message.GetInt32("int32", 1, 0), 7);
	EXPECT_EQ(message.GetInt64("int64", 0), std::numeric_limits<int64>::min());
	EXPECT_EQ(message.GetUInt64("uint64", 0), std::numeric_limits<uint64>::max());
	float f;
	EXPECT_EQ(message.FindFloat("float", &f), B_OK);
	EXPECT_TRUE(std::signbit(f));
	EXPECT_EQ(message.GetDouble("double", 0), 3.141592653589793);
	EXPECT_EQ(message.GetPoint("point", BPoint()), BPoint(1.5f, -2.25f));
	BRect rect;
	EXPECT_EQ(message.FindRect("rect", 1, &rect), B_OK);
	EXPECT_FALSE(rect.IsValid());
	EXPECT_STREQ(message.GetString("string", 1, "x"), "");
	BString text;
	EXPECT_EQ(message.FindString("string", 2, &text), B_OK);
	EXPECT_EQ(text, "グロープレート");
	void* pointer;
	EXPECT_EQ(message.FindPointer("pointer", &pointer), B_OK);
	EXPECT_EQ(pointer, &message);
	const void* data;
	ssize_t size;
	EXPECT_EQ(message.FindData("raw", B_RAW_TYPE, 1, &data, &size), B_OK);
	EXPECT_EQ(size, 1);
	BMessage nested, deeper;
	ASSERT_EQ(message.FindMessage("message", &nested), B_OK);
	EXPECT_EQ(nested.what, (uint32)'nest');
	ASSERT_EQ(nested.FindMessage("deeper", &deeper), B_OK);
	EXPECT_EQ(deeper.GetInt32("level", 0), 2);
}

TEST(MessageFields, RoundTripsOfEveryTypeAndNestingKeepEveryByte)
{
	BMessage original = every_type();
	expect_same(original, through_buffer(original));

	BMallocIO stream;
	ssize_t written = 0;
	ASSERT_EQ(original.Flatten(&stream, &written), B_OK);
	EXPECT_EQ(written, original.FlattenedSize());
	// A second message behind the first: the stream form must stop at the first's end.
	BMessage second('2nd ');
	second.AddInt32("n", 2);
	ASSERT_EQ(second.Flatten(&stream), B_OK);
	stream.Seek(0, SEEK_SET);
	BMessage first, next;
	ASSERT_EQ(first.Unflatten(&stream), B_OK);
	ASSERT_EQ(next.Unflatten(&stream), B_OK);
	expect_same(original, first);
	expect_same(second, next);

	// The nested message survives a round trip of the outer one.
	BMessage nested;
	ASSERT_EQ(first.FindMessage("message", &nested), B_OK);
	BMessage expected;
	ASSERT_EQ(original.FindMessage("message", &expected), B_OK);
	expect_same(expected, nested);

	BMessage empty;
	expect_same(empty, through_buffer(empty));
}

TEST(MessageFields, EmbeddedNullBytesSurviveTheBStringForm)
{
	BMessage message;
	BString bytes(std::string_view("a\0b", 3));
	ASSERT_EQ(message.AddString("s", bytes), B_OK);
	BString back;
	ASSERT_EQ(through_buffer(message).FindString("s", &back), B_OK);
	EXPECT_EQ(back.Length(), 3);
	EXPECT_EQ(back, bytes);
	const char* text;
	ASSERT_EQ(message.FindString("s", &text), B_OK);
	EXPECT_STREQ(text, "a");
}

TEST(MessageFields, RefsTravelAsPaths)
{
	char pattern[] = "/tmp/glowplate-msg-ref-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	std::string file = std::string(pattern) + "/leaf.txt";
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(file.c_str(), &ref), B_OK);
	BMessage message;
	ASSERT_EQ(message.AddRef("refs", &ref), B_OK);
	entry_ref back;
	ASSERT_EQ(through_buffer(message).FindRef("refs", &back), B_OK);
	EXPECT_EQ(back, ref);
	EXPECT_STREQ(back.name, "leaf.txt");
	EXPECT_TRUE(message.HasRef("refs"));
	std::filesystem::remove_all(pattern);
}

TEST(MessageFields, MisuseIsAnsweredWithTheRightStatus)
{
	BMessage message;
	EXPECT_EQ(message.AddInt32(nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32("", 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(256, 'n').c_str(), 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(255, 'n').c_str(), 1), B_OK);
	EXPECT_EQ(message.AddString("s", (const char*)nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddMessage("m", nullptr), B_BAD_VALUE);

	ASSERT_EQ(message.AddInt32("value", 1), B_OK);
	EXPECT_EQ(message.AddString("value", "text"), B_BAD_TYPE);
	int32 number = 42;
	EXPECT_EQ(message.FindInt32("missing", &number), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindInt32("value", 1, &number), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("value", -1, &number), B_BAD_INDEX);
	int64 wide = 7;
	EXPECT_EQ(message.FindInt64("value", &wide), B_BAD_TYPE);
	// A failed look-up leaves the destination alone.
	EXPECT_EQ(number, 42);
	EXPECT_EQ(wide, 7);
	BString kept("previous");
	EXPECT_EQ(message.FindString("missing", &kept), B_NAME_NOT_FOUND);
	EXPECT_EQ(kept, "previous");

	// Known types must have their size; strings their terminator.
	uint8 bytes[8] = {};
	EXPECT_EQ(message.AddData("short", B_INT32_TYPE, bytes, 2), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("rect", B_RECT_TYPE, bytes, 8), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("str", B_STRING_TYPE, "abc", 3, false), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("any", B_ANY_TYPE, bytes, 1), B_BAD_VALUE);
	// A fixed-size field keeps its size.
	ASSERT_EQ(message.AddData("fixed", 'FIXD', bytes, 3, true), B_OK);
	EXPECT_EQ(message.AddData("fixed", 'FIXD', bytes, 4, true), B_BAD_VALUE);
	EXPECT_EQ(message.ReplaceData("fixed", 'FIXD', 0, bytes, 4), B_BAD_VALUE);
}

TEST(MessageFields, ReplaceAndRemoveKeepTheOtherItemsInPlace)
{
	BMessage message;
	message.AddString("list", "one");
	message.AddString("list", "two");
	message.AddString("list", "three");
	ASSERT_EQ(message.ReplaceString("list", 1, "a much longer second item"), B_OK);
	EXPECT_STREQ(message.GetString("list", 0, ""), "one");
	EXPECT_STREQ(message.GetString("list", 1, ""), "a much longer second item");
	EXPECT_STREQ(message.GetString("list", 2, ""), "three");
	EXPECT_EQ(message.ReplaceString("list", 3, "x"), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceString("nothing", "x"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.ReplaceInt32("list", 1), B_BAD_TYPE);

	ASSERT_EQ(message.RemoveData("list", 0), B_OK);
	EXPECT_STREQ(message.GetString("list", 0, ""), "a much longer second item");
	EXPECT_STREQ(message.GetString("list", 1, ""), "three");
	EXPECT_EQ(message.RemoveData("list", 2), B_BAD_INDEX);
	ASSERT_EQ(message.RemoveData("list", 1), B_OK);
	ASSERT_EQ(message.RemoveData("list", 0), B_OK);
	// Removing the last item removes the field.
	EXPECT_FALSE(message.HasString("list"));
	EXPECT_TRUE(message.IsEmpty());

	message.AddInt32("a", 1);
	message.AddInt32("b", 2);
	EXPECT_EQ(message.RemoveName("a"), B_OK);
	EXPECT_EQ(message.RemoveName("a"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.Rename("b", "c"), B_OK);
	EXPECT_EQ(message.GetInt32("c", 0), 2);
	message.AddInt32("d", 4);
	EXPECT_EQ(message.Rename("c", "d"), B_NAME_IN_USE);
	message.what = 'keep';
	EXPECT_EQ(message.MakeEmpty(), B_OK);
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.what, (uint32)'keep');
}

TEST(MessageFields, GetInfoWalksFieldsInOrderOfCreation)
{
	BMessage message;
	message.AddInt32("first", 1);
	message.AddString("second", "x");
	message.AddInt32("third", 3);
	message.AddInt32("third", 4);

	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 3);
	EXPECT_EQ(message.CountNames(B_INT32_TYPE), 2);
	EXPECT_EQ(message.CountNames(B_RECT_TYPE), 0);
	const char* name;
	type_code type;
	int32 count;
	ASSERT_EQ(message.GetInfo(B_INT32_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "third");
	EXPECT_EQ(count, 2);
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 1, &name, &type), B_OK);
	EXPECT_STREQ(name, "second");
	EXPECT_EQ(type, (type_code)B_STRING_TYPE);
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 2, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_RECT_TYPE, 0, &name, &type), B_BAD_TYPE);
	bool fixed;
	ASSERT_EQ(message.GetInfo("second", &type, &fixed), B_OK);
	EXPECT_FALSE(fixed);
	EXPECT_EQ(message.GetInfo("nothing", &type, &count), B_NAME_NOT_FOUND);
}

TEST(MessageFields, CopiesAreIndependent)
{
	BMessage original = every_type();
	BMessage copy(original);
	expect_same(original, copy);
	copy.ReplaceInt32("int32", 1, 99);
	copy.AddString("new", "field");
	EXPECT_EQ(original.GetInt32("int32", 1, 0), 7);
	EXPECT_FALSE(original.HasString("new"));

	BMessage assigned('othr');
	assigned.AddBool("gone", true);
	assigned = original;
	expect_same(original, assigned);
	EXPECT_FALSE(assigned.HasBool("gone"));
}

TEST(MessageFields, ColoursAreFourBytesInOrder)
{
	BMessage message;
	rgb_color orange = make_color(255, 160, 0, 128);
	ASSERT_EQ(message.AddColor("fg", orange), B_OK);
	const void* data;
	ssize_t size;
	ASSERT_EQ(message.FindData("fg", B_RGB_COLOR_TYPE, &data, &size), B_OK);
	ASSERT_EQ(size, 4);
	EXPECT_EQ(memcmp(data, "\xff\xa0\x00\x80", 4), 0);
	EXPECT_EQ(through_buffer(message).GetColor("fg", rgb_color()), orange);
}

TEST(MessageFields, BoolsFromStoredBytesOtherThanZeroAndOneAreTrue)
{
	BMessage message;
	uint8 two = 2;
	ASSERT_EQ(message.AddData("flag", B_BOOL_TYPE, &two, 1), B_OK);
	EXPECT_TRUE(message.GetBool("flag", false));
}

TEST(MessageFields, PrintToStreamShowsEveryField)
{
	BMessage message = every_type();
	testing::internal::CaptureStdout();
	message.PrintToStream();
	std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_NE(printed.find("'evry'"), std::string::npos);
	EXPECT_NE(printed.find("int32[1] = int32(7)"), std::string::npos);
	EXPECT_NE(printed.find("string(\"hello\", 5 bytes)"), std::string::npos);
	EXPECT_NE(printed.find("level = int32(2)"), std::string::npos);
}

TEST(MessageFields, CodesThatOtherPartsDispatchOnKeepTheirValues)
{
	// Handlers compare with these codes and stored messages carry them; a changed value
	// would silently send messages to the wrong branch.
	EXPECT_EQ((uint32)B_QUIT_REQUESTED, 0x5F515251u);  // '_QRQ'
	EXPECT_EQ((uint32)B_ABOUT_REQUESTED, 0x5F414252u); // '_ABR'
	EXPECT_EQ((uint32)B_SAVE_REQUESTED, 0x53415645u);  // 'SAVE'
	EXPECT_EQ((uint32)B_RGB_COLOR_TYPE, 0x52474243u);  // 'RGBC'
}
