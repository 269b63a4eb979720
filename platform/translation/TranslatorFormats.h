// Type codes of the formats translators exchange, and the header of the platform's bitmap
// stream format ('bits'), which every image translator reads and writes.
#ifndef _TRANSLATOR_FORMATS_H
#define _TRANSLATOR_FORMATS_H

#include <GraphicsDefs.h>
#include <Rect.h>

// The groups: every translator of a group reads and writes its base format.
enum TranslatorGroups {
	B_TRANSLATOR_BITMAP = 'bits',
	B_TRANSLATOR_PICTURE = 'pict',
	B_TRANSLATOR_SOUND = 'nois',
	B_TRANSLATOR_TEXT = 'TEXT',
	B_TRANSLATOR_MIDI = 'midi',
	B_TRANSLATOR_MEDIA = 'mhi!',
	B_TRANSLATOR_NONE = 'none',
	B_TRANSLATOR_ANY_TYPE = 0,
};

enum {
	B_GIF_FORMAT = 'GIF ',
	B_JPEG_FORMAT = 'JPEG',
	B_PNG_FORMAT = 'PNG ',
	B_PPM_FORMAT = 'PPM ',
	B_TGA_FORMAT = 'TGA ',
	B_BMP_FORMAT = 'BMP ',
	B_TIFF_FORMAT = 'TIFF',
	B_WEBP_FORMAT = 'WebP',
	B_STYLED_TEXT_FORMAT = 'STXT',
};

// The start of a 'bits' stream; on the stream every field is big-endian, and the pixels
// follow, dataSize bytes of rows of rowBytes bytes in the colour space `colors`.
struct TranslatorBitmap {
	uint32 magic; // B_TRANSLATOR_BITMAP
	BRect bounds;
	uint32 rowBytes;
	color_space colors;
	uint32 dataSize;
};

// Bytes of a TranslatorBitmap on the stream.
#define B_TRANSLATOR_BITMAP_HEADER_SIZE 32

#endif
