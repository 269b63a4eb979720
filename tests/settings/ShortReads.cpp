#include "ShortReads.h"

#include <dlfcn.h>
#include <sys/types.h>

namespace {

thread_local size_t tLimit = 0;
thread_local size_t tShortened = 0;

size_t cut(size_t count)
{
	if (tLimit == 0 || count <= tLimit)
		return count;
	tShortened++;
	return tLimit;
}

template <typename Function>
Function next_definition(const char* name)
{
	return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

ShortReads::ShortReads(size_t limit)
{
	tLimit = limit;
	tShortened = 0;
}

ShortReads::~ShortReads()
{
	tLimit = 0;
}

size_t ShortReads::Shortened()
{
	return tShortened;
}

// These definitions stand in front of the C library's for the whole test program; outside a
// ShortReads scope they pass every call through unchanged.
extern "C" ssize_t read(int fd, void* buffer, size_t count)
{
	using Read = ssize_t (*)(int, void*, size_t);
	static Read next = next_definition<Read>("read");
	return next(fd, buffer, cut(count));
}

extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t offset)
{
	using PRead = ssize_t (*)(int, void*, size_t, off_t);
	static PRead next = next_definition<PRead>("pread");
	return next(fd, buffer, cut(count), offset);
}
