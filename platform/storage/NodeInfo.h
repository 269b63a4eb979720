// BNodeInfo reads and writes the file-type information of a node: its MIME type in the
// attribute "BEOS:TYPE" and its preferred application in "BEOS:PREF_APP", both stored as
// B_MIME_STRING_TYPE with a terminating null byte, as the platform keeps them.
#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <StorageDefs.h>

class BNode;

class BNodeInfo {
public:
	BNodeInfo();
	BNodeInfo(BNode* node);
	virtual ~BNodeInfo();

	status_t SetTo(BNode* node);
	status_t InitCheck() const;

	// `type` holds B_MIME_TYPE_LENGTH bytes. A node without a type is B_ENTRY_NOT_FOUND; a
	// stored value that is not a usable type string is B_BAD_DATA.
	virtual status_t GetType(char* type) const;
	// A null type removes it.
	virtual status_t SetType(const char* type);

	virtual status_t GetPreferredApp(char* signature) const;
	virtual status_t SetPreferredApp(const char* signature);

	BNodeInfo(const BNodeInfo&) = delete;
	BNodeInfo& operator=(const BNodeInfo&) = delete;

private:
	status_t _Get(const char* attribute, char* value) const;
	status_t _Set(const char* attribute, const char* value);

	BNode* fNode;
	status_t fStatus;
};

// Whether `type` has the form of a MIME type: "supertype" or "supertype/subtype", printable
// characters without spaces or the separators MIME forbids, shorter than B_MIME_TYPE_LENGTH.
bool is_valid_mime_type(const char* type);

#endif
