#include <RuntimeDir.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs each test with an XDG_RUNTIME_DIR of its own and puts the old value back afterwards.
class RuntimeDirTest : public testing::Test {
protected:
	void SetUp() override
	{
		const char* old = getenv("XDG_RUNTIME_DIR");
		fHadOld = old != nullptr;
		if (fHadOld)
			fOld = old;
		char pattern[] = "/tmp/glowplate-runtime-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fBase = pattern;
		setenv("XDG_RUNTIME_DIR", fBase.c_str(), 1);
	}
	void TearDown() override
	{
		if (fHadOld)
			setenv("XDG_RUNTIME_DIR", fOld.c_str(), 1);
		else
			unsetenv("XDG_RUNTIME_DIR");
		std::error_code ignored;
		std::filesystem::remove_all(fBase, ignored);
	}

	static std::string Fallback() { return "/tmp/glowplate-" + std::to_string(geteuid()); }

	std::string fBase;
	std::string fOld;
	bool fHadOld = false;
};

mode_t mode_of(const std::string& path)
{
	struct stat info;
	EXPECT_EQ(lstat(path.c_str(), &info), 0);
	return info.st_mode;
}

} // namespace

TEST_F(RuntimeDirTest, APrivateXdgFolderHoldsOurOwnPrivateFolder)
{
	std::string path;
	ASSERT_EQ(runtime_directory(path), B_OK);
	EXPECT_EQ(path, fBase + "/glowplate");
	EXPECT_TRUE(S_ISDIR(mode_of(path)));
	EXPECT_EQ(mode_of(path) & 0777, 0700u);

	// A umask that would take our own bits away does not leave the folder unusable.
	std::filesystem::remove(path);
	mode_t old = umask(0277);
	std::string again;
	status_t status = runtime_directory(again);
	umask(old);
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(mode_of(again) & 0777, 0700u);
}

TEST_F(RuntimeDirTest, AnUnsafeXdgSettingFallsBackToTheTemporaryFolder)
{
	std::string path;

	// A relative path is not a runtime folder.
	setenv("XDG_RUNTIME_DIR", "relative/folder", 1);
	ASSERT_EQ(runtime_directory(path), B_OK);
	EXPECT_EQ(path, Fallback());

	// Neither is one that others may enter.
	setenv("XDG_RUNTIME_DIR", fBase.c_str(), 1);
	ASSERT_EQ(chmod(fBase.c_str(), 0755), 0);
	path.clear();
	ASSERT_EQ(runtime_directory(path), B_OK);
	EXPECT_EQ(path, Fallback());
	ASSERT_EQ(chmod(fBase.c_str(), 0700), 0);

	// Our folder inside it must itself be private, and not a link to somewhere else.
	ASSERT_EQ(mkdir((fBase + "/elsewhere").c_str(), 0700), 0);
	ASSERT_EQ(symlink((fBase + "/elsewhere").c_str(), (fBase + "/glowplate").c_str()), 0);
	path.clear();
	ASSERT_EQ(runtime_directory(path), B_OK);
	EXPECT_EQ(path, Fallback());
	ASSERT_EQ(unlink((fBase + "/glowplate").c_str()), 0);
	ASSERT_EQ(mkdir((fBase + "/glowplate").c_str(), 0750), 0);
	ASSERT_EQ(chmod((fBase + "/glowplate").c_str(), 0750), 0);
	path.clear();
	ASSERT_EQ(runtime_directory(path), B_OK);
	EXPECT_EQ(path, Fallback());

	// The fallback is held to the same rules.
	EXPECT_TRUE(S_ISDIR(mode_of(Fallback())));
	EXPECT_EQ(mode_of(Fallback()) & 0077, 0u);
	struct stat info;
	ASSERT_EQ(lstat(Fallback().c_str(), &info), 0);
	EXPECT_EQ(info.st_uid, geteuid());
}

TEST(ErrnoStatus, ErrorsMapToThePlatformsCodes)
{
	EXPECT_EQ(status_from_errno(0), B_OK);
	EXPECT_EQ(status_from_errno(ENOENT), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(status_from_errno(EACCES), B_PERMISSION_DENIED);
	EXPECT_EQ(status_from_errno(ENOTSUP), B_NOT_SUPPORTED);
	EXPECT_EQ(status_from_errno(ENOSPC), B_DEVICE_FULL);
	// An error without a platform code of its own stays an error, and a distinct one.
	EXPECT_LT(status_from_errno(EHOSTDOWN), 0);
	EXPECT_LT(status_from_errno(ENETDOWN), 0);
	EXPECT_NE(status_from_errno(EHOSTDOWN), status_from_errno(ENETDOWN));
	EXPECT_LT(status_from_errno(-4), 0);
}
