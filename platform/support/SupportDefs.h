// Basic integer types and small helpers used by every kit of the platform.
#ifndef _SUPPORT_DEFS_H
#define _SUPPORT_DEFS_H

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

#include <Errors.h>

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef int32 status_t;
typedef int64 bigtime_t;
typedef int64 nanotime_t;
typedef uint32 type_code;
typedef uint32 perform_code;

#ifndef B_INFINITE_TIMEOUT
#define B_INFINITE_TIMEOUT INT64_MAX
#endif

#define B_EMPTY_STRING ""

template <typename T>
inline T min_c(T a, T b)
{
	return a < b ? a : b;
}

template <typename T>
inline T max_c(T a, T b)
{
	return a > b ? a : b;
}

#endif
