// The drawing state of BView: colours, modes, pen, origin, font, and the state stack.
#include <View.h>

#include <cmath>

#include "ViewHost.h"
#include "ViewPrivate.h"

using namespace BPrivate;

void BView::SetHighColor(rgb_color color)
{
	fState.high = color;
	fArchivingFlags |= kViewArchiveHighColor;
}

void BView::SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetHighColor(make_color(red, green, blue, alpha));
}

void BView::SetLowColor(rgb_color color)
{
	fState.low = color;
	fArchivingFlags |= kViewArchiveLowColor;
}

void BView::SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetLowColor(make_color(red, green, blue, alpha));
}

void BView::SetViewColor(rgb_color color)
{
	fViewColor = color;
	fArchivingFlags |= kViewArchiveViewColor;
	Invalidate();
}

void BView::SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
	SetViewColor(make_color(red, green, blue, alpha));
}

void BView::SetDrawingMode(drawing_mode mode)
{
	if (mode < B_OP_COPY || mode > B_OP_ALPHA)
		return;
	fState.mode = mode;
	fArchivingFlags |= kViewArchiveDrawingMode;
}

void BView::SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
{
	fState.alphaSource = srcAlpha == B_CONSTANT_ALPHA ? B_CONSTANT_ALPHA : B_PIXEL_ALPHA;
	fState.alphaFunction = alphaFunc == B_ALPHA_COMPOSITE ? B_ALPHA_COMPOSITE : B_ALPHA_OVERLAY;
	fArchivingFlags |= kViewArchiveBlending;
}

void BView::GetBlendingMode(source_alpha* srcAlpha, alpha_function* alphaFunc) const
{
	if (srcAlpha != nullptr)
		*srcAlpha = fState.alphaSource;
	if (alphaFunc != nullptr)
		*alphaFunc = fState.alphaFunction;
}

void BView::SetPenSize(float size)
{
	if (!std::isfinite(size))
		return;
	fState.penSize = size < 0 ? 0 : size;
	fArchivingFlags |= kViewArchivePenSize;
}

void BView::MovePenTo(BPoint point)
{
	if (!std::isfinite(point.x) || !std::isfinite(point.y))
		return;
	fState.pen = point;
	fArchivingFlags |= kViewArchivePenLocation;
}

void BView::MovePenTo(float x, float y)
{
	MovePenTo(BPoint(x, y));
}

void BView::MovePenBy(float x, float y)
{
	MovePenTo(BPoint(fState.pen.x + x, fState.pen.y + y));
}

void BView::SetLineMode(cap_mode lineCap, join_mode lineJoin, float miterLimit)
{
	fState.cap = lineCap;
	fState.join = lineJoin;
	fState.miterLimit = std::isfinite(miterLimit) ? miterLimit : B_DEFAULT_MITER_LIMIT;
	fArchivingFlags |= kViewArchiveLineModes;
}

void BView::SetOrigin(BPoint origin)
{
	if (!std::isfinite(origin.x) || !std::isfinite(origin.y))
		return;
	fState.origin = origin;
	fArchivingFlags |= kViewArchiveOrigin;
}

void BView::SetOrigin(float x, float y)
{
	SetOrigin(BPoint(x, y));
}

void BView::PushState()
{
	fStateStack.push_back(fState);
	// A pushed state starts a local coordinate system, as on the platform: the saved
	// origins stay in force and the new one, starting at (0, 0), adds to them.
	fState.origin = BPoint(0, 0);
}

void BView::PopState()
{
	if (fStateStack.empty())
		return;
	fState = fStateStack.back();
	fStateStack.pop_back();
}

// #pragma mark - font

void BView::SetFont(const BFont* font, uint32 mask)
{
	if (font == nullptr || mask == 0)
		return;
	BFont& mine = fState.font;
	if (mask == B_FONT_ALL) {
		mine = *font;
	} else {
		if ((mask & B_FONT_FAMILY_AND_STYLE) != 0)
			mine.SetFamilyAndStyle(font->FamilyAndStyle());
		if ((mask & B_FONT_SIZE) != 0)
			mine.SetSize(font->Size());
		if ((mask & B_FONT_SHEAR) != 0)
			mine.SetShear(font->Shear());
		if ((mask & B_FONT_ROTATION) != 0)
			mine.SetRotation(font->Rotation());
		if ((mask & B_FONT_FALSE_BOLD_WIDTH) != 0)
			mine.SetFalseBoldWidth(font->FalseBoldWidth());
		if ((mask & B_FONT_SPACING) != 0)
			mine.SetSpacing(font->Spacing());
		if ((mask & B_FONT_ENCODING) != 0)
			mine.SetEncoding(font->Encoding());
		if ((mask & B_FONT_FACE) != 0)
			mine.SetFace(font->Face());
		if ((mask & B_FONT_FLAGS) != 0)
			mine.SetFlags(font->Flags());
	}
	fArchivingFlags |= kViewArchiveFont;
}

void BView::GetFont(BFont* font) const
{
	if (font != nullptr)
		*font = fState.font;
}

void BView::SetFontSize(float size)
{
	BFont font;
	font.SetSize(size);
	SetFont(&font, B_FONT_SIZE);
}

void BView::ForceFontAliasing(bool enable)
{
	uint32 flags = fState.font.Flags();
	fState.font.SetFlags(enable ? (flags | B_DISABLE_ANTIALIASING)
	                            : (flags & ~B_DISABLE_ANTIALIASING));
}

void BView::GetFontHeight(font_height* height) const
{
	fState.font.GetHeight(height);
}

float BView::StringWidth(const char* string) const
{
	return fState.font.StringWidth(string);
}

float BView::StringWidth(const char* string, int32 length) const
{
	return fState.font.StringWidth(string, length);
}

void BView::GetStringWidths(char* stringArray[], int32 lengthArray[], int32 numStrings,
                            float widthArray[]) const
{
	fState.font.GetStringWidths(const_cast<const char**>(stringArray), lengthArray, numStrings,
	                            widthArray);
}

void BView::TruncateString(BString* in_out, uint32 mode, float width) const
{
	fState.font.TruncateString(in_out, mode, width);
}
