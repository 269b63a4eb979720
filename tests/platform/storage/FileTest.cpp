// Opening modes of BFile, their errors, and reading and writing through it.
#include <Directory.h>
#include <Entry.h>
#include <File.h>

#include "StorageTestSupport.h"

namespace {

class FileTest : public testing::Test {
protected:
	ScratchFolder fFolder;
};

TEST_F(FileTest, ModesHaveThePlatformValues)
{
	EXPECT_EQ(0, B_READ_ONLY);
	EXPECT_EQ(1, B_WRITE_ONLY);
	EXPECT_EQ(2, B_READ_WRITE);
	EXPECT_EQ(0x0100, B_FAIL_IF_EXISTS);
	EXPECT_EQ(0x0200, B_CREATE_FILE);
	EXPECT_EQ(0x0400, B_ERASE_FILE);
	EXPECT_EQ(0x0800, B_OPEN_AT_END);
	EXPECT_EQ(0x601, B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
}

TEST_F(FileTest, CreateAndEraseReplacesContents)
{
	std::string path = fFolder / "image.png";
	{
		BFile file(path.c_str(), 0x601);
		ASSERT_EQ(B_OK, file.InitCheck());
		EXPECT_EQ(11, file.Write("first save!", 11));
	}
	EXPECT_EQ("first save!", read_text(path));
	{
		BFile file(path.c_str(), 0x601);
		ASSERT_EQ(B_OK, file.InitCheck());
		EXPECT_EQ(3, file.Write("two", 3));
	}
	EXPECT_EQ("two", read_text(path));
}

TEST_F(FileTest, OpeningErrorsLeaveTheFileAlone)
{
	std::string path = fFolder / "kept";
	ASSERT_TRUE(write_text(path, "precious"));

	BFile file;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, file.SetTo((fFolder / "missing").c_str(), B_READ_ONLY));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, file.InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, file.SetTo((fFolder / "no/such/folder").c_str(), 0x601));
	EXPECT_FALSE(path_exists(fFolder / "no"));

	EXPECT_EQ(B_FILE_EXISTS, file.SetTo(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE |
	                                                      B_FAIL_IF_EXISTS | B_ERASE_FILE));
	// Reading must never erase, and an access mode of 3 does not exist.
	EXPECT_EQ(B_BAD_VALUE, file.SetTo(path.c_str(), B_READ_ONLY | B_ERASE_FILE));
	EXPECT_EQ(B_BAD_VALUE, file.SetTo(path.c_str(), 3));
	EXPECT_EQ("precious", read_text(path));

	// Without B_CREATE_FILE the exclusivity flag does not apply.
	EXPECT_EQ(B_OK, file.SetTo(path.c_str(), B_READ_ONLY | B_FAIL_IF_EXISTS));

	EXPECT_EQ(B_IS_A_DIRECTORY, file.SetTo(fFolder.Path().c_str(), B_READ_ONLY));
	EXPECT_EQ(B_IS_A_DIRECTORY, file.SetTo(fFolder.Path().c_str(), B_READ_WRITE));
	EXPECT_EQ(B_BAD_VALUE, file.SetTo((const char*)nullptr, B_READ_ONLY));
}

TEST_F(FileTest, PermissionDenied)
{
	std::string path = fFolder / "locked";
	ASSERT_TRUE(write_text(path, "x"));
	ASSERT_EQ(0, chmod(path.c_str(), 0444));
	ASSERT_EQ(0, chmod(fFolder.Path().c_str(), 0755));
	int result = run_unprivileged([&] {
		BFile file(path.c_str(), B_READ_WRITE);
		return file.InitCheck() == B_PERMISSION_DENIED ? 0 : 1;
	});
	EXPECT_EQ(0, result);
	EXPECT_EQ("x", read_text(path));
}

TEST_F(FileTest, FailIfExistsCreatesExactlyOnce)
{
	std::string path = fFolder / "once";
	uint32 mode = B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS;
	BFile first(path.c_str(), mode);
	EXPECT_EQ(B_OK, first.InitCheck());
	BFile second(path.c_str(), mode);
	EXPECT_EQ(B_FILE_EXISTS, second.InitCheck());
}

TEST_F(FileTest, NewFilesGetTheUsualPermissions)
{
	UmaskScope mask(022);
	std::string path = fFolder / "new";
	BFile file(path.c_str(), 0x601);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(0644u, permissions_of(path));
}

TEST_F(FileTest, AccessModesDecideWhatWorks)
{
	std::string path = fFolder / "data";
	ASSERT_TRUE(write_text(path, "abc"));
	char buffer[8];

	BFile reader(path.c_str(), B_READ_ONLY);
	EXPECT_TRUE(reader.IsReadable());
	EXPECT_FALSE(reader.IsWritable());
	EXPECT_LT(reader.Write("x", 1), 0);
	EXPECT_EQ(B_NOT_ALLOWED, reader.SetSize(0));

	BFile writer(path.c_str(), B_WRITE_ONLY);
	EXPECT_FALSE(writer.IsReadable());
	EXPECT_TRUE(writer.IsWritable());
	EXPECT_LT(writer.Read(buffer, sizeof(buffer)), 0);
	EXPECT_EQ("abc", read_text(path));

	BFile unset;
	EXPECT_FALSE(unset.IsReadable());
	EXPECT_EQ(B_NO_INIT, unset.Read(buffer, 1));
	EXPECT_EQ(B_NO_INIT, unset.Write("x", 1));
	EXPECT_EQ(B_NO_INIT, unset.Seek(0, SEEK_SET));
	off_t size;
	EXPECT_EQ(B_NO_INIT, unset.GetSize(&size));
}

TEST_F(FileTest, OpenAtEndAppends)
{
	std::string path = fFolder / "log";
	ASSERT_TRUE(write_text(path, "one\n"));
	BFile file(path.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(4, file.Write("two\n", 4));
	EXPECT_EQ("one\ntwo\n", read_text(path));
}

TEST_F(FileTest, PositionsAndSizes)
{
	std::string path = fFolder / "pos";
	BFile file(path.c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(6, file.Write("abcdef", 6));
	EXPECT_EQ(6, file.Position());

	// ReadAt and WriteAt leave the position where it was.
	char buffer[4] = {};
	EXPECT_EQ(3, file.ReadAt(1, buffer, 3));
	EXPECT_STREQ("bcd", buffer);
	EXPECT_EQ(2, file.WriteAt(10, "XY", 2));
	EXPECT_EQ(6, file.Position());
	off_t size = 0;
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(12, size);

	EXPECT_EQ(2, file.Seek(2, SEEK_SET));
	EXPECT_EQ(2, file.Read(buffer, 2));
	EXPECT_EQ(4, file.Position());
	EXPECT_EQ(10, file.Seek(-2, SEEK_END));
	EXPECT_EQ(B_BAD_VALUE, file.Seek(0, 17));
	EXPECT_LT(file.Seek(-100, SEEK_SET), 0);
	EXPECT_EQ(B_BAD_VALUE, file.ReadAt(-1, buffer, 1));

	EXPECT_EQ(B_OK, file.SetSize(3));
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(3, size);
	EXPECT_EQ(0, file.ReadAt(3, buffer, 1)); // at the end: nothing, not an error
	EXPECT_EQ("abc", read_text(path));
}

TEST_F(FileTest, EveryWayOfNamingTheFileOpensIt)
{
	std::string path = fFolder / "named";
	ASSERT_TRUE(write_text(path, "n"));
	BDirectory folder(fFolder.Path().c_str());
	BEntry entry(path.c_str());
	entry_ref ref;
	ASSERT_EQ(B_OK, entry.GetRef(&ref));

	BFile byRef(&ref, B_READ_ONLY);
	BFile byEntry(&entry, B_READ_ONLY);
	BFile byFolder(&folder, "named", B_READ_ONLY);
	BFile byPath(path.c_str(), B_READ_ONLY);
	for (BFile* file : {&byRef, &byEntry, &byFolder, &byPath}) {
		ASSERT_EQ(B_OK, file->InitCheck());
		char c = 0;
		EXPECT_EQ(1, file->Read(&c, 1));
		EXPECT_EQ('n', c);
	}
	EXPECT_TRUE(byRef == byPath);

	// A copy shares the open file, position included.
	BFile copy(byPath);
	ASSERT_EQ(B_OK, copy.InitCheck());
	EXPECT_TRUE(copy.IsReadable());
	EXPECT_EQ(1, copy.Position());
	BFile empty;
	BFile unsetCopy(empty);
	EXPECT_EQ(B_NO_INIT, unsetCopy.InitCheck());
}

TEST_F(FileTest, FollowsLinks)
{
	std::string target = fFolder / "target";
	std::string link = fFolder / "link";
	ASSERT_TRUE(write_text(target, "old"));
	ASSERT_EQ(0, symlink("target", link.c_str()));
	BFile file(link.c_str(), 0x601);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(3, file.Write("new", 3));
	EXPECT_EQ("new", read_text(target));
}

} // namespace
