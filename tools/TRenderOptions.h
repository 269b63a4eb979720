// TRenderOptions reads the command line of glowplate-render: the text, the output file, a
// value for any member of the sign parameters and of the board parameters (lamp look, fixed
// board, motion), a preset and the batch mode. Every value is checked as the editor checks
// what the user types, so a sign rendered here could also have been made in the editor.
// Parsing only collects; Apply writes the values given into the parameter records, after the
// caller has loaded the saved parameters (--settings) and the preset. A preset file holds the
// same look options, one "name = value" (or a bare "name" for a switch) a line.
#ifndef T_RENDER_OPTIONS_H
#define T_RENDER_OPTIONS_H

#include <optional>

#include <GraphicsDefs.h>
#include <String.h>

class TBoardProperty;
class TProperty;

class TRenderOptions {
public:
	TRenderOptions();

	// B_OK, or B_BAD_VALUE with a one-line explanation in `error`.
	status_t Parse(int argc, const char* const* argv, BString* error);
	// Reads a preset file's text: the look options only (no text, output, batch, preset or
	// settings). B_BAD_VALUE with the line's number and the reason in `error`.
	status_t ParsePreset(const char* text, BString* error);
	// Write the values that were given into the records; the others keep what they hold.
	void Apply(TProperty* property) const;
	void Apply(TBoardProperty* board) const;

	bool Help() const { return mHelp; }
	bool ListFonts() const { return mListFonts; }
	bool ListPresets() const { return mListPresets; }
	bool UseSettings() const { return mUseSettings; }
	const BString& Text() const { return mText; }
	const BString& Output() const { return mOutput; }
	// The preset's name, empty for none.
	const BString& Preset() const { return mPreset; }
	// The batch file, empty for none.
	const BString& Batch() const { return mBatch; }
	// The batch's file format: "png", "gif" or "webp"; empty when not given.
	const BString& Format() const { return mFormat; }
	// True when a scroll or a page-through was asked for.
	bool Animated() const;

	// The usage text, one option a line.
	static const char* Usage();

private:
	enum Kind : int32 {
		kHelp,
		kListFonts,
		kListPresets,
		kSettings,
		kTextOption,
		kOutputOption,
		kPresetOption,
		kBatchOption,
		kFormatOption,
		kFamily,
		kStyle,
		kForeground,
		kBackground,
		kGapColor,
		kLEDSize,
		kLEDGap,
		kRows,
		kMarginLeft,
		kMarginTop,
		kMarginRight,
		kMarginBottom,
		kMargins,
		kFontSize,
		kCorrect,
		kNoCorrect,
		// The board parameters, read in TRenderOptionsBoard.cpp.
		kLamp,
		kCornerRadius,
		kSmooth,
		kNoSmooth,
		kGlow,
		kGlowStrength,
		kBoardWidth,
		kAlign,
		kAnimate,
		kFps,
		kSpeed,
		kHoldStart,
		kHoldEnd,
		kLoop,
	};

	struct Option {
		const char* name;
		char shortName;
		bool takesValue;
		Kind kind;
		// Whether a preset file may set it: the look, not what is rendered or where.
		bool inPreset;
	};
	static const Option kOptions[];

	static const Option* _Find(const char* name, size_t length);
	status_t _Take(const Option& option, const char* value, BString* error);
	status_t _TakeBoard(const Option& option, const char* value, BString* error);

	bool mListPresets = false;
	BString mPreset;
	BString mBatch;
	BString mFormat;
	std::optional<int32> mShape;
	std::optional<int32> mCornerRadius;
	std::optional<bool> mSmooth;
	std::optional<int32> mGlowRadius;
	std::optional<float> mGlowStrength;
	std::optional<int32> mBoardWidth;
	std::optional<int32> mAlign;
	std::optional<int32> mMotion;
	std::optional<float> mFps;
	std::optional<float> mSpeed;
	std::optional<int32> mHoldStart;
	std::optional<int32> mHoldEnd;
	std::optional<int32> mLoop;

	bool mHelp;
	bool mListFonts;
	bool mUseSettings;
	bool mHaveText;
	BString mText;
	BString mOutput;

	std::optional<BString> mFontFamily;
	std::optional<BString> mFontStyle;
	std::optional<rgb_color> mColors[3];
	std::optional<int32> mLEDSize;
	std::optional<int32> mLEDGap;
	std::optional<int32> mRows;
	std::optional<int32> mMargin[4];
	std::optional<float> mFontSize;
	std::optional<bool> mCorrect;
};

#endif
