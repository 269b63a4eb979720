// Resources are typed, numbered and optionally named blocks of bytes that a program carries
// with it (the archived view tree, the signature, ...). Here they are compiled into the
// executable: a generated source file holds a table of records and defines
//
//     extern "C" const BPrivate::ResourceRecord* glowplate_app_resources(size_t* count);
//
// usually through the macro below:
//
//     static const unsigned char kViews[] = { ... };
//     static const BPrivate::ResourceRecord kResources[] = {
//         {'ARCV', 4000, "GlowplateViewRsrc", kViews, sizeof(kViews)},
//     };
//     B_DEFINE_APP_RESOURCES(kResources);
//
// BApplication::AppResources() reads that table. The application kit refers to the function
// only weakly, so an executable built without a generated file links and runs with no
// resources at all (every lookup fails), which is how the missing-resource path is exercised.
#ifndef _RESOURCES_H
#define _RESOURCES_H

#include <cstddef>

#include <SupportDefs.h>

namespace BPrivate {
struct ResourceRecord {
	type_code type;
	int32 id;
	const char* name; // may be null
	const void* data;
	size_t size;
};
} // namespace BPrivate

#define B_DEFINE_APP_RESOURCES(records)                                                            \
	extern "C" const ::BPrivate::ResourceRecord* glowplate_app_resources(size_t* count)            \
	{                                                                                              \
		*count = sizeof(records) / sizeof((records)[0]);                                           \
		return records;                                                                            \
	}

class BResources {
public:
	BResources();
	// A table that lives as long as the object (compiled-in data, as a rule).
	BResources(const BPrivate::ResourceRecord* records, size_t count);
	virtual ~BResources();

	status_t SetTo(const BPrivate::ResourceRecord* records, size_t count);
	status_t InitCheck() const { return B_OK; }
	int32 CountResources() const { return (int32)fCount; }

	// The bytes of a resource, owned by the table, or null.
	const void* LoadResource(type_code type, int32 id, size_t* outSize);
	const void* LoadResource(type_code type, const char* name, size_t* outSize);
	bool HasResource(type_code type, int32 id);
	bool HasResource(type_code type, const char* name);

	bool GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
	                     const char** nameFound, size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andIndex, int32* idFound, const char** nameFound,
	                     size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
	                     size_t* lengthFound);
	bool GetResourceInfo(type_code byType, const char* andName, int32* idFound,
	                     size_t* lengthFound);

	// A copy that the caller frees with free(), or null.
	void* FindResource(type_code type, int32 id, size_t* lengthFound);
	void* FindResource(type_code type, const char* name, size_t* lengthFound);
	// Copies up to length bytes from offset; the number copied, or a status.
	ssize_t ReadResource(type_code type, int32 id, void* data, off_t offset, size_t length);

	BResources(const BResources&) = delete;
	BResources& operator=(const BResources&) = delete;

private:
	const BPrivate::ResourceRecord* _Find(type_code type, int32 id) const;
	const BPrivate::ResourceRecord* _Find(type_code type, const char* name) const;
	void* _Copy(const BPrivate::ResourceRecord* record, size_t* lengthFound) const;

	const BPrivate::ResourceRecord* fRecords;
	size_t fCount;
};

#endif
