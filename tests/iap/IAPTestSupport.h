// Helpers of the shared preference tests: the shared folder inside the fixture's scratch
// settings folder, and the files written there.
#ifndef IAP_TEST_SUPPORT_H
#define IAP_TEST_SUPPORT_H

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <Message.h>

#include "../settings/SettingsTestEnvironment.h"

// Signatures of two applications of the family.
#define OWN_SIGNATURE "application/x-vnd.Tamarack-GlowplateMaker"
#define OTHER_SIGNATURE "application/x-vnd.KESTRA-Other"

// A runtime folder of the test's own for the life of the object: the window's port has a fixed
// name, so the tests keep where no running application of the user can see or disturb them.
// Programs the test starts inherit it.
class PrivateRuntimeFolder {
public:
	PrivateRuntimeFolder()
	{
		const char* previous = getenv("XDG_RUNTIME_DIR");
		fHadPrevious = previous != nullptr;
		fPrevious = fHadPrevious ? previous : "";
		char pattern[] = "/tmp/glowplate-iap-test-XXXXXX";
		const char* made = mkdtemp(pattern);
		fFolder = made != nullptr ? made : "";
		setenv("XDG_RUNTIME_DIR", fFolder.c_str(), 1);
	}
	~PrivateRuntimeFolder()
	{
		std::error_code ignored;
		std::filesystem::remove_all(fFolder, ignored);
		if (fHadPrevious)
			setenv("XDG_RUNTIME_DIR", fPrevious.c_str(), 1);
		else
			unsetenv("XDG_RUNTIME_DIR");
	}
	PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
	PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
	std::string fFolder;
	std::string fPrevious;
	bool fHadPrevious;
};

class SharedPrefsTest : public SettingsTest {
protected:
	std::string SharedFile(const std::string& item) const
	{
		return Config() + "/KESTRA/Shared/" + item + ".arc";
	}

	// The message in an item's file, if it holds one.
	std::optional<BMessage> ItemFile(const std::string& item) const
	{
		return ReadMessage(SharedFile(item));
	}

	// An item file as another application of the family would write it.
	void WriteItemFile(const std::string& item, const BMessage& message) const
	{
		WriteMessage(SharedFile(item), message);
	}

	// A change message for an item, sent by the application with the signature.
	static BMessage Change(const char* item, const char* signature)
	{
		BMessage message('_ipc');
		message.AddString("IAP:SrcApp", signature);
		message.AddString("IAP:SrcIAPItem", item);
		return message;
	}
};

#endif
