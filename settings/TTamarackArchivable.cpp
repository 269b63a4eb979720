#include "TTamarackArchivable.h"

#include <cassert>

#include <Directory.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <InterfaceDefs.h>
#include <Path.h>

namespace {

const uint32 kResetKeys = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;

// The path is asked for anew every time, so that a change of the user settings folder (a test
// pointing it at a scratch folder) is followed at once: nothing here caches it.
status_t settings_entry(const char* maker, const char* folder, const char* file, BEntry* entry)
{
	assert(folder != nullptr && file != nullptr && entry != nullptr);
	BPath path;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &path, true) != B_OK)
		return -1;

	path.Append(maker);
	path.Append(folder);
	// A folder that cannot be made shows itself when the file is opened; the load or save
	// then fails with its own status.
	if (path.InitCheck() == B_OK)
		create_directory(path.Path(), 0777);

	path.Append(file);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	return entry->SetTo(path.Path());
}

} // namespace

TTamarackArchivable::TTamarackArchivable() = default;

TTamarackArchivable::TTamarackArchivable(BMessage* from) : TArchivable(from) {}

TTamarackArchivable::~TTamarackArchivable() = default;

status_t TTamarackArchivable::GetSettingsEntry(const char* folder, const char* file,
                                               BEntry* entry) const
{
	return settings_entry("Tamarack", folder, file, entry);
}

status_t TTamarackArchivable::LoadByName(const char* folder, const char* file)
{
	BEntry entry;
	if (GetSettingsEntry(folder, file, &entry) != B_OK)
		return -1;
	if (settings_reset_keys_held()) {
		entry.Remove();
		return -1;
	}
	return Load(entry);
}

status_t TTamarackArchivable::SaveByName(const char* folder, const char* file) const
{
	BEntry entry;
	if (GetSettingsEntry(folder, file, &entry) != B_OK || settings_reset_keys_held())
		return -1;
	return Save(entry);
}

status_t TTamarackArchivable::DeleteByName(const char* folder, const char* file) const
{
	BEntry entry;
	if (GetSettingsEntry(folder, file, &entry) != B_OK)
		return -1;
	return entry.Remove();
}

bool settings_reset_keys_held()
{
	return (modifiers() & kResetKeys) == kResetKeys;
}

status_t get_settings_entry(const char* folder, const char* file, BEntry* entry)
{
	return settings_entry("KESTRA", folder, file, entry);
}
