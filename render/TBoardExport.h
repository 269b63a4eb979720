// TBoardExport writes the display view's sign as an animation of its board (see TBoard and
// TBoardAnimation) in GIF or animated WebP, drawn by the same lamp renderer as the screen, so
// each frame shows exactly what a still picture of the board at that position shows. The
// file is replaced atomically: a failure at any step leaves an existing file as it was.
#ifndef T_BOARD_EXPORT_H
#define T_BOARD_EXPORT_H

#include <SupportDefs.h>

class BDataIO;
class TAnimationWriter;
class TBoardProperty;
class TDisplayView;

class TBoardExport {
public:
	enum Format { kGif, kWebP };

	// The format a file name's extension asks for (".gif", ".webp", any case); false for
	// other names.
	static bool FormatForName(const char* name, Format* format);

	// Writes the animation to the file at `path`. B_BAD_VALUE for a board or motion out of
	// range, B_NO_MEMORY for frames too many or too large, B_BUFFER_OVERFLOW for a picture
	// larger than the format allows, and the file system's status when it cannot be
	// written.
	static status_t Write(const TDisplayView& view, const TBoardProperty& board, Format format,
	                      const char* path);
	// Encodes the animation into `output` with `writer`.
	static status_t Encode(const TDisplayView& view, const TBoardProperty& board,
	                       TAnimationWriter* writer, BDataIO* output);
};

#endif
