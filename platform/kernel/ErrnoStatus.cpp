// The translation of C library error numbers into the platform's status codes, so that every
// kit reports a failed system call in the platform's terms.

#include <SupportDefs.h>

#include <cerrno>

int32_t status_from_errno(int error)
{
	switch (error) {
	case 0:
		return B_OK;
	case ENOMEM:
		return B_NO_MEMORY;
	case EIO:
		return B_IO_ERROR;
	case EACCES:
	case EPERM:
		return B_PERMISSION_DENIED;
	case EINVAL:
		return B_BAD_VALUE;
	case ETIMEDOUT:
		return B_TIMED_OUT;
	case EINTR:
		return B_INTERRUPTED;
	case EAGAIN:
		return B_WOULD_BLOCK;
	case ECANCELED:
		return B_CANCELED;
	case EBUSY:
		return B_BUSY;
	case ENOTSUP:
		return B_NOT_SUPPORTED;
	case ERANGE:
	case EOVERFLOW:
		return B_BUFFER_OVERFLOW;
	case EFAULT:
		return B_BAD_ADDRESS;
	case ENOEXEC:
		return B_NOT_AN_EXECUTABLE;
	case ESRCH:
		return B_BAD_TEAM_ID;
	case EBADF:
		return B_FILE_ERROR;
	case ENOENT:
	case ENODATA:
		return B_ENTRY_NOT_FOUND;
	case EEXIST:
		return B_FILE_EXISTS;
	case ENAMETOOLONG:
		return B_NAME_TOO_LONG;
	case ENOTDIR:
		return B_NOT_A_DIRECTORY;
	case ENOTEMPTY:
		return B_DIRECTORY_NOT_EMPTY;
	case ENOSPC:
	case EDQUOT:
		return B_DEVICE_FULL;
	case EROFS:
		return B_READ_ONLY_DEVICE;
	case EISDIR:
		return B_IS_A_DIRECTORY;
	case EMFILE:
	case ENFILE:
		return B_NO_MORE_FDS;
	case EXDEV:
		return B_CROSS_DEVICE_LINK;
	case ELOOP:
		return B_LINK_LIMIT;
	case EPIPE:
		return B_BUSTED_PIPE;
	default:
		// Every other error keeps its number inside the platform's POSIX range, so it is
		// still negative and still tells which error it was.
		return error > 0 ? B_POSIX_ERROR_BASE + error : B_ERROR;
	}
}
