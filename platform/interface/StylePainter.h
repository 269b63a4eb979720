// The one look of every control. Controls decide what input means and which state they are
// in; they ask the style painter to draw their frames, faces, marks, labels, focus and
// disabled look, so that all of them look like one family and a change of look happens here
// only. Every colour comes from the user-interface palette (ui_color) and tints of it.
//
// All functions draw into the given view (in its coordinates) and leave the view's drawing
// state as they found it.
#ifndef _STYLE_PAINTER_H
#define _STYLE_PAINTER_H

#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BView;

namespace BPrivate {

class StylePainter {
public:
	// The state of what is drawn.
	enum {
		kDisabled = 1 << 0,
		kFocused = 1 << 1,  // has the keyboard focus in the active window
		kPressed = 1 << 2,  // held down by the pointer or the keyboard
		kDefault = 1 << 3,  // the window's default button
		kHovered = 1 << 4,  // the pointer is over it
		kMarked = 1 << 5,   // checked, chosen, on
		kSelected = 1 << 6, // the selected row or menu item
	};

	enum Direction { kUp, kDown, kLeft, kRight };

	// Geometry the controls and their callers compute with.
	// A check box's mark and the space after it, before the label.
	static constexpr float kCheckBoxLabelOffset = 21;
	// A radio button's mark and the space after it, before the label.
	static constexpr float kRadioLabelOffset = 19;
	static constexpr float kCheckMarkSize = 13;
	static constexpr float kScrollBarSize = 14;
	static constexpr float kFancyBorderSize = 2;
	static constexpr float kPlainBorderSize = 1;
	// Space between a text field's frame and its text.
	static constexpr float kTextInset = 3;

	// Colours.
	static rgb_color PanelColor();
	static rgb_color TextColor(uint32 flags);
	static rgb_color BorderColor(uint32 flags);
	static rgb_color FaceColor(uint32 flags);
	static rgb_color FieldColor(uint32 flags);
	static rgb_color HighlightColor();
	static rgb_color MarkColor(uint32 flags);
	static rgb_color SelectionColor(uint32 flags);
	static rgb_color SelectedTextColor(uint32 flags);

	// Text. The baseline that centres the view's font vertically in the rectangle; a label
	// drawn there, aligned and dimmed when disabled, shortened with an ellipsis when it does
	// not fit the rectangle's width.
	static float Baseline(BView* view, BRect rect);
	static void DrawLabel(BView* view, BRect rect, const char* label, alignment align,
	                      uint32 flags, rgb_color* color = nullptr);
	// The height of a line of the view's font, rounded up.
	static float LineHeight(BView* view);

	// Buttons: a raised face with a one-pixel border, a ring for the default button and the
	// focus mark inside.
	static void DrawButton(BView* view, BRect rect, uint32 flags);
	static void DrawButtonLabel(BView* view, BRect rect, const char* label, uint32 flags);

	// Check boxes and radio buttons: the mark's box (kCheckMarkSize square) for a control
	// of these bounds, and the mark itself.
	static BRect MarkRect(BView* view, BRect bounds);
	static void DrawCheckBox(BView* view, BRect box, uint32 flags);
	static void DrawRadioButton(BView* view, BRect box, uint32 flags);
	// The focus mark for a control that has no frame of its own: under its label.
	static void DrawFocusUnderline(BView* view, BRect labelRect, uint32 flags);

	// Text fields: the sunken field and its border (highlighted when focused); the text goes
	// inside, kTextInset from the frame.
	static void DrawTextField(BView* view, BRect rect, uint32 flags);

	// Menu fields: a raised face like a button's with a downward arrow at the right; the
	// text goes in TextRect.
	static void DrawMenuField(BView* view, BRect rect, uint32 flags);
	static BRect MenuFieldTextRect(BRect rect);

	// In the text colour of the state, or in the colour given.
	static void DrawArrow(BView* view, BRect rect, Direction direction, uint32 flags,
	                      const rgb_color* color = nullptr);

	// Menus: the pop-up's background with its border, the bar's background, an item's
	// background (highlighted when selected), its check mark, and separators.
	static void DrawMenuBackground(BView* view, BRect bounds);
	// The pop-up's border alone, drawn again over items that scrolled under it.
	static void DrawMenuFrame(BView* view, BRect bounds);
	static void DrawMenuBarBackground(BView* view, BRect bounds);
	static void DrawMenuItemBackground(BView* view, BRect rect, uint32 flags);
	static rgb_color MenuItemTextColor(uint32 flags);
	// The dimmer colour of the shortcut shown at an item's right.
	static rgb_color MenuShortcutColor(uint32 flags);
	static void DrawMenuMark(BView* view, BRect rect, uint32 flags);
	static void DrawSeparator(BView* view, BRect rect, orientation direction);

	// Scroll bars: the track, the thumb and the two arrow buttons.
	static void DrawScrollBarTrack(BView* view, BRect rect, orientation direction,
	                               uint32 flags);
	static void DrawScrollBarThumb(BView* view, BRect rect, orientation direction,
	                               uint32 flags);
	static void DrawScrollBarButton(BView* view, BRect rect, Direction direction, uint32 flags);

	// Lists: a row's background (kSelected, kFocused) and its text colour.
	static void DrawListRow(BView* view, BRect rect, uint32 flags);
	static rgb_color ListRowTextColor(uint32 flags);

	// Boxes: the etched frame; with a label, the top line is broken where the label stands
	// (labelRect, in the box's coordinates, or an invalid rectangle).
	static void DrawBoxFrame(BView* view, BRect bounds, border_style border, BRect labelRect);
	// Scroll views and other sunken borders.
	static void DrawSunkenBorder(BView* view, BRect bounds, border_style border, uint32 flags);
	// The width of a border of that style: kFancyBorderSize, kPlainBorderSize or 0.
	static float BorderSize(border_style border);

	// Shapes the painter does not have: a disc with antialiased edges over a known
	// background, and a plain frame.
	static void FillDisc(BView* view, BPoint centre, float radius, rgb_color color,
	                     rgb_color background);
	static void StrokeFrame(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight);
};

} // namespace BPrivate

#endif
