// BPath: building paths into folders that do not exist yet, and normalising through the
// file system when the text asks for it.
#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StorageTestSupport.h"

namespace {

class PathTest : public testing::Test {
protected:
	ScratchFolder fFolder;
};

TEST_F(PathTest, AppendBuildsWithoutTouchingTheFileSystem)
{
	BPath path(fFolder.Path().c_str());
	ASSERT_EQ(B_OK, path.InitCheck());
	EXPECT_EQ(B_OK, path.Append("Tamarack"));
	EXPECT_EQ(B_OK, path.Append("Glowplate"));
	EXPECT_EQ(B_OK, path.Append("Glowplate_Property.arc"));
	EXPECT_EQ(fFolder / "Tamarack/Glowplate/Glowplate_Property.arc", path.Path());
	EXPECT_STREQ("Glowplate_Property.arc", path.Leaf());
	EXPECT_FALSE(path_exists(fFolder / "Tamarack"));

	BPath parent;
	ASSERT_EQ(B_OK, path.GetParent(&parent));
	EXPECT_EQ(fFolder / "Tamarack/Glowplate", parent.Path());
	EXPECT_EQ(B_OK, parent.Append("sub/leaf"));
	EXPECT_STREQ("leaf", parent.Leaf());
}

TEST_F(PathTest, FailuresLeaveThePathUnset)
{
	BPath path(fFolder.Path().c_str());
	EXPECT_EQ(B_BAD_VALUE, path.Append("/absolute"));
	EXPECT_EQ(B_BAD_VALUE, path.InitCheck());
	EXPECT_EQ(nullptr, path.Path());
	EXPECT_EQ(nullptr, path.Leaf());
	// A chain of Appends after a failure cannot name a shorter path.
	EXPECT_NE(B_OK, path.Append("x"));
	EXPECT_EQ(nullptr, path.Path());

	EXPECT_EQ(B_BAD_VALUE, path.SetTo((const char*)nullptr));
	EXPECT_EQ(B_BAD_VALUE, path.SetTo(""));
	EXPECT_EQ(B_BAD_VALUE, path.SetTo(fFolder.Path().c_str(), "/leaf"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, path.SetTo((fFolder / "no/such/../x").c_str()));
	EXPECT_EQ(B_NAME_TOO_LONG, path.SetTo(("/" + std::string(PATH_MAX, 'p')).c_str()));

	BPath unset;
	BPath parent;
	EXPECT_EQ(B_NO_INIT, unset.GetParent(&parent));
	BPath root("/");
	EXPECT_STREQ("", root.Leaf());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&parent));
}

TEST_F(PathTest, NormalisesWhenTheTextNeedsIt)
{
	ASSERT_EQ(0, mkdir((fFolder / "real").c_str(), 0755));
	ASSERT_EQ(0, symlink("real", (fFolder / "alias").c_str()));

	BPath dots((fFolder / "real/../real/./leaf").c_str());
	EXPECT_EQ(fFolder / "real/leaf", dots.Path());
	BPath slashes((fFolder.Path() + "//real///leaf/").c_str());
	EXPECT_EQ(fFolder / "real/leaf", slashes.Path());

	// Plain text is kept as it is, links and all, unless normalisation is asked for.
	BPath plain((fFolder / "alias/leaf").c_str());
	EXPECT_EQ(fFolder / "alias/leaf", plain.Path());
	BPath normalised((fFolder / "alias/leaf").c_str(), nullptr, true);
	EXPECT_EQ(fFolder / "real/leaf", normalised.Path());

	// A relative path is made absolute against the working folder.
	char cwd[PATH_MAX];
	ASSERT_NE(nullptr, getcwd(cwd, sizeof(cwd)));
	BPath relative(".");
	ASSERT_EQ(B_OK, relative.InitCheck());
	char* real = realpath(cwd, nullptr);
	EXPECT_STREQ(real, relative.Path());
	free(real);
}

TEST_F(PathTest, SetToMayUseItsOwnText)
{
	BPath path(fFolder.Path().c_str());
	ASSERT_EQ(B_OK, path.SetTo(path.Path(), "leaf"));
	EXPECT_EQ(fFolder / "leaf", path.Path());
	path = path.Path();
	EXPECT_EQ(fFolder / "leaf", path.Path());
}

TEST_F(PathTest, FromEntriesFoldersAndRefs)
{
	BDirectory folder(fFolder.Path().c_str());
	BPath inFolder(&folder, "x.png");
	EXPECT_EQ(fFolder / "x.png", inFolder.Path());

	BEntry entry((fFolder / "y").c_str());
	BPath fromEntry(&entry);
	EXPECT_EQ(fFolder / "y", fromEntry.Path());
	BEntry unset;
	EXPECT_EQ(B_BAD_VALUE, BPath(&unset).InitCheck());

	BPath a((fFolder / "y").c_str());
	EXPECT_TRUE(a == fromEntry);
	EXPECT_TRUE(a != inFolder);
	EXPECT_TRUE(BPath() == BPath());
	EXPECT_TRUE(a == (fFolder / "y").c_str());
}

} // namespace
