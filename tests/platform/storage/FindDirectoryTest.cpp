// The settings folder follows XDG_CONFIG_HOME and is created on request, as the settings
// files of the application expect.
#include <FindDirectory.h>
#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StorageTestSupport.h"

namespace {

// Sets an environment variable for the life of the object.
class EnvironmentScope {
public:
	EnvironmentScope(const char* name, const char* value) : fName(name)
	{
		const char* old = getenv(name);
		fHadValue = old != nullptr;
		if (fHadValue)
			fOld = old;
		if (value != nullptr)
			setenv(name, value, 1);
		else
			unsetenv(name);
	}

	~EnvironmentScope()
	{
		if (fHadValue)
			setenv(fName.c_str(), fOld.c_str(), 1);
		else
			unsetenv(fName.c_str());
	}

private:
	std::string fName;
	std::string fOld;
	bool fHadValue;
};

class FindDirectoryTest : public testing::Test {
protected:
	ScratchFolder fFolder;
};

TEST_F(FindDirectoryTest, SettingsFolderIsCreatedOnlyOnRequest)
{
	std::string config = fFolder / "home/.config-elsewhere";
	EnvironmentScope xdg("XDG_CONFIG_HOME", config.c_str());

	BPath path;
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
	EXPECT_EQ(config, path.Path());
	EXPECT_FALSE(path_exists(config));

	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
	EXPECT_EQ(config, path.Path());
	struct stat st;
	ASSERT_EQ(0, stat(config.c_str(), &st));
	EXPECT_TRUE(S_ISDIR(st.st_mode));
	EXPECT_EQ(0700u, st.st_mode & 0777);
	// Asking again with the folder in place is fine.
	EXPECT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
}

TEST_F(FindDirectoryTest, FallsBackToHomeConfig)
{
	EnvironmentScope home("HOME", fFolder.Path().c_str());
	for (const char* ignored : {(const char*)nullptr, "", "relative/config"}) {
		EnvironmentScope xdg("XDG_CONFIG_HOME", ignored);
		BPath path;
		ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
		EXPECT_EQ(fFolder / ".config", path.Path());
		EXPECT_TRUE(path_exists(fFolder / ".config"));
	}
	EXPECT_FALSE(path_exists(fFolder / "relative"));

	BPath user;
	ASSERT_EQ(B_OK, find_directory(B_USER_DIRECTORY, &user));
	EXPECT_EQ(fFolder.Path(), user.Path());
}

TEST_F(FindDirectoryTest, FailuresAreReported)
{
	// A file where the folder should be: neither found nor created.
	ASSERT_TRUE(write_text(fFolder / "file", ""));
	EnvironmentScope xdg("XDG_CONFIG_HOME", (fFolder / "file/config").c_str());
	BPath path;
	EXPECT_EQ(B_NOT_A_DIRECTORY, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));

	char buffer[8];
	EnvironmentScope fine("XDG_CONFIG_HOME", (fFolder / "long-enough").c_str());
	EXPECT_EQ(B_BUFFER_OVERFLOW,
	          find_directory(B_USER_SETTINGS_DIRECTORY, -1, false, buffer, sizeof(buffer)));
	char big[PATH_MAX];
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, -1, false, big, sizeof(big)));
	EXPECT_EQ(fFolder / "long-enough", big);
	EXPECT_EQ(B_BAD_VALUE, find_directory(B_USER_SETTINGS_DIRECTORY, 7, false, big, sizeof(big)));
	EXPECT_EQ(B_BAD_VALUE, find_directory((directory_which)42, &path));
	EXPECT_EQ(B_BAD_VALUE, find_directory(B_USER_SETTINGS_DIRECTORY, nullptr));
}

// The way the application reaches a settings file: the settings folder, two folder names
// appended, the folders made, the file name appended, an entry set to a file not yet there.
TEST_F(FindDirectoryTest, SettingsFileRecipe)
{
	EnvironmentScope xdg("XDG_CONFIG_HOME", (fFolder / "config").c_str());
	BPath path;
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
	ASSERT_EQ(B_OK, path.Append("Tamarack"));
	ASSERT_EQ(B_OK, path.Append("Glowplate"));
	ASSERT_EQ(B_OK, create_directory(path.Path(), 0777));
	ASSERT_EQ(B_OK, path.Append("Glowplate_Property.arc"));
	BEntry entry;
	ASSERT_EQ(B_OK, entry.SetTo(path.Path()));
	EXPECT_FALSE(entry.Exists());
	EXPECT_STREQ((fFolder / "config/Tamarack/Glowplate/Glowplate_Property.arc").c_str(),
	             entry.PathString());
}

} // namespace
