// Copying files with their attributes: names that a shell would mangle, folder targets, a copy
// onto the file itself, and a copy that fails half way.
#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

#include <Node.h>
#include <String.h>

#include "../platform/storage/StorageTestSupport.h"
#include "UIUtils.h"

namespace {

class CopyFileTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fSource = fFolder / "it's a \"sign\" $(x) ; file.png";
		ASSERT_TRUE(write_text(fSource, std::string("PNG\0bytes", 9) + std::string(200000, 'x')));
		mkdir((fFolder / "into").c_str(), 0755);
	}

	// Gives the source two attributes, or says that the file system keeps none.
	bool AddAttributes()
	{
		if (!user_xattrs_supported(fSource))
			return false;
		BNode node(fSource.c_str());
		int32 number = 4711;
		BString type("image/png");
		return node.WriteAttr("number", B_INT32_TYPE, 0, &number, sizeof(number)) ==
		           (ssize_t)sizeof(number) &&
		       node.WriteAttrString("BEOS:TYPE", &type) == B_OK;
	}

	static void ExpectAttributes(const std::string& path)
	{
		BNode node(path.c_str());
		attr_info info;
		ASSERT_EQ(node.GetAttrInfo("number", &info), B_OK);
		EXPECT_EQ(info.type, (uint32)B_INT32_TYPE);
		int32 number = 0;
		EXPECT_EQ(node.ReadAttr("number", B_INT32_TYPE, 0, &number, sizeof(number)),
		          (ssize_t)sizeof(number));
		EXPECT_EQ(number, 4711);
		BString type;
		EXPECT_EQ(node.ReadAttrString("BEOS:TYPE", &type), B_OK);
		EXPECT_EQ(type, "image/png");
	}

	ScratchFolder fFolder;
	std::string fSource;
};

TEST_F(CopyFileTest, TheCopyHasTheBytesAndTheAttributes)
{
	bool attributes = AddAttributes();
	std::string target = fFolder / "copy of it.png";
	ASSERT_EQ(copy_file(fSource.c_str(), target.c_str()), 0);
	EXPECT_EQ(read_text(target), read_text(fSource));
	if (attributes)
		ExpectAttributes(target);

	// Copied again over the first copy, it is replaced whole.
	ASSERT_TRUE(write_text(fSource, "shorter"));
	ASSERT_EQ(copy_file(fSource.c_str(), target.c_str()), 0);
	EXPECT_EQ(read_text(target), "shorter");
}

TEST_F(CopyFileTest, AFolderTargetReceivesAFileOfTheSourcesName)
{
	std::string leaf = fSource.substr(fSource.rfind('/') + 1);
	ASSERT_EQ(copy_file(fSource.c_str(), (fFolder / "into/").c_str()), 0);
	EXPECT_EQ(read_text(fFolder / "into/" + leaf), read_text(fSource));
	EXPECT_EQ(folder_names(fFolder / "into"), std::set<std::string>{leaf})
	    << "one slash between folder and name";

	ASSERT_TRUE(write_text(fSource, "second"));
	ASSERT_EQ(copy_file(fSource.c_str(), (fFolder / "into").c_str()), 0);
	EXPECT_EQ(read_text(fFolder / "into/" + leaf), "second");
}

TEST_F(CopyFileTest, ACopyOntoTheFileItselfIsRefusedAndLosesNothing)
{
	const std::string original = read_text(fSource);
	EXPECT_EQ(copy_file(fSource.c_str(), fSource.c_str()), -1);
	// Into its own folder, through a hard link and through a symbolic link.
	EXPECT_EQ(copy_file(fSource.c_str(), fFolder.Path().c_str()), -1);
	ASSERT_EQ(link(fSource.c_str(), (fFolder / "hard").c_str()), 0);
	EXPECT_EQ(copy_file(fSource.c_str(), (fFolder / "hard").c_str()), -1);
	ASSERT_EQ(symlink(fSource.c_str(), (fFolder / "soft").c_str()), 0);
	EXPECT_EQ(copy_file((fFolder / "soft").c_str(), fSource.c_str()), -1);
	EXPECT_EQ(read_text(fSource), original);
}

TEST_F(CopyFileTest, AFailedCopyKeepsTheOldTarget)
{
	std::string target = fFolder / "kept.png";
	ASSERT_TRUE(write_text(target, "the user's old copy"));
	// This process's memory reads as a file that fails at its first byte.
	EXPECT_EQ(copy_file("/proc/self/mem", target.c_str()), -1);
	EXPECT_EQ(read_text(target), "the user's old copy");
	EXPECT_EQ(folder_names(fFolder.Path()).count("kept.png"), 1u);
	EXPECT_EQ(folder_names(fFolder.Path()).size(), 3u) << "no temporary file is left";

	EXPECT_EQ(copy_file((fFolder / "missing").c_str(), target.c_str()), -1);
	EXPECT_EQ(copy_file(fFolder.Path().c_str(), target.c_str()), -1) << "a folder is no file";
	EXPECT_EQ(copy_file(fSource.c_str(), (fFolder / "no/such/folder/file").c_str()), -1);
	EXPECT_EQ(read_text(target), "the user's old copy");
}

} // namespace
