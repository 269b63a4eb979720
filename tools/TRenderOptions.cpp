#include "TRenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <TProperty.h>

namespace {

enum Kind {
	kHelp,
	kListFonts,
	kSettings,
	kTextOption,
	kOutputOption,
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
};

// The largest source font size the font engine draws at; larger requests would silently
// give a smaller font than asked for.
constexpr int32 kMaxFontSize = 10000;

// A whole number in [minimum, INT32_MAX], written in decimal without anything around it.
bool parse_int32(const char* text, int32 minimum, int32* value)
{
	if (text == nullptr || *text == '\0')
		return false;
	errno = 0;
	char* end = nullptr;
	long long parsed = strtoll(text, &end, 10);
	if (errno != 0 || end == text || *end != '\0' || parsed < minimum || parsed > INT32_MAX)
		return false;
	*value = (int32)parsed;
	return true;
}

int hex_digit(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

// RRGGBB or RRGGBBAA, with or without a leading '#'; the alpha defaults to opaque.
bool parse_color(const char* text, rgb_color* color)
{
	if (text[0] == '#')
		text++;
	const size_t length = strlen(text);
	if (length != 6 && length != 8)
		return false;
	uint8 bytes[4] = {0, 0, 0, 255};
	for (size_t i = 0; i < length; i += 2) {
		const int high = hex_digit(text[i]);
		const int low = hex_digit(text[i + 1]);
		if (high < 0 || low < 0)
			return false;
		bytes[i / 2] = (uint8)(high * 16 + low);
	}
	*color = make_color(bytes[0], bytes[1], bytes[2], bytes[3]);
	return true;
}

} // namespace

struct TRenderOptions::Option {
	const char* name;
	char shortName;
	bool takesValue;
	Kind kind;
};

const TRenderOptions::Option TRenderOptions::kOptions[] = {
    {"help", 'h', false, kHelp},
    {"list-fonts", 0, false, kListFonts},
    {"settings", 0, false, kSettings},
    {"text", 't', true, kTextOption},
    {"output", 'o', true, kOutputOption},
    {"font-family", 0, true, kFamily},
    {"font-style", 0, true, kStyle},
    {"fg", 0, true, kForeground},
    {"bg", 0, true, kBackground},
    {"gap", 0, true, kGapColor},
    {"led-size", 0, true, kLEDSize},
    {"led-gap", 0, true, kLEDGap},
    {"rows", 0, true, kRows},
    {"margin-left", 0, true, kMarginLeft},
    {"margin-top", 0, true, kMarginTop},
    {"margin-right", 0, true, kMarginRight},
    {"margin-bottom", 0, true, kMarginBottom},
    {"margins", 0, true, kMargins},
    {"font-size", 0, true, kFontSize},
    {"correct", 0, false, kCorrect},
    {"no-correct", 0, false, kNoCorrect},
};

TRenderOptions::TRenderOptions()
    : mHelp(false), mListFonts(false), mUseSettings(false), mHaveText(false)
{
}

const char* TRenderOptions::Usage()
{
	return "Usage: glowplate-render --text TEXT -o FILE.png [options]\n"
	       "Renders one LED sign to a PNG file. Unset options keep the defaults (or, with\n"
	       "--settings, the parameters the application saved).\n"
	       "\n"
	       "  -t, --text TEXT          the sign text, one line of UTF-8\n"
	       "  -o, --output FILE        the PNG file to write (replaced only when complete)\n"
	       "      --settings           start from the sign parameters the application saved\n"
	       "      --font-family NAME   font family (default Haru, else the plain font)\n"
	       "      --font-style NAME    font style (default Regular)\n"
	       "      --fg RRGGBB[AA]      colour of a lit lamp (default FFFFFF)\n"
	       "      --bg RRGGBB[AA]      colour of an unlit lamp (default 008000)\n"
	       "      --gap RRGGBB[AA]     colour between the lamps (default 000000)\n"
	       "      --led-size N         lamp edge in pixels, at least 1 (default 2)\n"
	       "      --led-gap N          pixels between lamps, at least 0 (default 1)\n"
	       "      --rows N             lamp rows of the text line, at least 1 (default 24)\n"
	       "      --margin-left N      unlit lamp columns on the left, at least 0 (default 0)\n"
	       "      --margin-top N       unlit lamp rows on top (default 0)\n"
	       "      --margin-right N     unlit lamp columns on the right (default 0)\n"
	       "      --margin-bottom N    unlit lamp rows at the bottom (default 0)\n"
	       "      --margins L,T,R,B    all four margins at once\n"
	       "      --font-size N        rasterising font size, 1 to 10000 (default 200)\n"
	       "      --correct            show thin horizontal strokes between rows (default)\n"
	       "      --no-correct         do not\n"
	       "      --list-fonts         list the installed font families and styles\n"
	       "  -h, --help               show this text\n";
}

status_t TRenderOptions::Parse(int argc, const char* const* argv, BString* error)
{
	for (int i = 1; i < argc; i++) {
		const char* argument = argv[i];
		const Option* option = nullptr;
		const char* value = nullptr;
		if (argument[0] == '-' && argument[1] == '-' && argument[2] != '\0') {
			const char* name = argument + 2;
			const char* equals = strchr(name, '=');
			const size_t nameLength = equals != nullptr ? (size_t)(equals - name) : strlen(name);
			for (const Option& candidate : kOptions) {
				if (strlen(candidate.name) == nameLength &&
				    strncmp(candidate.name, name, nameLength) == 0)
					option = &candidate;
			}
			if (option != nullptr && equals != nullptr) {
				if (!option->takesValue) {
					error->SetToFormat("option --%s takes no value", option->name);
					return B_BAD_VALUE;
				}
				value = equals + 1;
			}
		} else if (argument[0] == '-' && argument[1] != '\0' && argument[2] == '\0') {
			for (const Option& candidate : kOptions) {
				if (candidate.shortName != 0 && candidate.shortName == argument[1])
					option = &candidate;
			}
		}
		if (option == nullptr) {
			error->SetToFormat("unknown option '%s' (see --help)", argument);
			return B_BAD_VALUE;
		}
		if (option->takesValue && value == nullptr) {
			if (i + 1 >= argc) {
				error->SetToFormat("option --%s needs a value", option->name);
				return B_BAD_VALUE;
			}
			value = argv[++i];
		}
		if (_Take(*option, value, error) != B_OK)
			return B_BAD_VALUE;
	}
	if (mHelp || mListFonts)
		return B_OK;
	if (!mHaveText || mText.IsEmpty()) {
		error->SetTo(mHaveText ? "the text is empty" : "no text given (use --text)");
		return B_BAD_VALUE;
	}
	if (mOutput.IsEmpty()) {
		error->SetTo("no output file given (use -o FILE.png)");
		return B_BAD_VALUE;
	}
	return B_OK;
}

status_t TRenderOptions::_Take(const Option& option, const char* value, BString* error)
{
	int32 number = 0;
	rgb_color color;
	auto whole = [&](int32 minimum) {
		if (parse_int32(value, minimum, &number))
			return true;
		error->SetToFormat("--%s must be a whole number of at least %d, not '%s'", option.name,
		                   (int)minimum, value);
		return false;
	};
	auto colour = [&](std::optional<rgb_color>& member) {
		if (!parse_color(value, &color)) {
			error->SetToFormat("--%s must be a colour as RRGGBB or RRGGBBAA in hex, not '%s'",
			                   option.name, value);
			return false;
		}
		member = color;
		return true;
	};

	switch (option.kind) {
	case kHelp:
		mHelp = true;
		return B_OK;
	case kListFonts:
		mListFonts = true;
		return B_OK;
	case kSettings:
		mUseSettings = true;
		return B_OK;
	case kTextOption:
		mText = value;
		mHaveText = true;
		return B_OK;
	case kOutputOption:
		mOutput = value;
		return B_OK;
	case kFamily:
		mFontFamily = BString(value);
		return B_OK;
	case kStyle:
		mFontStyle = BString(value);
		return B_OK;
	case kForeground:
		return colour(mColors[TProperty::kColorFG]) ? B_OK : B_BAD_VALUE;
	case kBackground:
		return colour(mColors[TProperty::kColorBG]) ? B_OK : B_BAD_VALUE;
	case kGapColor:
		return colour(mColors[TProperty::kColorGap]) ? B_OK : B_BAD_VALUE;
	case kLEDSize:
		if (!whole(1))
			return B_BAD_VALUE;
		mLEDSize = number;
		return B_OK;
	case kLEDGap:
		if (!whole(0))
			return B_BAD_VALUE;
		mLEDGap = number;
		return B_OK;
	case kRows:
		if (!whole(1))
			return B_BAD_VALUE;
		mRows = number;
		return B_OK;
	case kMarginLeft:
	case kMarginTop:
	case kMarginRight:
	case kMarginBottom:
		if (!whole(0))
			return B_BAD_VALUE;
		mMargin[option.kind - kMarginLeft] = number;
		return B_OK;
	case kMargins: {
		int32 margins[4];
		const char* part = value;
		for (int32 i = 0; i < 4; i++) {
			const char* comma = strchr(part, ',');
			const bool last = i == 3;
			const int32 length = (int32)(comma != nullptr ? comma - part : strlen(part));
			if ((comma == nullptr) != last ||
			    !parse_int32(BString(part, length).String(), 0, &margins[i])) {
				error->SetToFormat(
				    "--margins must be four whole numbers of at least 0 as L,T,R,B, not '%s'",
				    value);
				return B_BAD_VALUE;
			}
			if (!last)
				part = comma + 1;
		}
		for (int32 i = 0; i < 4; i++)
			mMargin[i] = margins[i];
		return B_OK;
	}
	case kFontSize:
		if (!parse_int32(value, 1, &number) || number > kMaxFontSize) {
			error->SetToFormat("--font-size must be a whole number from 1 to %d, not '%s'",
			                   (int)kMaxFontSize, value);
			return B_BAD_VALUE;
		}
		mFontSize = (float)number;
		return B_OK;
	case kCorrect:
		mCorrect = true;
		return B_OK;
	case kNoCorrect:
		mCorrect = false;
		return B_OK;
	}
	return B_BAD_VALUE;
}

void TRenderOptions::Apply(TProperty* property) const
{
	if (mFontFamily)
		property->mFontFamily = *mFontFamily;
	if (mFontStyle)
		property->mFontStyle = *mFontStyle;
	for (int32 i = 0; i < TProperty::kColorCount; i++) {
		if (mColors[i])
			property->mColors[i] = *mColors[i];
	}
	if (mLEDSize)
		property->mLEDSize = *mLEDSize;
	if (mLEDGap)
		property->mLEDGap = *mLEDGap;
	if (mRows)
		property->mResolutionY = *mRows;
	for (int32 i = 0; i < 4; i++) {
		if (mMargin[i])
			property->mMargin[i] = *mMargin[i];
	}
	if (mFontSize)
		property->mSrcScreenFontSize = *mFontSize;
	if (mCorrect)
		property->mCorrectHoarse = *mCorrect;
}
