// TArchivable is the base of every record that outlives a run of the program. A record writes
// its members into an archive message (Archive) and reads them back (Unarchive); Load and Save
// move that message between the record and a file that holds it in flattened form.
//
// The typed look-up helpers are what records use inside Unarchive. Each writes its destination
// only when the look-up succeeded, so a key that a file lacks leaves the member at its default
// or its earlier value, and the helper's status tells the record that the key was missing.
#ifndef T_ARCHIVABLE_H
#define T_ARCHIVABLE_H

#include <Archivable.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <String.h>
#include <SupportDefs.h>

class BEntry;
class BMessage;
struct entry_ref;

// Both forms of one typed look-up, declared in one place so that every type gets the same pair.
#define _T_ARCHIVABLE_FIND(Name, Type)                                                             \
	status_t Find##Name(const BMessage* from, const char* name, Type* value) const;                \
	status_t Find##Name(const BMessage* from, const char* name, int32 index, Type* value) const;

class TArchivable : public BArchivable {
public:
	// The largest settings file, in bytes, that Load reads and Save writes. A settings file
	// holds one small record; refusing larger ones keeps a damaged or substituted file from
	// making the load allocate without bound, and refusing to write them keeps a record from
	// leaving a file that its next load would discard.
	static constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

	TArchivable();
	explicit TArchivable(BMessage* from);
	~TArchivable() override;

	// A new TArchivable when the archive names the class "TArchivable", else null.
	static TArchivable* Instantiate(BMessage* from);

	// The platform's fields (the dynamic class name under "class"), then "TArchivable" under
	// "class". Records call it first and OR their own statuses into its result.
	status_t Archive(BMessage* into, bool deep = true) const override;
	// Does nothing here; records call it first and OR their look-up statuses into its result.
	virtual status_t Unarchive(const BMessage* from);

	// Reads one flattened message from the file and hands it to Unarchive. B_OK only when
	// Unarchive reported every key found; -1 when the file is missing, unreadable, malformed,
	// the archive of another class, or lacks a key. What Unarchive found is applied in every
	// case in which it was called.
	status_t Load(const BEntry& entry);
	// Archives the record and replaces the file with it atomically: a failure at any step
	// leaves the previous file exactly as it was (in a folder that refuses new files, the
	// file is written over in place instead, see BAtomicFile). B_OK or -1; an archive that
	// would flatten to more than kMaxFileSize bytes is a failure and writes nothing.
	status_t Save(const BEntry& entry) const;

	// Typed look-ups; the forms without an index read item 0.
	_T_ARCHIVABLE_FIND(Bool, bool)
	_T_ARCHIVABLE_FIND(Double, double)
	_T_ARCHIVABLE_FIND(Float, float)
	_T_ARCHIVABLE_FIND(Int8, int8)
	_T_ARCHIVABLE_FIND(Int16, int16)
	_T_ARCHIVABLE_FIND(Int32, int32)
	_T_ARCHIVABLE_FIND(Int64, int64)
	// A copy of the nested message.
	_T_ARCHIVABLE_FIND(Message, BMessage)
	_T_ARCHIVABLE_FIND(Rect, BRect)
	_T_ARCHIVABLE_FIND(Ref, entry_ref)
	// Either a pointer into the message or a copy of the text.
	_T_ARCHIVABLE_FIND(String, const char*)
	_T_ARCHIVABLE_FIND(String, BString)
	// The first four bytes of an item of the platform's colour type.
	_T_ARCHIVABLE_FIND(RGBColor, rgb_color)
	// The stored bytes of an item of `type` and their count.
	status_t FindData(const BMessage* from, const char* name, type_code type, const void** data,
	                  ssize_t* numBytes) const;
	status_t FindData(const BMessage* from, const char* name, type_code type, int32 index,
	                  const void** data, ssize_t* numBytes) const;

protected:
	// The four bytes of a colour stored as an item of `type`, for the records that keep their
	// colours as raw items. Shorter items are B_BAD_DATA, so a damaged file cannot make the
	// copy read past the item.
	status_t FindColorBytes(const BMessage* from, const char* name, type_code type, int32 index,
	                        rgb_color* value) const;

private:
	bool _IsArchiveOfThisClass(const BMessage& archive) const;
};

#undef _T_ARCHIVABLE_FIND

#endif
