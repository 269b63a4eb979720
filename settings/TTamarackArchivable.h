// TTamarackArchivable keeps a record in a named file of the maker's settings folder: the user
// settings folder, then "Tamarack", then a folder of the caller's, then the file. The folders
// are created on first use.
//
// Holding Shift, Command, Control and Option together is the user's way out of damaged
// settings: while a record loads it deletes the record's file so that the defaults stay, and
// while a record saves it skips the writing, so every file stays as it was.
#ifndef T_TAMARACK_ARCHIVABLE_H
#define T_TAMARACK_ARCHIVABLE_H

#include "TArchivable.h"

class TTamarackArchivable : public TArchivable {
public:
	TTamarackArchivable();
	explicit TTamarackArchivable(BMessage* from);
	~TTamarackArchivable() override;

	// Sets `entry` to the file (which need not exist) after creating its folders. -1 when the
	// user settings folder cannot be found, else the status of setting the entry.
	status_t GetSettingsEntry(const char* folder, const char* file, BEntry* entry) const;

	// Load of the named file; -1 without reading when the entry cannot be got, and -1 after
	// deleting the file while the four reset keys are held.
	status_t LoadByName(const char* folder, const char* file);
	// Save to the named file; -1 without writing when the entry cannot be got or while the
	// four reset keys are held.
	status_t SaveByName(const char* folder, const char* file) const;
	// The status of removing the named file; -1 when the entry cannot be got.
	status_t DeleteByName(const char* folder, const char* file) const;
};

// True while Shift, Command, Control and Option are all held down.
bool settings_reset_keys_held();

// The same as GetSettingsEntry, in the folder the maker's applications share ("KESTRA" in
// place of "Tamarack").
status_t get_settings_entry(const char* folder, const char* file, BEntry* entry);

#endif
