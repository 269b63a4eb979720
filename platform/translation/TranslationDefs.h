// The types the translation kit describes translators and formats with, and its version.
#ifndef _TRANSLATION_DEFS_H
#define _TRANSLATION_DEFS_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

typedef unsigned long translator_id;

#define B_TRANSLATION_CURRENT_VERSION B_TRANSLATION_MAKE_VERSION(1, 0, 0)
#define B_TRANSLATION_MIN_VERSION 161
#define B_TRANSLATION_MAKE_VERSION(major, minor, revision)                                         \
	(((major) << 8) | (((minor) << 4) & 0xf0) | ((revision)&0x0f))
#define B_TRANSLATION_MAJOR_VERSION(v) ((v) >> 8)
#define B_TRANSLATION_MINOR_VERSION(v) (((v) >> 4) & 0xf)
#define B_TRANSLATION_REVISION_VERSION(v) ((v)&0xf)

#define B_MIME_TYPE_LENGTH_ 251

// What a translator says about one format it reads or writes.
struct translation_format {
	uint32 type;
	uint32 group;
	float quality;
	float capability;
	char MIME[B_MIME_TYPE_LENGTH_];
	char name[B_MIME_TYPE_LENGTH_];
};

// What Identify found: the format of the data and the translator that reads it.
struct translator_info {
	uint32 type;
	translator_id translator;
	uint32 group;
	float quality;
	float capability;
	char name[B_MIME_TYPE_LENGTH_];
	char MIME[B_MIME_TYPE_LENGTH_];
};

#endif
