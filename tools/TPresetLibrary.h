// TPresetLibrary finds presets: named looks, each a small text file "NAME.preset" of look
// options (see TRenderOptions::ParsePreset). The user's own presets live in the folder
// "Presets" of the program's settings folder and come first; the examples shipped with the
// program lie beside it ("presets" next to the executable in a build, the package's data
// folder once installed). Names may contain spaces but no path separators.
#ifndef T_PRESET_LIBRARY_H
#define T_PRESET_LIBRARY_H

#include <string>
#include <vector>

#include <String.h>

class TPresetLibrary {
public:
	// A preset file larger than this is no preset.
	static constexpr off_t kMaxPresetBytes = 64 * 1024;

	TPresetLibrary();

	// A name is 1 to 100 bytes of valid UTF-8 without control characters or '/', and does
	// not begin with '.'.
	static bool IsValidName(const char* name);

	// Reads the named preset's text. B_BAD_VALUE for a name that cannot be one,
	// B_ENTRY_NOT_FOUND when no folder holds it, B_NO_MEMORY for a file too large.
	status_t Read(const char* name, BString* text, BString* path) const;
	// Every preset's name and file, the user's first, each name once, sorted by name.
	std::vector<std::pair<std::string, std::string>> List() const;

	const std::vector<std::string>& Folders() const { return mFolders; }

private:
	std::vector<std::string> mFolders;
};

#endif
