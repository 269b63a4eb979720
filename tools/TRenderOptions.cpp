#include "TRenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <TProperty.h>

#include "TOptionValue.h"

namespace {

// The largest source font size the font engine draws at; larger requests would silently
// give a smaller font than asked for.
constexpr int32 kMaxFontSize = 10000;

} // namespace

const TRenderOptions::Option TRenderOptions::kOptions[] = {
    {"help", 'h', false, kHelp, false},
    {"list-fonts", 0, false, kListFonts, false},
    {"list-presets", 0, false, kListPresets, false},
    {"settings", 0, false, kSettings, false},
    {"text", 't', true, kTextOption, false},
    {"output", 'o', true, kOutputOption, false},
    {"preset", 0, true, kPresetOption, false},
    {"batch", 0, true, kBatchOption, false},
    {"format", 0, true, kFormatOption, false},
    {"font-family", 0, true, kFamily, true},
    {"font-style", 0, true, kStyle, true},
    {"fg", 0, true, kForeground, true},
    {"bg", 0, true, kBackground, true},
    {"gap", 0, true, kGapColor, true},
    {"led-size", 0, true, kLEDSize, true},
    {"led-gap", 0, true, kLEDGap, true},
    {"rows", 0, true, kRows, true},
    {"margin-left", 0, true, kMarginLeft, true},
    {"margin-top", 0, true, kMarginTop, true},
    {"margin-right", 0, true, kMarginRight, true},
    {"margin-bottom", 0, true, kMarginBottom, true},
    {"margins", 0, true, kMargins, true},
    {"font-size", 0, true, kFontSize, true},
    {"correct", 0, false, kCorrect, true},
    {"no-correct", 0, false, kNoCorrect, true},
    {"lamp", 0, true, kLamp, true},
    {"corner-radius", 0, true, kCornerRadius, true},
    {"smooth", 0, false, kSmooth, true},
    {"no-smooth", 0, false, kNoSmooth, true},
    {"glow", 0, true, kGlow, true},
    {"glow-strength", 0, true, kGlowStrength, true},
    {"board-width", 0, true, kBoardWidth, true},
    {"align", 0, true, kAlign, true},
    {"animate", 0, true, kAnimate, true},
    {"fps", 0, true, kFps, true},
    {"speed", 0, true, kSpeed, true},
    {"hold-start", 0, true, kHoldStart, true},
    {"hold-end", 0, true, kHoldEnd, true},
    {"loop", 0, true, kLoop, true},
};

TRenderOptions::TRenderOptions()
    : mHelp(false), mListFonts(false), mUseSettings(false), mHaveText(false)
{
}

const TRenderOptions::Option* TRenderOptions::_Find(const char* name, size_t length)
{
	for (const Option& candidate : kOptions) {
		if (strlen(candidate.name) == length && strncmp(candidate.name, name, length) == 0)
			return &candidate;
	}
	return nullptr;
}

const char* TRenderOptions::Usage()
{
	return "Usage: glowplate-render --text TEXT -o FILE.png|.gif|.webp [options]\n"
	       "       glowplate-render --batch FILE -o FOLDER [options]\n"
	       "Renders an LED sign to a picture file. Unset options keep the defaults (or, with\n"
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
	       "\n"
	       "Lamps and board:\n"
	       "      --lamp SHAPE         square (default), rounded or round\n"
	       "      --corner-radius N    corner radius of rounded lamps in pixels (default 1)\n"
	       "      --smooth             smooth the lamps' edges; --no-smooth: hard edges\n"
	       "      --glow N             light around lit lamps, radius in pixels, 0 to 64\n"
	       "      --glow-strength S    strength of the glow, 0 to 4 (default 0.5)\n"
	       "      --board-width N      a board of N lamp columns, margins included\n"
	       "      --align WHERE        the text on the board: left, center or right\n"
	       "\n"
	       "Animation (written as GIF or WebP, after the output's extension):\n"
	       "      --animate MOTION     scroll (right to left through the board) or page\n"
	       "      --fps N              frames per second, 1 to 100 (default 25)\n"
	       "      --speed N            lamp columns per second (default 25)\n"
	       "      --hold-start S       seconds the first frame is held longer (default 1)\n"
	       "      --hold-end S         seconds the last frame is held longer (default 1)\n"
	       "      --loop N             times the animation plays, 0 for ever (default 0)\n"
	       "\n"
	       "      --preset NAME        start from a named look (see --list-presets)\n"
	       "      --batch FILE         one sign per line of FILE into the folder given with\n"
	       "                           -o, named by line number or by a name after a tab\n"
	       "      --format FORMAT      the batch's files: png, gif or webp\n"
	       "      --list-presets       list the presets and where they are\n"
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
			option = _Find(name, nameLength);
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
	if (mHelp || mListFonts || mListPresets)
		return B_OK;
	if (!mBatch.IsEmpty()) {
		if (mHaveText) {
			error->SetTo("--batch takes its texts from the file; --text cannot be given too");
			return B_BAD_VALUE;
		}
		if (mOutput.IsEmpty()) {
			error->SetTo("no output folder given (use -o FOLDER with --batch)");
			return B_BAD_VALUE;
		}
		return B_OK;
	}
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
		if (TOptionValue::Int32(value, minimum, INT32_MAX, &number))
			return true;
		error->SetToFormat("--%s must be a whole number of at least %d, not '%s'", option.name,
		                   (int)minimum, value);
		return false;
	};
	auto colour = [&](std::optional<rgb_color>& member) {
		if (!TOptionValue::Color(value, &color)) {
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
	case kListPresets:
		mListPresets = true;
		return B_OK;
	case kPresetOption:
		mPreset = value;
		return B_OK;
	case kBatchOption:
		mBatch = value;
		return B_OK;
	case kFormatOption: {
		static const char* const kFormats[] = {"png", "gif", "webp", nullptr};
		int32 index;
		if (!TOptionValue::Choice(value, kFormats, &index)) {
			error->SetToFormat("--format must be png, gif or webp, not '%s'", value);
			return B_BAD_VALUE;
		}
		mFormat = kFormats[index];
		return B_OK;
	}
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
			    !TOptionValue::Int32(BString(part, length).String(), 0, INT32_MAX, &margins[i])) {
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
		if (!TOptionValue::Int32(value, 1, kMaxFontSize, &number)) {
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
	default:
		return _TakeBoard(option, value, error);
	}
}

status_t TRenderOptions::ParsePreset(const char* text, BString* error)
{
	int32 lineNumber = 0;
	for (const char* line = text; line != nullptr && *line != '\0';) {
		const char* end = strchr(line, '\n');
		BString entry(line, end != nullptr ? (int32)(end - line) : (int32)strlen(line));
		line = end != nullptr ? end + 1 : nullptr;
		lineNumber++;
		entry.Trim();
		if (entry.IsEmpty() || entry[0] == '#')
			continue;
		const int32 equals = entry.FindFirst('=');
		BString name = equals >= 0 ? BString(entry.String(), equals) : entry;
		BString value = equals >= 0 ? BString(entry.String() + equals + 1) : BString();
		name.Trim();
		value.Trim();
		const Option* option = _Find(name.String(), name.Length());
		if (option == nullptr || !option->inPreset) {
			error->SetToFormat("line %d: '%s' is not a look a preset can set", (int)lineNumber,
			                   name.String());
			return B_BAD_VALUE;
		}
		if (option->takesValue != (equals >= 0)) {
			error->SetToFormat(option->takesValue ? "line %d: %s needs '= value'"
			                                      : "line %d: %s takes no value",
			                   (int)lineNumber, name.String());
			return B_BAD_VALUE;
		}
		BString reason;
		if (_Take(*option, option->takesValue ? value.String() : nullptr, &reason) != B_OK) {
			error->SetToFormat("line %d: %s", (int)lineNumber, reason.String());
			return B_BAD_VALUE;
		}
	}
	return B_OK;
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
