// TRenderOptions reads the command line of glowplate-render: the text, the output file and a
// value for any member of the sign parameters. Every value is checked as the editor checks
// what the user types, so a sign rendered here could also have been made in the editor.
// Parsing only collects; Apply writes the values given into a parameter record, after the
// caller has loaded the saved parameters when --settings asks for them.
#ifndef T_RENDER_OPTIONS_H
#define T_RENDER_OPTIONS_H

#include <optional>

#include <GraphicsDefs.h>
#include <String.h>

class TProperty;

class TRenderOptions {
public:
	TRenderOptions();

	// B_OK, or B_BAD_VALUE with a one-line explanation in `error`.
	status_t Parse(int argc, const char* const* argv, BString* error);
	// Writes the values that were given into `property`; the others keep what it holds.
	void Apply(TProperty* property) const;

	bool Help() const { return mHelp; }
	bool ListFonts() const { return mListFonts; }
	bool UseSettings() const { return mUseSettings; }
	const BString& Text() const { return mText; }
	const BString& Output() const { return mOutput; }

	// The usage text, one option a line.
	static const char* Usage();

private:
	struct Option;
	static const Option kOptions[];

	status_t _Take(const Option& option, const char* value, BString* error);

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
