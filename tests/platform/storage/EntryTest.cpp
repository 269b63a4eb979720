// BEntry and entry_ref: naming places that may not exist yet, links, renames, and the byte
// form by which refs travel in messages.
#include <cstring>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StorageTestSupport.h"

namespace {

class EntryTest : public testing::Test {
protected:
	ScratchFolder fFolder;
};

TEST_F(EntryTest, NamesAPlaceThatNeedNotExist)
{
	BEntry entry((fFolder / "later.png").c_str());
	ASSERT_EQ(B_OK, entry.InitCheck());
	EXPECT_FALSE(entry.Exists());
	EXPECT_STREQ((fFolder / "later.png").c_str(), entry.PathString());
	char name[B_FILE_NAME_LENGTH];
	EXPECT_EQ(B_OK, entry.GetName(name));
	EXPECT_STREQ("later.png", name);
	struct stat st;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, entry.GetStat(&st));

	// The folder part, however, must exist.
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry((fFolder / "none/later.png").c_str()).InitCheck());
	EXPECT_EQ(B_BAD_VALUE, BEntry((const char*)nullptr).InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry("").InitCheck());
	EXPECT_EQ(B_NAME_TOO_LONG, BEntry((fFolder / std::string(300, 'n')).c_str()).InitCheck());
}

TEST_F(EntryTest, ResolvesTheFolderPartButKeepsTheLeaf)
{
	ASSERT_EQ(0, mkdir((fFolder / "real").c_str(), 0755));
	ASSERT_EQ(0, symlink("real", (fFolder / "alias").c_str()));
	ASSERT_TRUE(write_text(fFolder / "real/file", "f"));
	ASSERT_EQ(0, symlink("file", (fFolder / "real/link").c_str()));

	BEntry viaAlias((fFolder / "alias/./x/../link").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, viaAlias.InitCheck()); // "x" does not exist

	BEntry link((fFolder / "alias/link").c_str());
	ASSERT_EQ(B_OK, link.InitCheck());
	EXPECT_STREQ((fFolder / "real/link").c_str(), link.PathString());
	EXPECT_TRUE(link.IsSymLink());

	BEntry followed((fFolder / "alias/link").c_str(), true);
	EXPECT_STREQ((fFolder / "real/file").c_str(), followed.PathString());
	EXPECT_TRUE(followed.IsFile());

	// A dangling link leads to where its target would be; a loop ends in an error.
	ASSERT_EQ(0, symlink("nowhere", (fFolder / "dangling").c_str()));
	BEntry dangling((fFolder / "dangling").c_str(), true);
	EXPECT_STREQ((fFolder / "nowhere").c_str(), dangling.PathString());
	ASSERT_EQ(0, symlink("loop", (fFolder / "loop").c_str()));
	EXPECT_EQ(B_LINK_LIMIT, BEntry((fFolder / "loop").c_str(), true).InitCheck());
}

TEST_F(EntryTest, ParentsAndPaths)
{
	BEntry entry((fFolder / "a").c_str());
	BEntry parent;
	ASSERT_EQ(B_OK, entry.GetParent(&parent));
	EXPECT_STREQ(fFolder.Path().c_str(), parent.PathString());
	BDirectory folder;
	EXPECT_EQ(B_OK, entry.GetParent(&folder));
	EXPECT_EQ(B_OK, folder.InitCheck());

	BEntry root("/");
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&parent));
	BPath path;
	EXPECT_EQ(B_OK, entry.GetPath(&path));
	EXPECT_STREQ((fFolder / "a").c_str(), path.Path());

	BEntry unset;
	EXPECT_EQ(B_NO_INIT, unset.GetPath(&path));
	EXPECT_EQ(nullptr, path.Path());
	EXPECT_TRUE(unset == BEntry());
	EXPECT_TRUE(entry != unset);
	EXPECT_TRUE(entry == BEntry((fFolder / "a").c_str()));
}

TEST_F(EntryTest, RenameRespectsClobber)
{
	ASSERT_TRUE(write_text(fFolder / "a", "A"));
	ASSERT_TRUE(write_text(fFolder / "b", "B"));
	BEntry entry((fFolder / "a").c_str());

	EXPECT_EQ(B_FILE_EXISTS, entry.Rename("b"));
	EXPECT_EQ("A", read_text(fFolder / "a"));
	EXPECT_EQ("B", read_text(fFolder / "b"));

	EXPECT_EQ(B_OK, entry.Rename("c"));
	EXPECT_STREQ((fFolder / "c").c_str(), entry.PathString());
	EXPECT_FALSE(path_exists(fFolder / "a"));

	EXPECT_EQ(B_OK, entry.Rename("b", true));
	EXPECT_EQ("A", read_text(fFolder / "b"));

	ASSERT_EQ(0, mkdir((fFolder / "sub").c_str(), 0755));
	BDirectory sub((fFolder / "sub").c_str());
	EXPECT_EQ(B_OK, entry.MoveTo(&sub));
	EXPECT_EQ("A", read_text(fFolder / "sub/b"));
	EXPECT_EQ(B_OK, entry.MoveTo(&sub, "renamed"));
	EXPECT_EQ("A", read_text(fFolder / "sub/renamed"));

	BEntry missing((fFolder / "missing").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.Rename("other"));
}

TEST_F(EntryTest, RemoveFilesAndEmptyFolders)
{
	ASSERT_TRUE(write_text(fFolder / "f", "x"));
	ASSERT_EQ(0, mkdir((fFolder / "d").c_str(), 0755));
	ASSERT_TRUE(write_text(fFolder / "d/inner", "x"));

	BEntry file((fFolder / "f").c_str());
	EXPECT_EQ(B_OK, file.Remove());
	EXPECT_FALSE(file.Exists());
	EXPECT_EQ(B_OK, file.InitCheck()); // still names the place
	EXPECT_EQ(B_ENTRY_NOT_FOUND, file.Remove());

	BEntry folder((fFolder / "d").c_str());
	EXPECT_EQ(B_DIRECTORY_NOT_EMPTY, folder.Remove());
	ASSERT_EQ(0, unlink((fFolder / "d/inner").c_str()));
	EXPECT_EQ(B_OK, folder.Remove());
	EXPECT_FALSE(path_exists(fFolder / "d"));
}

TEST_F(EntryTest, RefsNameTheFolderAndLeaf)
{
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((fFolder / "sign.png").c_str(), &ref));
	struct stat folder;
	ASSERT_EQ(0, stat(fFolder.Path().c_str(), &folder));
	EXPECT_EQ(folder.st_dev, ref.device);
	EXPECT_EQ(folder.st_ino, ref.directory);
	EXPECT_STREQ("sign.png", ref.name);

	BEntry entry(&ref);
	EXPECT_STREQ((fFolder / "sign.png").c_str(), entry.PathString());
	BPath path(&ref);
	EXPECT_STREQ((fFolder / "sign.png").c_str(), path.Path());

	entry_ref same;
	ASSERT_EQ(B_OK, entry.GetRef(&same));
	EXPECT_TRUE(ref == same);
	entry_ref copy(ref);
	EXPECT_TRUE(copy == ref);
	copy.set_name("other.png");
	EXPECT_TRUE(copy != ref);
	EXPECT_TRUE(copy < ref); // "other.png" sorts before "sign.png"
	EXPECT_FALSE(ref < copy);
	copy = ref;
	EXPECT_STREQ("sign.png", copy.name);
	copy = copy;
	EXPECT_STREQ("sign.png", copy.name);
	EXPECT_TRUE(entry_ref() == entry_ref());

	entry_ref root;
	ASSERT_EQ(B_OK, get_ref_for_path("/", &root));
	EXPECT_STREQ("/", BPath(&root).Path());
}

TEST_F(EntryTest, RefsThatCannotBeResolvedAreErrors)
{
	ASSERT_EQ(0, mkdir((fFolder / "gone").c_str(), 0755));
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((fFolder / "gone/file").c_str(), &ref));
	ASSERT_EQ(0, rmdir((fFolder / "gone").c_str()));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry(&ref).InitCheck());

	// A folder moved away and another made in its place: the ref must not name a file in
	// the stranger.
	ASSERT_EQ(0, mkdir((fFolder / "moved").c_str(), 0755));
	ASSERT_EQ(B_OK, get_ref_for_path((fFolder / "moved/file").c_str(), &ref));
	ASSERT_EQ(0, rename((fFolder / "moved").c_str(), (fFolder / "away").c_str()));
	ASSERT_EQ(0, mkdir((fFolder / "moved").c_str(), 0755));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry(&ref).InitCheck());

	// A folder this process never saw, and names that would leave the folder.
	entry_ref unknown(12345, 67890, "x");
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry(&unknown).InitCheck());
	entry_ref good;
	ASSERT_EQ(B_OK, get_ref_for_path((fFolder / "x").c_str(), &good));
	entry_ref escaping(good.device, good.directory, "../../etc/passwd");
	EXPECT_EQ(B_BAD_VALUE, BEntry(&escaping).InitCheck());
	entry_ref unnamed(good.device, good.directory, nullptr);
	EXPECT_EQ(B_BAD_VALUE, BEntry(&unnamed).InitCheck());
	entry_ref empty(good.device, good.directory, "");
	EXPECT_EQ(B_BAD_VALUE, BEntry(&empty).InitCheck());
}

TEST_F(EntryTest, ByteFormRoundTrip)
{
	std::string path = fFolder / "名前 with space.png";
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(path.c_str(), &ref));
	ssize_t size = ref.FlattenedSize();
	ASSERT_EQ((ssize_t)path.size(), size);
	std::string bytes(size, '\0');
	EXPECT_EQ(B_BUFFER_OVERFLOW, ref.Flatten(bytes.data(), size - 1));
	ASSERT_EQ(B_OK, ref.Flatten(bytes.data(), size));
	EXPECT_EQ(path, bytes);

	entry_ref back;
	ASSERT_EQ(B_OK, back.Unflatten(bytes.data(), size));
	EXPECT_TRUE(back == ref);
}

TEST_F(EntryTest, ByteFormRejectsMalformedInput)
{
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((fFolder / "keep").c_str(), &ref));
	const entry_ref before(ref);

	const char relative[] = "relative/path";
	const char withNull[] = "/tmp/a\0b";
	std::string missingFolder = fFolder / "none/leaf";
	std::string tooLong = "/" + std::string(PATH_MAX + 10, 'a');
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten(relative, sizeof(relative) - 1));
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten(withNull, sizeof(withNull) - 1));
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten("", 0));
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten(nullptr, 5));
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten("/x", -1));
	EXPECT_EQ(B_BAD_VALUE, ref.Unflatten(tooLong.data(), tooLong.size()));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, ref.Unflatten(missingFolder.data(), missingFolder.size()));
	EXPECT_TRUE(ref == before);

	entry_ref unknown(1, 2, "x");
	EXPECT_LT(unknown.FlattenedSize(), 0);
	char buffer[16];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, unknown.Flatten(buffer, sizeof(buffer)));
}

} // namespace
