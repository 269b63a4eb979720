// Feeds arbitrary bytes to the preset reader of glowplate-render, as a preset file's text.
// Whatever it accepts must leave both parameter records within their ranges, so that no
// preset can hand the renderer a value it does not draw safely.
//
// The tool's sources are not a library of their own, so the few this needs are compiled in.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <TBoardProperty.h>
#include <TProperty.h>

#include "../tools/TOptionValue.cpp"
#include "../tools/TRenderOptions.cpp"
#include "../tools/TRenderOptionsBoard.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::string text((const char*)data, size);
	TRenderOptions options;
	BString error;
	if (options.ParsePreset(text.c_str(), &error) != B_OK) {
		// A refusal always says why, on one line.
		if (error.IsEmpty() || error.FindFirst('\n') >= 0)
			abort();
		return 0;
	}
	TProperty property;
	TBoardProperty board;
	options.Apply(&property);
	options.Apply(&board);
	if (board.Check() != B_OK || property.mLEDSize < 1 || property.mLEDGap < 0 ||
	    property.mResolutionY < 1 || property.mSrcScreenFontSize < 1)
		abort();
	return 0;
}
