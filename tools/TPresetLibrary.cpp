#include "TPresetLibrary.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include <FindDirectory.h>
#include <Path.h>

#include <AppIdentity.h>

#include "TOptionValue.h"

namespace {

const char kExtension[] = ".preset";

// The folder of the running program, from the kernel's link to it.
std::string program_folder()
{
	char path[PATH_MAX];
	const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return std::string();
	path[length] = '\0';
	char* slash = strrchr(path, '/');
	if (slash == nullptr)
		return std::string();
	*slash = '\0';
	return path;
}

} // namespace

TPresetLibrary::TPresetLibrary()
{
	BPath settings;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &settings) == B_OK) {
		mFolders.push_back(std::string(settings.Path()) + "/Tamarack/" + gAppSettingsFolder +
		                   "/Presets");
	}
	const std::string program = program_folder();
	if (!program.empty()) {
		mFolders.push_back(program + "/presets");
		mFolders.push_back(program + "/../share/glowplate-maker/presets");
	}
}

bool TPresetLibrary::IsValidName(const char* name)
{
	return TOptionValue::IsSafeName(name);
}

status_t TPresetLibrary::Read(const char* name, BString* text, BString* path) const
{
	if (!IsValidName(name))
		return B_BAD_VALUE;
	for (const std::string& folder : mFolders) {
		const std::string file = folder + "/" + name + kExtension;
		struct stat info;
		if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
			continue;
		if (info.st_size > kMaxPresetBytes)
			return B_NO_MEMORY;
		std::ifstream in(file, std::ios::binary);
		if (!in)
			return B_PERMISSION_DENIED;
		const std::string bytes((std::istreambuf_iterator<char>(in)),
		                        std::istreambuf_iterator<char>());
		if (bytes.size() > (size_t)kMaxPresetBytes)
			return B_NO_MEMORY;
		text->SetTo(bytes.data(), (int32)bytes.size());
		path->SetTo(file.c_str());
		return B_OK;
	}
	return B_ENTRY_NOT_FOUND;
}

std::vector<std::pair<std::string, std::string>> TPresetLibrary::List() const
{
	std::map<std::string, std::string> found;
	const size_t extension = strlen(kExtension);
	for (const std::string& folder : mFolders) {
		DIR* directory = opendir(folder.c_str());
		if (directory == nullptr)
			continue;
		while (const dirent* entry = readdir(directory)) {
			const std::string file = entry->d_name;
			if (file.size() <= extension ||
			    file.compare(file.size() - extension, extension, kExtension) != 0)
				continue;
			const std::string name = file.substr(0, file.size() - extension);
			// The user's preset of a name hides a shipped one of the same name.
			if (IsValidName(name.c_str()))
				found.emplace(name, folder + "/" + file);
		}
		closedir(directory);
	}
	return std::vector<std::pair<std::string, std::string>>(found.begin(), found.end());
}
