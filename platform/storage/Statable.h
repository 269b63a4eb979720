// BStatable is what entries and nodes share: they can tell their stat information, and the
// questions answered from it (kind, size, times, permissions) are asked the same way for both.
#ifndef _STATABLE_H
#define _STATABLE_H

#include <ctime>
#include <sys/stat.h>

#include <SupportDefs.h>

class BStatable {
public:
	virtual ~BStatable();

	virtual status_t GetStat(struct stat* st) const = 0;

	bool IsFile() const;
	bool IsDirectory() const;
	bool IsSymLink() const;

	status_t GetSize(off_t* size) const;
	status_t GetModificationTime(time_t* mtime) const;
	status_t GetPermissions(mode_t* permissions) const;
};

#endif
