// The atomic writer replaces a file only on Commit and leaves the old one intact, and no
// temporary file behind, whatever went wrong before.
#include <csignal>
#include <sys/resource.h>

#include <AtomicFile.h>
#include <Entry.h>
#include <Node.h>
#include <TypeConstants.h>

#include "StorageTestSupport.h"

namespace {

class AtomicFileTest : public testing::Test {
protected:
	void SetUp() override
	{
		fTarget = fFolder / "Glowplate_Property.arc";
		ASSERT_TRUE(write_text(fTarget, "old settings"));
	}

	// Only the target may be left in the folder.
	void ExpectNoLeftovers(std::set<std::string> expected = {"Glowplate_Property.arc"})
	{
		EXPECT_EQ(expected, folder_names(fFolder.Path()));
	}

	ScratchFolder fFolder;
	std::string fTarget;
};

// Makes writes beyond `limit` bytes fail with EFBIG, as a full disk would, for the life of
// the object. The signal that normally comes with it is ignored.
class FileSizeLimit {
public:
	explicit FileSizeLimit(rlim_t limit)
	{
		fOldHandler = signal(SIGXFSZ, SIG_IGN);
		getrlimit(RLIMIT_FSIZE, &fOld);
		struct rlimit small = fOld;
		small.rlim_cur = limit;
		setrlimit(RLIMIT_FSIZE, &small);
	}

	~FileSizeLimit()
	{
		setrlimit(RLIMIT_FSIZE, &fOld);
		signal(SIGXFSZ, fOldHandler);
	}

private:
	struct rlimit fOld;
	sighandler_t fOldHandler;
};

TEST_F(AtomicFileTest, CommitReplaces)
{
	BAtomicFile file(fTarget.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_STREQ(fTarget.c_str(), file.TargetPath());
	EXPECT_EQ(12, file.Write("new settings", 12));
	// Until the commit, readers still see the old file.
	EXPECT_EQ("old settings", read_text(fTarget));
	EXPECT_EQ(B_OK, file.Commit());
	EXPECT_EQ("new settings", read_text(fTarget));
	ExpectNoLeftovers();
	EXPECT_EQ(B_NO_INIT, file.InitCheck());
	EXPECT_EQ(B_NO_INIT, file.Commit());
	EXPECT_EQ(B_NO_INIT, file.Write("x", 1));
}

TEST_F(AtomicFileTest, CreatesAMissingTarget)
{
	UmaskScope mask(027);
	std::string fresh = fFolder / "fresh";
	BAtomicFile file(fresh.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_FALSE(path_exists(fresh));
	EXPECT_EQ(2, file.Write("hi", 2));
	ASSERT_EQ(B_OK, file.Commit());
	EXPECT_EQ("hi", read_text(fresh));
	EXPECT_EQ(0640u, permissions_of(fresh));
}

TEST_F(AtomicFileTest, DroppingWithoutCommitKeepsTheOldFile)
{
	{
		BAtomicFile file(fTarget.c_str());
		ASSERT_EQ(B_OK, file.InitCheck());
		EXPECT_EQ(4, file.Write("half", 4));
	}
	EXPECT_EQ("old settings", read_text(fTarget));
	ExpectNoLeftovers();

	BAtomicFile aborted(fTarget.c_str());
	EXPECT_EQ(4, aborted.Write("half", 4));
	aborted.Abort();
	EXPECT_EQ(B_NO_INIT, aborted.Commit());
	EXPECT_EQ("old settings", read_text(fTarget));

	// Starting over discards the first attempt's temporary file.
	{
		BAtomicFile twice(fTarget.c_str());
		ASSERT_EQ(B_OK, twice.SetTo(fTarget.c_str()));
		EXPECT_EQ(2u, folder_names(fFolder.Path()).size());
	}
	ExpectNoLeftovers();
}

TEST_F(AtomicFileTest, AFailedWriteCannotBeCommitted)
{
	BAtomicFile file(fTarget.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	std::string block(4096, 'b');
	{
		FileSizeLimit limit(1000);
		EXPECT_LT(file.Write(block.data(), block.size()), 0);
	}
	// The caller ignored the failure and wrote more; the file is still not published.
	EXPECT_EQ(4, file.Write("more", 4));
	EXPECT_LT(file.Commit(), 0);
	EXPECT_EQ("old settings", read_text(fTarget));
	ExpectNoLeftovers();
}

TEST_F(AtomicFileTest, AnUnwritableFolderKeepsTheOldFile)
{
	ASSERT_EQ(0, chmod(fFolder.Path().c_str(), 0555));
	int result = run_unprivileged([&] {
		BAtomicFile file(fTarget.c_str());
		return file.InitCheck() == B_PERMISSION_DENIED ? 0 : 1;
	});
	chmod(fFolder.Path().c_str(), 0700);
	EXPECT_EQ(0, result);
	EXPECT_EQ("old settings", read_text(fTarget));
	ExpectNoLeftovers();
}

TEST_F(AtomicFileTest, AFileTheWriterMayNotWriteIsNotReplaced)
{
	// The folder lets anyone create files; only the target itself is read-only.
	ASSERT_EQ(0, chmod(fFolder.Path().c_str(), 0777));
	ASSERT_EQ(0, chmod(fTarget.c_str(), 0444));
	int result = run_unprivileged([&] {
		BAtomicFile file(fTarget.c_str());
		return file.InitCheck() == B_PERMISSION_DENIED ? 0 : 1;
	});
	chmod(fFolder.Path().c_str(), 0700);
	EXPECT_EQ(0, result);
	EXPECT_EQ("old settings", read_text(fTarget));
	ExpectNoLeftovers();
}

TEST_F(AtomicFileTest, AFolderThatRefusesNewEntriesGetsAWritableFileWrittenInPlace)
{
	// The folder may be entered but not written to; the file itself may be written.
	ASSERT_EQ(0, chmod(fTarget.c_str(), 0666));
	bool attributes = user_xattrs_supported(fTarget);
	if (attributes) {
		ASSERT_EQ(0, setxattr(fTarget.c_str(), "user.note", "kept", 4, 0));
	}
	ASSERT_EQ(0, chmod(fFolder.Path().c_str(), 0555));
	int result = run_unprivileged([&] {
		BAtomicFile longer(fTarget.c_str());
		if (longer.InitCheck() != B_OK || longer.Write("newer, longer settings", 22) != 22)
			return 1;
		// The stream reads back what was written, and the target waits for the commit.
		char back[5] = {};
		if (longer.ReadAt(0, back, 5) != 5 || read_text(fTarget) != "old settings")
			return 2;
		if (longer.Commit() != B_OK || read_text(fTarget) != "newer, longer settings")
			return 3;

		// A shorter file leaves nothing of the longer one behind.
		BAtomicFile shorter(fTarget.c_str());
		if (shorter.Write("short", 5) != 5 || shorter.Commit() != B_OK)
			return 4;
		{
			BAtomicFile dropped(fTarget.c_str());
			dropped.Write("dropped", 7);
		}
		if (read_text(fTarget) != "short")
			return 5;

		// A file that does not exist yet cannot be made in such a folder at all.
		BAtomicFile fresh((fFolder / "fresh").c_str());
		return fresh.InitCheck() == B_PERMISSION_DENIED ? 0 : 6;
	});
	chmod(fFolder.Path().c_str(), 0700);
	EXPECT_EQ(0, result);
	EXPECT_EQ("short", read_text(fTarget));
	EXPECT_EQ(0666u, permissions_of(fTarget));
	ExpectNoLeftovers();
	if (attributes) {
		char value[8] = {};
		EXPECT_EQ(4, getxattr(fTarget.c_str(), "user.note", value, sizeof(value)));
	}
}

TEST_F(AtomicFileTest, FailedRenameKeepsTheOldEntry)
{
	BAtomicFile file(fTarget.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(3, file.Write("new", 3));
	// Something else put a folder with contents in the target's place meanwhile.
	ASSERT_EQ(0, unlink(fTarget.c_str()));
	ASSERT_EQ(0, mkdir(fTarget.c_str(), 0755));
	ASSERT_TRUE(write_text(fTarget + "/inside", "x"));
	EXPECT_LT(file.Commit(), 0);
	EXPECT_EQ("x", read_text(fTarget + "/inside"));
	ExpectNoLeftovers();
}

TEST_F(AtomicFileTest, RefusesWhatCannotBeReplaced)
{
	EXPECT_EQ(B_IS_A_DIRECTORY, BAtomicFile(fFolder.Path().c_str()).InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BAtomicFile((fFolder / "none/x").c_str()).InitCheck());
	EXPECT_EQ(B_BAD_VALUE, BAtomicFile((const char*)nullptr).InitCheck());
	ASSERT_EQ(0, mkfifo((fFolder / "pipe").c_str(), 0644));
	EXPECT_EQ(B_NOT_ALLOWED, BAtomicFile((fFolder / "pipe").c_str()).InitCheck());
	ExpectNoLeftovers({"Glowplate_Property.arc", "pipe"});
}

TEST_F(AtomicFileTest, KeepsModeLinkAndAttributes)
{
	UmaskScope mask(022);
	ASSERT_EQ(0, chmod(fTarget.c_str(), 0604));
	ASSERT_EQ(0, symlink("Glowplate_Property.arc", (fFolder / "link").c_str()));
	bool attributes = user_xattrs_supported(fTarget);
	if (attributes) {
		ASSERT_EQ(0, setxattr(fTarget.c_str(), "user.note", "kept", 4, 0));
	}

	BAtomicFile file((fFolder / "link").c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_STREQ(fTarget.c_str(), file.TargetPath());
	EXPECT_EQ(3, file.Write("new", 3));
	ASSERT_EQ(B_OK, file.Commit());

	EXPECT_EQ("new", read_text(fTarget));
	EXPECT_EQ(0604u, permissions_of(fTarget));
	struct stat st;
	ASSERT_EQ(0, lstat((fFolder / "link").c_str(), &st));
	EXPECT_TRUE(S_ISLNK(st.st_mode));
	if (attributes) {
		char value[8] = {};
		EXPECT_EQ(4, getxattr(fTarget.c_str(), "user.note", value, sizeof(value)));
		EXPECT_STREQ("kept", value);
	}
}

TEST_F(AtomicFileTest, IsAPositionedStream)
{
	BAtomicFile file(fTarget.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(6, file.Write("abcdef", 6));
	EXPECT_EQ(1, file.WriteAt(0, "A", 1));
	EXPECT_EQ(6, file.Position());
	char buffer[3] = {};
	EXPECT_EQ(2, file.ReadAt(4, buffer, 2));
	EXPECT_STREQ("ef", buffer);
	EXPECT_EQ(2, file.Seek(2, SEEK_SET));
	EXPECT_EQ(2, file.Read(buffer, 2));
	EXPECT_STREQ("cd", buffer);
	EXPECT_EQ(B_OK, file.SetSize(5));
	off_t size = 0;
	EXPECT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(5, size);
	EXPECT_EQ(B_BAD_VALUE, file.Seek(0, 9));
	ASSERT_EQ(B_OK, file.Commit());
	EXPECT_EQ("Abcde", read_text(fTarget));
}

TEST_F(AtomicFileTest, NamedByRefOrEntryAndWithTheLongestName)
{
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path(fTarget.c_str(), &ref));
	BAtomicFile byRef(&ref);
	EXPECT_STREQ(fTarget.c_str(), byRef.TargetPath());
	BEntry entry(fTarget.c_str());
	BAtomicFile byEntry(&entry);
	EXPECT_STREQ(fTarget.c_str(), byEntry.TargetPath());
	byRef.Abort();
	byEntry.Abort();

	std::string longest = fFolder / std::string(NAME_MAX, 'L');
	BAtomicFile file(longest.c_str());
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_EQ(1, file.Write("l", 1));
	ASSERT_EQ(B_OK, file.Commit());
	EXPECT_EQ("l", read_text(longest));
}

} // namespace
