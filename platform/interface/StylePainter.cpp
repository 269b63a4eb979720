#include "StylePainter.h"

#include <algorithm>
#include <cmath>

#include <String.h>
#include <View.h>

namespace BPrivate {

namespace {

rgb_color mix(rgb_color from, rgb_color to, float amount)
{
	auto channel = [amount](uint8 a, uint8 b) {
		return (uint8)std::lround(a + (b - a) * std::clamp(amount, 0.0f, 1.0f));
	};
	return make_color(channel(from.red, to.red), channel(from.green, to.green),
	                  channel(from.blue, to.blue), 255);
}

rgb_color grey(uint8 level)
{
	return make_color(level, level, level);
}

// Saves the view's drawing state for one drawing function and restores it at the end.
class StateKeeper {
public:
	explicit StateKeeper(BView* view) : fView(view)
	{
		fView->PushState();
		fView->SetDrawingMode(B_OP_COPY);
		fView->SetPenSize(1);
	}
	~StateKeeper() { fView->PopState(); }

private:
	BView* fView;
};

void fill(BView* view, BRect rect, rgb_color color)
{
	if (!rect.IsValid())
		return;
	view->SetHighColor(color);
	view->FillRect(rect);
}

void line(BView* view, float x0, float y0, float x1, float y1, rgb_color color)
{
	view->SetHighColor(color);
	view->StrokeLine(BPoint(x0, y0), BPoint(x1, y1));
}

// A one-pixel outline whose corner pixels are left out, which reads as slightly rounded.
void rounded_outline(BView* view, BRect r, rgb_color color)
{
	if (r.Width() < 2 || r.Height() < 2) {
		view->SetHighColor(color);
		view->StrokeRect(r);
		return;
	}
	line(view, r.left + 1, r.top, r.right - 1, r.top, color);
	line(view, r.left + 1, r.bottom, r.right - 1, r.bottom, color);
	line(view, r.left, r.top + 1, r.left, r.bottom - 1, color);
	line(view, r.right, r.top + 1, r.right, r.bottom - 1, color);
}

// A filled triangle pointing in the direction, centred in the rectangle, by spans.
void triangle(BView* view, BRect rect, StylePainter::Direction direction, rgb_color color)
{
	float size = std::floor(std::min(rect.Width(), rect.Height()) / 2);
	int32 half = (int32)std::clamp(size, 2.0f, 5.0f);
	float cx = std::floor((rect.left + rect.right) / 2);
	float cy = std::floor((rect.top + rect.bottom) / 2);
	view->SetHighColor(color);
	for (int32 i = 0; i < half; i++) {
		float from = -(half - 1 - i), to = half - 1 - i;
		switch (direction) {
		case StylePainter::kDown:
			view->FillRect(BRect(cx + from, cy - half / 2 + i, cx + to, cy - half / 2 + i));
			break;
		case StylePainter::kUp:
			view->FillRect(BRect(cx + from, cy + half / 2 - i, cx + to, cy + half / 2 - i));
			break;
		case StylePainter::kRight:
			view->FillRect(BRect(cx - half / 2 + i, cy + from, cx - half / 2 + i, cy + to));
			break;
		case StylePainter::kLeft:
			view->FillRect(BRect(cx + half / 2 - i, cy + from, cx + half / 2 - i, cy + to));
			break;
		}
	}
}

// A check mark of two strokes in the square.
void check_mark(BView* view, BRect box, rgb_color color)
{
	view->SetHighColor(color);
	view->SetPenSize(2);
	float size = box.Width();
	BPoint a(box.left + size * 0.22f, box.top + size * 0.50f);
	BPoint b(box.left + size * 0.42f, box.top + size * 0.72f);
	BPoint c(box.left + size * 0.80f, box.top + size * 0.24f);
	view->StrokeLine(a, b);
	view->StrokeLine(b, c);
	view->SetPenSize(1);
}

} // namespace

// #pragma mark - colours

rgb_color StylePainter::PanelColor()
{
	return ui_color(B_PANEL_BACKGROUND_COLOR);
}

rgb_color StylePainter::TextColor(uint32 flags)
{
	rgb_color text = ui_color(B_CONTROL_TEXT_COLOR);
	return (flags & kDisabled) != 0 ? mix(text, PanelColor(), 0.55f) : text;
}

rgb_color StylePainter::BorderColor(uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return grey(180);
	if ((flags & kFocused) != 0)
		return HighlightColor();
	return grey(146);
}

rgb_color StylePainter::FaceColor(uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return grey(226);
	if ((flags & kPressed) != 0)
		return grey(196);
	if ((flags & kHovered) != 0)
		return grey(248);
	return grey(238);
}

rgb_color StylePainter::FieldColor(uint32 flags)
{
	return (flags & kDisabled) != 0 ? grey(232) : ui_color(B_DOCUMENT_BACKGROUND_COLOR);
}

rgb_color StylePainter::HighlightColor()
{
	return ui_color(B_CONTROL_HIGHLIGHT_COLOR);
}

rgb_color StylePainter::MarkColor(uint32 flags)
{
	return (flags & kDisabled) != 0 ? grey(150) : ui_color(B_CONTROL_MARK_COLOR);
}

rgb_color StylePainter::SelectionColor(uint32 flags)
{
	return (flags & kFocused) != 0 ? HighlightColor() : grey(200);
}

rgb_color StylePainter::SelectedTextColor(uint32 flags)
{
	return (flags & kFocused) != 0 ? make_color(255, 255, 255) : ui_color(B_DOCUMENT_TEXT_COLOR);
}

// #pragma mark - text

float StylePainter::LineHeight(BView* view)
{
	font_height metrics;
	view->GetFontHeight(&metrics);
	return std::ceil(metrics.ascent + metrics.descent);
}

float StylePainter::Baseline(BView* view, BRect rect)
{
	font_height metrics;
	view->GetFontHeight(&metrics);
	float pixels = rect.Height() + 1;
	float top = rect.top + (pixels - (metrics.ascent + metrics.descent)) / 2;
	return std::floor(top + metrics.ascent + 0.5f);
}

void StylePainter::DrawLabel(BView* view, BRect rect, const char* label, alignment align,
                             uint32 flags, rgb_color* color)
{
	if (label == nullptr || *label == '\0' || !rect.IsValid())
		return;
	StateKeeper keeper(view);
	BString text(label);
	float width = view->StringWidth(text.String());
	if (width > rect.Width() + 1) {
		view->TruncateString(&text, B_TRUNCATE_END, rect.Width() + 1);
		width = view->StringWidth(text.String());
	}
	float x = rect.left;
	if (align == B_ALIGN_CENTER)
		x = std::floor(rect.left + (rect.Width() + 1 - width) / 2);
	else if (align == B_ALIGN_RIGHT)
		x = std::floor(rect.right + 1 - width);
	// Blended over whatever lies under the text, so labels sit on any face.
	view->SetDrawingMode(B_OP_OVER);
	view->SetHighColor(color != nullptr ? *color : TextColor(flags));
	view->DrawString(text.String(), BPoint(x, Baseline(view, rect)));
}

// #pragma mark - buttons

void StylePainter::DrawButton(BView* view, BRect rect, uint32 flags)
{
	StateKeeper keeper(view);
	BRect frame = rect;
	if ((flags & kDefault) != 0 && frame.Width() > 6 && frame.Height() > 6) {
		rounded_outline(view, frame, (flags & kDisabled) != 0 ? grey(190) : HighlightColor());
		frame.InsetBy(1, 1);
	}
	rgb_color face = FaceColor(flags);
	fill(view, frame.InsetByCopy(1, 1), face);
	// A light top and a shaded bottom inside the border lift the face; pressed, it is flat.
	if ((flags & (kPressed | kDisabled)) == 0 && frame.Height() > 4) {
		line(view, frame.left + 1, frame.top + 1, frame.right - 1, frame.top + 1,
		     mix(face, make_color(255, 255, 255), 0.7f));
		line(view, frame.left + 1, frame.bottom - 1, frame.right - 1, frame.bottom - 1,
		     mix(face, grey(0), 0.08f));
	}
	rounded_outline(view, frame, BorderColor(flags & ~kFocused));
	if ((flags & kFocused) != 0 && frame.Width() > 6 && frame.Height() > 6) {
		view->SetHighColor(HighlightColor());
		view->StrokeRect(frame.InsetByCopy(2, 2));
	}
}

void StylePainter::DrawButtonLabel(BView* view, BRect rect, const char* label, uint32 flags)
{
	BRect area = rect.InsetByCopy(3, 1);
	if ((flags & kPressed) != 0)
		area.OffsetBy(0, 1);
	DrawLabel(view, area, label, B_ALIGN_CENTER, flags);
}

// #pragma mark - marks

BRect StylePainter::MarkRect(BView* view, BRect bounds)
{
	float top = std::floor(bounds.top + (bounds.Height() + 1 - kCheckMarkSize) / 2);
	return BRect(bounds.left + 1, top, bounds.left + kCheckMarkSize, top + kCheckMarkSize - 1);
}

void StylePainter::DrawCheckBox(BView* view, BRect box, uint32 flags)
{
	StateKeeper keeper(view);
	fill(view, box.InsetByCopy(1, 1), (flags & kPressed) != 0 ? grey(220) : FieldColor(flags));
	view->SetHighColor(BorderColor(flags));
	view->StrokeRect(box);
	if ((flags & kFocused) != 0) {
		view->SetHighColor(mix(HighlightColor(), make_color(255, 255, 255), 0.5f));
		view->StrokeRect(box.InsetByCopy(1, 1));
	}
	if ((flags & kMarked) != 0)
		check_mark(view, box, MarkColor(flags));
}

void StylePainter::DrawRadioButton(BView* view, BRect box, uint32 flags)
{
	StateKeeper keeper(view);
	BPoint centre((box.left + box.right) / 2, (box.top + box.bottom) / 2);
	float radius = (box.Width() + 1) / 2;
	rgb_color background = view->ViewColor();
	if (background == B_TRANSPARENT_COLOR)
		background = PanelColor();
	rgb_color border = BorderColor(flags);
	rgb_color field = (flags & kPressed) != 0 ? grey(220) : FieldColor(flags);
	FillDisc(view, centre, radius, border, background);
	FillDisc(view, centre, radius - 1.2f, field, border);
	if ((flags & kMarked) != 0)
		FillDisc(view, centre, radius * 0.42f, MarkColor(flags), field);
}

void StylePainter::DrawFocusUnderline(BView* view, BRect labelRect, uint32 flags)
{
	if ((flags & kFocused) == 0)
		return;
	StateKeeper keeper(view);
	line(view, labelRect.left, labelRect.bottom, labelRect.right, labelRect.bottom,
	     HighlightColor());
}

// #pragma mark - fields

void StylePainter::DrawTextField(BView* view, BRect rect, uint32 flags)
{
	StateKeeper keeper(view);
	fill(view, rect.InsetByCopy(1, 1), FieldColor(flags));
	if ((flags & kDisabled) == 0)
		line(view, rect.left + 1, rect.top + 1, rect.right - 1, rect.top + 1, grey(236));
	view->SetHighColor(BorderColor(flags));
	view->StrokeRect(rect);
	if ((flags & kFocused) != 0) {
		view->SetHighColor(mix(HighlightColor(), make_color(255, 255, 255), 0.45f));
		view->StrokeRect(rect.InsetByCopy(1, 1));
	}
}

void StylePainter::DrawMenuField(BView* view, BRect rect, uint32 flags)
{
	DrawButton(view, rect, flags & ~kDefault);
	StateKeeper keeper(view);
	BRect arrow(rect.right - 14, rect.top + 2, rect.right - 3, rect.bottom - 2);
	triangle(view, arrow, kDown, TextColor(flags));
}

BRect StylePainter::MenuFieldTextRect(BRect rect)
{
	return BRect(rect.left + 6, rect.top + 1, rect.right - 17, rect.bottom - 1);
}

void StylePainter::DrawArrow(BView* view, BRect rect, Direction direction, uint32 flags,
                             const rgb_color* color)
{
	StateKeeper keeper(view);
	triangle(view, rect, direction, color != nullptr ? *color : TextColor(flags));
}

// #pragma mark - menus

void StylePainter::DrawMenuBackground(BView* view, BRect bounds)
{
	StateKeeper keeper(view);
	fill(view, bounds, mix(ui_color(B_MENU_BACKGROUND_COLOR), make_color(255, 255, 255), 0.55f));
	DrawMenuFrame(view, bounds);
}

void StylePainter::DrawMenuFrame(BView* view, BRect bounds)
{
	StateKeeper keeper(view);
	view->SetHighColor(grey(150));
	view->StrokeRect(bounds);
}

void StylePainter::DrawMenuBarBackground(BView* view, BRect bounds)
{
	StateKeeper keeper(view);
	fill(view, bounds, ui_color(B_MENU_BACKGROUND_COLOR));
	line(view, bounds.left, bounds.bottom, bounds.right, bounds.bottom, grey(176));
}

void StylePainter::DrawMenuItemBackground(BView* view, BRect rect, uint32 flags)
{
	if ((flags & kSelected) == 0 || (flags & kDisabled) != 0)
		return;
	StateKeeper keeper(view);
	fill(view, rect, HighlightColor());
}

rgb_color StylePainter::MenuItemTextColor(uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return grey(150);
	if ((flags & kSelected) != 0)
		return make_color(255, 255, 255);
	return ui_color(B_MENU_ITEM_TEXT_COLOR);
}

rgb_color StylePainter::MenuShortcutColor(uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return grey(170);
	if ((flags & kSelected) != 0)
		return mix(make_color(255, 255, 255), HighlightColor(), 0.3f);
	return mix(ui_color(B_MENU_ITEM_TEXT_COLOR), ui_color(B_MENU_BACKGROUND_COLOR), 0.45f);
}

void StylePainter::DrawMenuMark(BView* view, BRect rect, uint32 flags)
{
	StateKeeper keeper(view);
	float size = std::min(rect.Width(), rect.Height());
	float left = std::floor(rect.left + (rect.Width() - size) / 2);
	float top = std::floor(rect.top + (rect.Height() - size) / 2);
	check_mark(view, BRect(left, top, left + size, top + size), MenuItemTextColor(flags));
}

void StylePainter::DrawSeparator(BView* view, BRect rect, orientation direction)
{
	StateKeeper keeper(view);
	if (direction == B_HORIZONTAL) {
		float y = std::floor((rect.top + rect.bottom) / 2);
		line(view, rect.left, y, rect.right, y, grey(190));
		line(view, rect.left, y + 1, rect.right, y + 1, grey(252));
	} else {
		float x = std::floor((rect.left + rect.right) / 2);
		line(view, x, rect.top, x, rect.bottom, grey(190));
		line(view, x + 1, rect.top, x + 1, rect.bottom, grey(252));
	}
}

// #pragma mark - scroll bars

void StylePainter::DrawScrollBarTrack(BView* view, BRect rect, orientation direction,
                                      uint32 flags)
{
	StateKeeper keeper(view);
	fill(view, rect, (flags & kDisabled) != 0 ? grey(222) : grey(228));
	view->SetHighColor(grey(176));
	view->StrokeRect(rect);
}

void StylePainter::DrawScrollBarThumb(BView* view, BRect rect, orientation direction,
                                      uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return;
	StateKeeper keeper(view);
	rgb_color face = FaceColor(flags & ~kFocused);
	fill(view, rect.InsetByCopy(1, 1), face);
	rounded_outline(view, rect, grey(146));
	// Three grip lines in the middle of a thumb long enough to hold them.
	BPoint centre(std::floor((rect.left + rect.right) / 2), std::floor((rect.top + rect.bottom) / 2));
	rgb_color grip = grey(168);
	if (direction == B_HORIZONTAL && rect.Width() > 16) {
		for (int i = -3; i <= 3; i += 3)
			line(view, centre.x + i, rect.top + 4, centre.x + i, rect.bottom - 4, grip);
	} else if (direction == B_VERTICAL && rect.Height() > 16) {
		for (int i = -3; i <= 3; i += 3)
			line(view, rect.left + 4, centre.y + i, rect.right - 4, centre.y + i, grip);
	}
}

void StylePainter::DrawScrollBarButton(BView* view, BRect rect, Direction direction,
                                       uint32 flags)
{
	StateKeeper keeper(view);
	rgb_color face = FaceColor(flags & ~kFocused);
	fill(view, rect.InsetByCopy(1, 1), face);
	view->SetHighColor(grey(176));
	view->StrokeRect(rect);
	triangle(view, rect.InsetByCopy(2, 2), direction, TextColor(flags));
}

// #pragma mark - lists and borders

void StylePainter::DrawListRow(BView* view, BRect rect, uint32 flags)
{
	StateKeeper keeper(view);
	fill(view, rect, (flags & kSelected) != 0 ? SelectionColor(flags) : FieldColor(flags));
}

rgb_color StylePainter::ListRowTextColor(uint32 flags)
{
	if ((flags & kDisabled) != 0)
		return grey(150);
	if ((flags & kSelected) != 0)
		return SelectedTextColor(flags);
	return ui_color(B_LIST_ITEM_TEXT_COLOR);
}

void StylePainter::DrawBoxFrame(BView* view, BRect bounds, border_style border, BRect labelRect)
{
	if (border == B_NO_BORDER)
		return;
	StateKeeper keeper(view);
	rgb_color dark = grey(166);
	rgb_color light = grey(246);
	float top = bounds.top;
	if (labelRect.IsValid())
		top = std::floor((labelRect.top + labelRect.bottom) / 2);
	auto topLine = [&](float y, rgb_color color) {
		if (!labelRect.IsValid()) {
			line(view, bounds.left, y, bounds.right, y, color);
			return;
		}
		// The line stops short of the label and starts again after it.
		if (labelRect.left - 3 > bounds.left)
			line(view, bounds.left, y, labelRect.left - 3, y, color);
		if (labelRect.right + 3 < bounds.right)
			line(view, labelRect.right + 3, y, bounds.right, y, color);
	};
	if (border == B_PLAIN_BORDER) {
		topLine(top, dark);
		line(view, bounds.left, top, bounds.left, bounds.bottom, dark);
		line(view, bounds.right, top, bounds.right, bounds.bottom, dark);
		line(view, bounds.left, bounds.bottom, bounds.right, bounds.bottom, dark);
		return;
	}
	// Etched: a dark line with a light one beside it.
	topLine(top, dark);
	topLine(top + 1, light);
	line(view, bounds.left, top, bounds.left, bounds.bottom - 1, dark);
	line(view, bounds.left + 1, top + 1, bounds.left + 1, bounds.bottom - 1, light);
	line(view, bounds.right - 1, top, bounds.right - 1, bounds.bottom - 1, dark);
	line(view, bounds.right, top, bounds.right, bounds.bottom, light);
	line(view, bounds.left, bounds.bottom - 1, bounds.right - 1, bounds.bottom - 1, dark);
	line(view, bounds.left, bounds.bottom, bounds.right, bounds.bottom, light);
}

void StylePainter::DrawSunkenBorder(BView* view, BRect bounds, border_style border,
                                    uint32 flags)
{
	if (border == B_NO_BORDER)
		return;
	StateKeeper keeper(view);
	if (border == B_PLAIN_BORDER) {
		view->SetHighColor((flags & kFocused) != 0 ? HighlightColor() : grey(146));
		view->StrokeRect(bounds);
		return;
	}
	if ((flags & kFocused) != 0) {
		view->SetHighColor(HighlightColor());
		view->StrokeRect(bounds);
		view->SetHighColor(mix(HighlightColor(), make_color(255, 255, 255), 0.45f));
		view->StrokeRect(bounds.InsetByCopy(1, 1));
		return;
	}
	StrokeFrame(view, bounds, grey(160), grey(250));
	StrokeFrame(view, bounds.InsetByCopy(1, 1), grey(120), grey(224));
}

float StylePainter::BorderSize(border_style border)
{
	switch (border) {
	case B_FANCY_BORDER:
		return kFancyBorderSize;
	case B_PLAIN_BORDER:
		return kPlainBorderSize;
	default:
		return 0;
	}
}

// #pragma mark - shapes

void StylePainter::FillDisc(BView* view, BPoint centre, float radius, rgb_color color,
                            rgb_color background)
{
	if (radius <= 0)
		return;
	StateKeeper keeper(view);
	// Each pixel takes the share of its 4 x 4 sample points that lie inside the circle.
	int32 left = (int32)std::floor(centre.x - radius);
	int32 right = (int32)std::ceil(centre.x + radius);
	int32 top = (int32)std::floor(centre.y - radius);
	int32 bottom = (int32)std::ceil(centre.y + radius);
	float limit = radius * radius;
	for (int32 y = top; y <= bottom; y++) {
		int32 runStart = 0;
		bool inRun = false;
		auto endRun = [&](int32 x) {
			if (inRun) {
				view->SetHighColor(color);
				view->FillRect(BRect(runStart, y, x - 1, y));
				inRun = false;
			}
		};
		for (int32 x = left; x <= right; x++) {
			int inside = 0;
			for (int sy = 0; sy < 4; sy++) {
				for (int sx = 0; sx < 4; sx++) {
					float dx = x - 0.375f + sx * 0.25f - centre.x;
					float dy = y - 0.375f + sy * 0.25f - centre.y;
					if (dx * dx + dy * dy <= limit)
						inside++;
				}
			}
			if (inside == 16) {
				if (!inRun) {
					runStart = x;
					inRun = true;
				}
				continue;
			}
			endRun(x);
			if (inside > 0) {
				view->SetHighColor(mix(background, color, inside / 16.0f));
				view->FillRect(BRect(x, y, x, y));
			}
		}
		endRun(right + 1);
	}
}

void StylePainter::StrokeFrame(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight)
{
	StateKeeper keeper(view);
	line(view, rect.left, rect.top, rect.right, rect.top, topLeft);
	line(view, rect.left, rect.top, rect.left, rect.bottom, topLeft);
	line(view, rect.right, rect.top, rect.right, rect.bottom, bottomRight);
	line(view, rect.left, rect.bottom, rect.right, rect.bottom, bottomRight);
}

} // namespace BPrivate
