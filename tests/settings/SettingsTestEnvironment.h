// A fresh user settings folder for each test. The fixture points XDG_CONFIG_HOME and HOME at a
// scratch folder before the test computes any settings path, releases the keyboard, and puts
// everything back afterwards. Files are read and written through the C library (the storage
// tests' helpers), so the code under test is not used to check itself.
#ifndef SETTINGS_TEST_ENVIRONMENT_H
#define SETTINGS_TEST_ENVIRONMENT_H

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <InterfaceDefs.h>
#include <Message.h>
#include <ModifiersSource.h>

#include "../platform/storage/StorageTestSupport.h"

// Shift, Command, Control and Option: the keys that reset the settings.
constexpr uint32 kResetKeys = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;

class SettingsTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_FALSE(fRoot.Path().empty());
		fConfig = fRoot / "config";
		_Save("XDG_CONFIG_HOME", fOldConfig);
		_Save("HOME", fOldHome);
		setenv("XDG_CONFIG_HOME", fConfig.c_str(), 1);
		setenv("HOME", fRoot.Path().c_str(), 1);
		BPrivate::set_headless_modifiers(0);
	}

	void TearDown() override
	{
		BPrivate::set_headless_modifiers(0);
		_Restore("XDG_CONFIG_HOME", fOldConfig);
		_Restore("HOME", fOldHome);
	}

	// The folder of the program's settings files and a file in it.
	std::string AppFolder() const { return fConfig + "/Tamarack/Glowplate"; }
	std::string AppFile(const std::string& name) const { return AppFolder() + "/" + name; }
	const std::string& Config() const { return fConfig; }
	const std::string& Root() const { return fRoot.Path(); }

	// Makes the missing folders on the way.
	static void WriteFile(const std::string& path, const std::string& bytes)
	{
		MakeFolders(path.substr(0, path.rfind('/')));
		ASSERT_TRUE(write_text(path, bytes)) << path;
	}

	static void MakeFolders(const std::string& path)
	{
		for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
			mkdir(path.substr(0, slash).c_str(), 0755);
			if (slash == std::string::npos)
				break;
		}
	}

	// A message in the flattened form a settings file holds.
	static std::string Flattened(const BMessage& message)
	{
		std::string bytes((size_t)message.FlattenedSize(), '\0');
		EXPECT_EQ(message.Flatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
		return bytes;
	}

	static void WriteMessage(const std::string& path, const BMessage& message)
	{
		WriteFile(path, Flattened(message));
	}

	static std::optional<BMessage> ReadMessage(const std::string& path)
	{
		std::string bytes = read_text(path);
		BMessage message;
		if (message.Unflatten(bytes.data(), (ssize_t)bytes.size()) != B_OK)
			return std::nullopt;
		return message;
	}

private:
	static void _Save(const char* name, std::optional<std::string>& into)
	{
		const char* value = getenv(name);
		into = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
	}

	static void _Restore(const char* name, const std::optional<std::string>& value)
	{
		if (value)
			setenv(name, value->c_str(), 1);
		else
			unsetenv(name);
	}

	ScratchFolder fRoot;
	std::string fConfig;
	std::optional<std::string> fOldConfig;
	std::optional<std::string> fOldHome;
};

#endif
