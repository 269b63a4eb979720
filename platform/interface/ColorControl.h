// A colour picker: four ramps (grey, red, green, blue) to click or drag, in an area of
// columns x rows cells of a chosen size, and three number fields for red, green and blue (0 to
// 255) beside them. Every change the user makes sends the control's message; SetValue sends
// nothing. The value packs the colour as red x 2^24 + green x 2^16 + blue x 2^8; alpha is not
// part of it, and ValueAsColor always answers an opaque colour.
#ifndef _COLOR_CONTROL_H
#define _COLOR_CONTROL_H

#include <Control.h>

class BTextControl;

enum color_control_layout {
	B_CELLS_4x64 = 4,
	B_CELLS_8x32 = 8,
	B_CELLS_16x16 = 16,
	B_CELLS_32x8 = 32,
	B_CELLS_64x4 = 64,
};

class BColorControl : public BControl {
public:
	BColorControl(BPoint start, color_control_layout layout, float cellSize, const char* name,
	              BMessage* message = nullptr, bool useOffscreen = false);
	// Also "_layout", "_csize" and "_use_off"; the number fields come back from "_views".
	explicit BColorControl(BMessage* archive);
	~BColorControl() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void MessageReceived(BMessage* message) override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void MouseUp(BPoint where) override;
	void SetEnabled(bool enabled) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetValue(int32 value) override;
	void SetValue(rgb_color color);
	rgb_color ValueAsColor();

	virtual void SetLayout(color_control_layout layout);
	color_control_layout Layout() const { return fLayout; }
	virtual void SetCellSize(float size);
	float CellSize() const { return fCellSize; }

private:
	enum Ramp { kGrey, kRed, kGreen, kBlue, kNoRamp };

	void _Init(bool fromArchive);
	void _LayOutFields();
	void _UpdateFields();
	BRect _RampArea() const;
	BRect _RampRect(Ramp ramp) const;
	Ramp _RampAt(BPoint where) const;
	uint8 _LevelAt(float x) const;
	void _SetFromRamp(Ramp ramp, uint8 level);
	void _SetFromFields();
	void _UserChanged(int32 value);

	color_control_layout fLayout;
	float fCellSize;
	BTextControl* fRedField;
	BTextControl* fGreenField;
	BTextControl* fBlueField;
	Ramp fTracking;
	bool fUpdatingFields;
};

#endif
