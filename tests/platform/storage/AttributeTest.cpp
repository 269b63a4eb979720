// Attributes as user extended attributes: round trips with their type, partial access,
// listing, values written by other programs, and the file type kept by BNodeInfo.
#include <cstring>
#include <set>
#include <vector>

#include <File.h>
#include <Node.h>
#include <NodeInfo.h>
#include <String.h>
#include <TypeConstants.h>

#include "StorageTestSupport.h"

namespace {

class AttributeTest : public testing::Test {
protected:
	void SetUp() override
	{
		fPath = fFolder / "node";
		ASSERT_TRUE(write_text(fPath, "contents"));
		SKIP_WITHOUT_XATTRS(fPath);
		ASSERT_EQ(B_OK, fNode.SetTo(fPath.c_str()));
	}

	std::string RawValue(const char* name)
	{
		std::string value(70000, '\0');
		ssize_t size = getxattr(fPath.c_str(), name, value.data(), value.size());
		value.resize(size < 0 ? 0 : size);
		return value;
	}

	ScratchFolder fFolder;
	std::string fPath;
	BNode fNode;
};

TEST_F(AttributeTest, RoundTripKeepsTypeAndData)
{
	int32 value = 0x12345678;
	EXPECT_EQ(4, fNode.WriteAttr("count", B_INT32_TYPE, 0, &value, sizeof(value)));

	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("count", &info));
	EXPECT_EQ(B_INT32_TYPE, info.type);
	EXPECT_EQ(4, info.size);
	int32 back = 0;
	EXPECT_EQ(4, fNode.ReadAttr("count", B_INT32_TYPE, 0, &back, sizeof(back)));
	EXPECT_EQ(value, back);

	// Another node on the same file sees it: the value lives in the file system.
	BNode other(fPath.c_str());
	back = 0;
	EXPECT_EQ(4, other.ReadAttr("count", B_INT32_TYPE, 0, &back, sizeof(back)));
	EXPECT_EQ(value, back);
	// The contents of the file are untouched.
	EXPECT_EQ("contents", read_text(fPath));

	// An empty value is still an attribute.
	EXPECT_EQ(0, fNode.WriteAttr("empty", B_STRING_TYPE, 0, nullptr, 0));
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("empty", &info));
	EXPECT_EQ(B_STRING_TYPE, info.type);
	EXPECT_EQ(0, info.size);
}

TEST_F(AttributeTest, OffsetsReadAndWriteParts)
{
	ASSERT_EQ(6, fNode.WriteAttr("text", B_STRING_TYPE, 0, "abcdef", 6));
	char buffer[8] = {};
	EXPECT_EQ(3, fNode.ReadAttr("text", B_STRING_TYPE, 2, buffer, 3));
	EXPECT_STREQ("cde", buffer);
	EXPECT_EQ(2, fNode.ReadAttr("text", B_STRING_TYPE, 4, buffer, sizeof(buffer)));
	EXPECT_EQ(0, fNode.ReadAttr("text", B_STRING_TYPE, 6, buffer, sizeof(buffer)));
	EXPECT_EQ(B_BAD_VALUE, fNode.ReadAttr("text", B_STRING_TYPE, -1, buffer, 1));

	// Writing past the end fills the gap with zeros and keeps the front.
	EXPECT_EQ(2, fNode.WriteAttr("text", B_RAW_TYPE, 8, "XY", 2));
	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("text", &info));
	EXPECT_EQ(B_RAW_TYPE, info.type);
	ASSERT_EQ(10, info.size);
	char whole[10];
	ASSERT_EQ(10, fNode.ReadAttr("text", 0, 0, whole, sizeof(whole)));
	EXPECT_EQ(0, memcmp("abcdef\0\0XY", whole, 10));

	// Writing inside keeps what follows; writing at 0 replaces all of it.
	EXPECT_EQ(1, fNode.WriteAttr("text", B_RAW_TYPE, 1, "B", 1));
	ASSERT_EQ(10, fNode.ReadAttr("text", 0, 0, whole, sizeof(whole)));
	EXPECT_EQ(0, memcmp("aBcdef\0\0XY", whole, 10));
	EXPECT_EQ(2, fNode.WriteAttr("text", B_STRING_TYPE, 0, "hi", 2));
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("text", &info));
	EXPECT_EQ(2, info.size);
}

TEST_F(AttributeTest, ListingSeesEveryNameOnce)
{
	const char* names[] = {"one", "two", "BEOS:TYPE", "with space"};
	for (const char* name : names)
		ASSERT_EQ(1, fNode.WriteAttr(name, B_RAW_TYPE, 0, "x", 1));
	// A value another program put in the user namespace is listed too; other namespaces
	// belong to the system (only the superuser can write "trusted." to try it).
	ASSERT_EQ(0, setxattr(fPath.c_str(), "user.visible", "v", 1, 0));
	setxattr(fPath.c_str(), "trusted.hidden", "h", 1, 0);

	for (int round = 0; round < 2; round++) {
		std::set<std::string> seen;
		char name[B_ATTR_NAME_LENGTH];
		while (fNode.GetNextAttrName(name) == B_OK)
			EXPECT_TRUE(seen.insert(name).second) << name;
		EXPECT_EQ((std::set<std::string>{"one", "two", "BEOS:TYPE", "with space", "visible"}),
		          seen);
		EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetNextAttrName(name));
		EXPECT_STREQ("", name);
		EXPECT_EQ(B_OK, fNode.RewindAttrs());
	}

	EXPECT_EQ(B_OK, fNode.RemoveAttr("two"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.RemoveAttr("two"));
	std::set<std::string> seen;
	char name[B_ATTR_NAME_LENGTH];
	while (fNode.GetNextAttrName(name) == B_OK)
		seen.insert(name);
	EXPECT_EQ(0u, seen.count("two"));
	EXPECT_EQ(4u, seen.size());
}

TEST_F(AttributeTest, MissingAndBadNames)
{
	char buffer[4];
	attr_info info;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.ReadAttr("missing", 0, 0, buffer, sizeof(buffer)));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetAttrInfo("missing", &info));
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr("", B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr(nullptr, B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr("n", B_RAW_TYPE, 0, nullptr, 1));
	std::string longName(251, 'n');
	EXPECT_EQ(B_NAME_TOO_LONG, fNode.WriteAttr(longName.c_str(), B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, fNode.GetNextAttrName(nullptr));
	std::vector<char> huge(70000, 'h');
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr("huge", B_RAW_TYPE, 0, huge.data(), huge.size()));

	BNode unset;
	EXPECT_EQ(B_NO_INIT, unset.WriteAttr("n", B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_NO_INIT, unset.ReadAttr("n", B_RAW_TYPE, 0, buffer, 1));
	EXPECT_EQ(B_NO_INIT, unset.GetAttrInfo("n", &info));
	EXPECT_EQ(B_NO_INIT, unset.GetNextAttrName(buffer));
}

TEST_F(AttributeTest, ValuesOfOtherProgramsStayAsTheyWere)
{
	// A value without our header reads as raw bytes, and writing raw bytes back (as a copy
	// of every attribute does) leaves it byte for byte the same.
	const char url[] = "https://example.org/a";
	ASSERT_EQ(0, setxattr(fPath.c_str(), "user.xdg.origin.url", url, strlen(url), 0));
	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("xdg.origin.url", &info));
	EXPECT_EQ(B_RAW_TYPE, info.type);
	ASSERT_EQ((off_t)strlen(url), info.size);
	std::string value(info.size, '\0');
	ASSERT_EQ(info.size, fNode.ReadAttr("xdg.origin.url", 0, 0, value.data(), value.size()));
	EXPECT_EQ(url, value);
	ASSERT_EQ(info.size,
	          fNode.WriteAttr("xdg.origin.url", B_RAW_TYPE, 0, value.data(), value.size()));
	EXPECT_EQ(url, RawValue("user.xdg.origin.url"));

	// Raw data that happens to begin like a header still reads back exactly.
	const char tricky[] = "gpatLONGrest";
	ASSERT_EQ(12, fNode.WriteAttr("tricky", B_RAW_TYPE, 0, tricky, 12));
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("tricky", &info));
	EXPECT_EQ(B_RAW_TYPE, info.type);
	EXPECT_EQ(12, info.size);
	char back[12];
	ASSERT_EQ(12, fNode.ReadAttr("tricky", 0, 0, back, sizeof(back)));
	EXPECT_EQ(0, memcmp(tricky, back, 12));
}

TEST_F(AttributeTest, RenameMovesTypeAndData)
{
	ASSERT_EQ(3, fNode.WriteAttr("old", B_MIME_STRING_TYPE, 0, "a/b", 3));
	EXPECT_EQ(B_OK, fNode.RenameAttr("old", "new"));
	attr_info info;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetAttrInfo("old", &info));
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("new", &info));
	EXPECT_EQ(B_MIME_STRING_TYPE, info.type);
	EXPECT_EQ(3, info.size);
	EXPECT_EQ(B_OK, fNode.RenameAttr("new", "new"));
	EXPECT_EQ(B_OK, fNode.GetAttrInfo("new", &info));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.RenameAttr("missing", "other"));
}

TEST_F(AttributeTest, StringAttributes)
{
	BString text("ルビー text");
	ASSERT_EQ(B_OK, fNode.WriteAttrString("note", &text));
	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("note", &info));
	EXPECT_EQ(B_STRING_TYPE, info.type);
	EXPECT_EQ(text.Length() + 1, info.size);
	BString back("previous");
	ASSERT_EQ(B_OK, fNode.ReadAttrString("note", &back));
	EXPECT_STREQ(text.String(), back.String());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.ReadAttrString("missing", &back));
	EXPECT_STREQ(text.String(), back.String());
}

TEST_F(AttributeTest, WorksThroughAFileAndOnUnreadableFiles)
{
	BFile file(fPath.c_str(), B_WRITE_ONLY);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(1, file.WriteAttr("via-file", B_RAW_TYPE, 0, "f", 1));
	attr_info info;
	EXPECT_EQ(B_OK, fNode.GetAttrInfo("via-file", &info));

	// A node that its owner may write but not read can still be opened and given
	// attributes; reading them back is what the permissions forbid. The owner is the
	// unprivileged user the check runs as.
	ASSERT_EQ(0, chmod(fFolder.Path().c_str(), 0755));
	ASSERT_EQ(0, chmod(fPath.c_str(), 0200));
	if (geteuid() == 0) {
		ASSERT_EQ(0, chown(fPath.c_str(), 65534, 65534));
	}
	int result = run_unprivileged([&] {
		BNode writeOnly(fPath.c_str());
		attr_info info;
		char name[B_ATTR_NAME_LENGTH];
		if (writeOnly.InitCheck() != B_OK)
			return 1;
		if (writeOnly.WriteAttr("locked", B_RAW_TYPE, 0, "l", 1) != 1)
			return 2;
		if (writeOnly.GetAttrInfo("locked", &info) != B_PERMISSION_DENIED)
			return 3;
		return writeOnly.GetNextAttrName(name) == B_OK ? 0 : 4;
	});
	EXPECT_EQ(0, result);
	char value[2] = {};
	EXPECT_EQ(1, getxattr(fPath.c_str(), "user.locked", value, 1));
}

TEST_F(AttributeTest, NodeInfoKeepsTheType)
{
	BNodeInfo info(&fNode);
	ASSERT_EQ(B_OK, info.InitCheck());
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetType(type));

	ASSERT_EQ(B_OK, info.SetType("image/png"));
	ASSERT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("image/png", type);
	// Stored as the platform keeps it: a MIME string with its null byte.
	attr_info attr;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("BEOS:TYPE", &attr));
	EXPECT_EQ(B_MIME_STRING_TYPE, attr.type);
	EXPECT_EQ(10, attr.size);

	EXPECT_EQ(B_BAD_VALUE, info.SetType("not a type"));
	EXPECT_EQ(B_BAD_VALUE, info.SetType(std::string(300, 'a').c_str()));
	EXPECT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("image/png", type);

	ASSERT_EQ(B_OK, info.SetPreferredApp("application/x-vnd.Tamarack-GlowplateMaker"));
	ASSERT_EQ(B_OK, info.GetPreferredApp(type));
	EXPECT_STREQ("application/x-vnd.Tamarack-GlowplateMaker", type);

	EXPECT_EQ(B_OK, info.SetType(nullptr));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetType(type));
	EXPECT_EQ(B_OK, info.SetType(nullptr));

	BNodeInfo unset;
	EXPECT_EQ(B_NO_INIT, unset.GetType(type));
	EXPECT_EQ(B_BAD_VALUE, BNodeInfo(nullptr).InitCheck());
}

TEST_F(AttributeTest, NodeInfoRejectsDamagedValues)
{
	BNodeInfo info(&fNode);
	char type[B_MIME_TYPE_LENGTH];
	// Written by someone else: a wrong type code, an overlong value, no terminator.
	ASSERT_EQ(9, fNode.WriteAttr("BEOS:TYPE", B_STRING_TYPE, 0, "text/x\0\0", 9));
	EXPECT_EQ(B_BAD_TYPE, info.GetType(type));
	std::string overlong(1000, 'a');
	ASSERT_EQ(1000, fNode.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, overlong.data(), 1000));
	EXPECT_EQ(B_BAD_DATA, info.GetType(type));
	EXPECT_STREQ("", type);
	ASSERT_EQ(9, fNode.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/x y", 9));
	EXPECT_EQ(B_BAD_DATA, info.GetType(type));
	ASSERT_EQ(6, fNode.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/x", 6));
	EXPECT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("text/x", type);
}

TEST(MimeTypeTest, ValidForms)
{
	EXPECT_TRUE(is_valid_mime_type("image/png"));
	EXPECT_TRUE(is_valid_mime_type("text"));
	EXPECT_TRUE(is_valid_mime_type("application/x-vnd.Tamarack-GlowplateMaker"));
	EXPECT_FALSE(is_valid_mime_type(nullptr));
	EXPECT_FALSE(is_valid_mime_type(""));
	EXPECT_FALSE(is_valid_mime_type("/png"));
	EXPECT_FALSE(is_valid_mime_type("image/"));
	EXPECT_FALSE(is_valid_mime_type("a/b/c"));
	EXPECT_FALSE(is_valid_mime_type("image/p ng"));
	EXPECT_FALSE(is_valid_mime_type("image/p\x01ng"));
	EXPECT_FALSE(is_valid_mime_type("image/p;ng"));
}

} // namespace
