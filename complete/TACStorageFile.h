// The storage file of completing text fields: one flattened message whose "_Cdd" strings are
// the candidates, most recent first. The file is read as untrusted data (another program, a
// damaged disk or a hostile user may have put anything there): a file that is too large, holds
// too many candidates, a candidate too long or not UTF-8, or is no message at all is refused
// whole, so a field starts empty rather than with garbage. It is written atomically, so a
// failed save leaves the previous file as it was.
#ifndef T_AC_STORAGE_FILE_H
#define T_AC_STORAGE_FILE_H

#include <vector>

#include <String.h>
#include <SupportDefs.h>

class BMessage;

class TACStorageFile {
public:
	// The candidates of the file at the path; B_OK, or -1 with an empty list.
	static status_t Read(const char* path, std::vector<BString>* candidates);
	// The same for the bytes of a file.
	static status_t Parse(const void* data, size_t size, std::vector<BString>* candidates);

	// The message the file holds: `what` 0 and the candidates as "_Cdd", as many as Parse
	// accepts (the most recent ones) and only those it accepts.
	static void MakeMessage(const std::vector<BString>& candidates, BMessage* message);
	// Replaces the file with the message; B_OK, or the failure, with the old file untouched.
	static status_t Write(const char* path, const BMessage& message);

	// Whether the candidate may be stored: at most kMaxLength bytes of UTF-8 (which is all a
	// text field ever holds).
	static bool IsStorable(const BString& candidate);

	// A field holds one line; a longer text is no candidate worth completing.
	static constexpr int32 kMaxCandidates = 1000;
	static constexpr int32 kMaxLength = 1024;
	// Room for kMaxCandidates of kMaxLength bytes and their framing.
	static constexpr off_t kMaxFileSize = 2 * 1024 * 1024;
};

#endif
