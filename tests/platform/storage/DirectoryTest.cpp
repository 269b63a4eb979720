// BDirectory listing and creation, and create_directory with its parents.
#include <set>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include "StorageTestSupport.h"

namespace {

class DirectoryTest : public testing::Test {
protected:
	ScratchFolder fFolder;
};

TEST_F(DirectoryTest, WalksEveryEntryOnce)
{
	ASSERT_TRUE(write_text(fFolder / "a", ""));
	ASSERT_TRUE(write_text(fFolder / "b", ""));
	ASSERT_EQ(0, mkdir((fFolder / "c").c_str(), 0755));
	BDirectory folder(fFolder.Path().c_str());
	ASSERT_EQ(B_OK, folder.InitCheck());

	std::set<std::string> seen;
	BEntry entry;
	while (folder.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		ASSERT_EQ(B_OK, entry.GetName(name));
		EXPECT_TRUE(seen.insert(name).second) << name;
		// Counting in the middle of a walk does not disturb it.
		EXPECT_EQ(3, folder.CountEntries());
	}
	EXPECT_EQ((std::set<std::string>{"a", "b", "c"}), seen);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, folder.GetNextEntry(&entry));
	EXPECT_EQ(B_NO_INIT, entry.InitCheck());

	EXPECT_EQ(B_OK, folder.Rewind());
	entry_ref ref;
	int count = 0;
	while (folder.GetNextRef(&ref) == B_OK) {
		EXPECT_TRUE(BEntry(&ref).Exists());
		count++;
	}
	EXPECT_EQ(3, count);
}

TEST_F(DirectoryTest, FindsAndTellsKinds)
{
	ASSERT_TRUE(write_text(fFolder / "file", ""));
	ASSERT_EQ(0, mkdir((fFolder / "sub").c_str(), 0755));
	ASSERT_EQ(0, symlink("file", (fFolder / "link").c_str()));
	BDirectory folder(fFolder.Path().c_str());

	BEntry entry;
	EXPECT_EQ(B_OK, folder.FindEntry("file", &entry));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, folder.FindEntry("missing", &entry));
	EXPECT_EQ(B_NO_INIT, entry.InitCheck());

	EXPECT_TRUE(folder.Contains("file", B_FILE_NODE));
	EXPECT_FALSE(folder.Contains("file", B_DIRECTORY_NODE));
	EXPECT_TRUE(folder.Contains("sub", B_DIRECTORY_NODE));
	EXPECT_TRUE(folder.Contains("link", B_SYMLINK_NODE));
	EXPECT_FALSE(folder.Contains("missing"));

	BEntry deep((fFolder / "sub/x").c_str());
	ASSERT_TRUE(write_text(fFolder / "sub/x", ""));
	EXPECT_TRUE(folder.Contains(&deep));
	BEntry outside("/");
	EXPECT_FALSE(folder.Contains(&outside));
	BEntry self(fFolder.Path().c_str());
	EXPECT_FALSE(folder.Contains(&self));
}

TEST_F(DirectoryTest, OpeningSomethingElseFails)
{
	ASSERT_TRUE(write_text(fFolder / "file", ""));
	EXPECT_EQ(B_NOT_A_DIRECTORY, BDirectory((fFolder / "file").c_str()).InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BDirectory((fFolder / "none").c_str()).InitCheck());
	BDirectory unset;
	BEntry entry;
	EXPECT_EQ(B_NO_INIT, unset.GetNextEntry(&entry));
	EXPECT_EQ(B_NO_INIT, unset.GetEntry(&entry));
	EXPECT_EQ(B_NO_INIT, unset.CountEntries());
	EXPECT_TRUE(BDirectory("/").IsRootDirectory());
	EXPECT_FALSE(BDirectory(fFolder.Path().c_str()).IsRootDirectory());
}

TEST_F(DirectoryTest, CreatesFilesAndFolders)
{
	BDirectory folder(fFolder.Path().c_str());
	BFile file;
	ASSERT_EQ(B_OK, folder.CreateFile("new", &file));
	EXPECT_TRUE(file.IsWritable());
	EXPECT_EQ(5, file.Write("hello", 5));
	EXPECT_EQ(B_FILE_EXISTS, folder.CreateFile("new", nullptr, true));
	EXPECT_EQ("hello", read_text(fFolder / "new"));

	BDirectory sub;
	ASSERT_EQ(B_OK, folder.CreateDirectory("sub", &sub));
	EXPECT_EQ(B_OK, sub.InitCheck());
	EXPECT_EQ(B_FILE_EXISTS, folder.CreateDirectory("sub", nullptr));
	EXPECT_EQ(B_OK, sub.CreateFile("inner", nullptr));
	EXPECT_TRUE(path_exists(fFolder / "sub/inner"));
}

TEST_F(DirectoryTest, KnowsWhereItIsAfterARename)
{
	ASSERT_EQ(0, mkdir((fFolder / "before").c_str(), 0755));
	BDirectory folder((fFolder / "before").c_str());
	ASSERT_EQ(0, rename((fFolder / "before").c_str(), (fFolder / "after").c_str()));
	BEntry entry;
	ASSERT_EQ(B_OK, folder.GetEntry(&entry));
	EXPECT_STREQ((fFolder / "after").c_str(), entry.PathString());
}

TEST_F(DirectoryTest, CreateDirectoryMakesEveryParent)
{
	UmaskScope mask(022);
	std::string deep = fFolder / "Tamarack/Glowplate/deeper";
	EXPECT_EQ(B_OK, create_directory(deep.c_str(), 0777));
	EXPECT_EQ(0755u, permissions_of(deep));
	EXPECT_EQ(0755u, permissions_of(fFolder / "Tamarack"));
	// Already there is fine, also with stray slashes.
	EXPECT_EQ(B_OK, create_directory((fFolder.Path() + "//Tamarack//Glowplate/").c_str(), 0777));

	ASSERT_TRUE(write_text(fFolder / "plain", ""));
	EXPECT_EQ(B_FILE_EXISTS, create_directory((fFolder / "plain").c_str(), 0777));
	EXPECT_EQ(B_NOT_A_DIRECTORY, create_directory((fFolder / "plain/sub").c_str(), 0777));
	EXPECT_EQ(B_BAD_VALUE, create_directory(nullptr, 0777));
	EXPECT_EQ(B_BAD_VALUE, create_directory("", 0777));
}

} // namespace
