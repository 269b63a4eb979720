#include <ColorControl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include <Message.h>
#include <TextControl.h>
#include <Window.h>

#include "PlatformText.h"
#include "StylePainter.h"

using BPrivate::PlatformTextId;
using BPrivate::StylePainter;

namespace {

// A number field told the control that its text changed.
const uint32 kMsgFieldChanged = '_ccf';
const float kFieldGap = 8;
const float kFieldWidth = 86;
const float kFieldHeight = 22;

const char* const kFieldNames[] = {"_red", "_green", "_blue"};
const PlatformTextId kFieldLabels[] = {PlatformTextId::kRedLabel, PlatformTextId::kGreenLabel,
                                       PlatformTextId::kBlueLabel};

int32 pack(rgb_color color)
{
	return (int32)(((uint32)color.red << 24) | ((uint32)color.green << 16) |
	               ((uint32)color.blue << 8));
}

rgb_color unpack(int32 value)
{
	uint32 bits = (uint32)value;
	return make_color((bits >> 24) & 0xff, (bits >> 16) & 0xff, (bits >> 8) & 0xff, 255);
}

int32 columns_of(color_control_layout layout)
{
	switch (layout) {
	case B_CELLS_4x64:
	case B_CELLS_8x32:
	case B_CELLS_16x16:
	case B_CELLS_32x8:
	case B_CELLS_64x4:
		return (int32)layout;
	default:
		return B_CELLS_32x8;
	}
}

} // namespace

BColorControl::BColorControl(BPoint start, color_control_layout layout, float cellSize,
                             const char* name, BMessage* message, bool)
    : BControl(BRect(start, start), name, nullptr, message, B_FOLLOW_LEFT_TOP,
               B_WILL_DRAW | B_NAVIGABLE_JUMP),
      fLayout(layout), fCellSize(std::isfinite(cellSize) ? std::clamp(cellSize, 1.0f, 64.0f) : 6),
      fRedField(nullptr), fGreenField(nullptr), fBlueField(nullptr), fTracking(kNoRamp),
      fUpdatingFields(false)
{
	_Init(false);
}

BColorControl::BColorControl(BMessage* archive)
    : BControl(archive), fLayout(B_CELLS_32x8), fCellSize(6), fRedField(nullptr),
      fGreenField(nullptr), fBlueField(nullptr), fTracking(kNoRamp), fUpdatingFields(false)
{
	if (archive != nullptr) {
		int32 layout = archive->GetInt32("_layout", B_CELLS_32x8);
		fLayout = (color_control_layout)columns_of((color_control_layout)layout);
		float size = archive->GetFloat("_csize", 6);
		fCellSize = std::isfinite(size) ? std::clamp(size, 1.0f, 64.0f) : 6;
	}
	_Init(true);
}

BColorControl::~BColorControl() {}

void BColorControl::_Init(bool fromArchive)
{
	BTextControl** fields[] = {&fRedField, &fGreenField, &fBlueField};
	for (int i = 0; i < 3; i++) {
		// Rebuilt from an archive, the fields are among the children already.
		if (fromArchive)
			*fields[i] = dynamic_cast<BTextControl*>(FindView(kFieldNames[i]));
		const char* label = BPrivate::platform_text(kFieldLabels[i]);
		if (*fields[i] == nullptr) {
			BTextControl* field = new BTextControl(BRect(0, 0, kFieldWidth - 1, kFieldHeight - 1),
			                                       kFieldNames[i], label, "0", nullptr);
			field->SetAlignment(B_ALIGN_RIGHT, B_ALIGN_RIGHT);
			AddChild(field);
			*fields[i] = field;
		} else {
			// An archive keeps the labels in the language of whoever made it (a program's
			// resources are archived when it is built); the user reading them now decides.
			(*fields[i])->SetLabel(label);
		}
		(*fields[i])->SetModificationMessage(new BMessage(kMsgFieldChanged));
	}
	_LayOutFields();
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
	_UpdateFields();
}

BArchivable* BColorControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BColorControl"))
		return nullptr;
	return new BColorControl(archive);
}

status_t BColorControl::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_layout", (int32)fLayout);
	if (status == B_OK)
		status = archive->AddFloat("_csize", fCellSize);
	if (status == B_OK)
		status = archive->AddBool("_use_off", false);
	// The fields' labels are archived in English whatever the language now, so that an archive
	// is the same on every machine (programs archive their views when they are built); a
	// rebuilt control labels its fields in its reader's language anyway.
	BMessage field;
	for (int32 i = 0; status == B_OK && archive->FindMessage("_views", i, &field) == B_OK; i++) {
		for (int f = 0; f < 3; f++) {
			if (strcmp(field.GetString("_name", ""), kFieldNames[f]) != 0 ||
			    !field.HasString("_label"))
				continue;
			field.ReplaceString(
			    "_label",
			    BPrivate::platform_text(kFieldLabels[f], BPrivate::PlatformLanguage::kEnglish));
			status = archive->ReplaceMessage("_views", i, &field);
		}
	}
	return status;
}

void BColorControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	BTextControl* fields[] = {fRedField, fGreenField, fBlueField};
	for (BTextControl* field : fields)
		field->SetTarget(this);
}

// #pragma mark - geometry

BRect BColorControl::_RampArea() const
{
	int32 columns = columns_of(fLayout);
	int32 rows = 256 / columns;
	return BRect(0, 0, columns * fCellSize - 1, rows * fCellSize - 1);
}

BRect BColorControl::_RampRect(Ramp ramp) const
{
	// Four bands, one per ramp: across a wide area, side by side in a tall one.
	BRect area = _RampArea().InsetByCopy(1, 1);
	const float index = (float)ramp;
	if (area.Width() >= area.Height()) {
		float band = (area.Height() + 1) / 4;
		float top = std::floor(area.top + band * index);
		return BRect(area.left, top, area.right, std::floor(area.top + band * (index + 1)) - 1);
	}
	float band = (area.Width() + 1) / 4;
	float left = std::floor(area.left + band * index);
	return BRect(left, area.top, std::floor(area.left + band * (index + 1)) - 1, area.bottom);
}

BColorControl::Ramp BColorControl::_RampAt(BPoint where) const
{
	for (int ramp = kGrey; ramp <= kBlue; ramp++) {
		if (_RampRect((Ramp)ramp).Contains(where))
			return (Ramp)ramp;
	}
	return kNoRamp;
}

uint8 BColorControl::_LevelAt(float position) const
{
	// Along the ramp's length: left to right across, bottom to top in a tall area.
	BRect rect = _RampRect(kGrey);
	bool across = _RampArea().Width() >= _RampArea().Height();
	float from = across ? rect.left : rect.bottom;
	float length = across ? rect.Width() : rect.Height();
	float along = across ? position - from : from - position;
	if (length <= 0)
		return 0;
	return (uint8)std::lround(std::clamp(along / length, 0.0f, 1.0f) * 255);
}

void BColorControl::_LayOutFields()
{
	BRect area = _RampArea();
	float left = area.right + 1 + kFieldGap;
	BTextControl* fields[] = {fRedField, fGreenField, fBlueField};
	for (int i = 0; i < 3; i++) {
		fields[i]->MoveTo(left, i * kFieldHeight);
		fields[i]->ResizeTo(kFieldWidth - 1, kFieldHeight - 1);
		fields[i]->SetDivider(kFieldWidth - 40);
	}
}

void BColorControl::GetPreferredSize(float* width, float* height)
{
	BRect area = _RampArea();
	if (width != nullptr)
		*width = area.Width() + 1 + kFieldGap + kFieldWidth;
	if (height != nullptr)
		*height = std::max(area.Height(), 3 * kFieldHeight - 1);
}

void BColorControl::SetLayout(color_control_layout layout)
{
	fLayout = (color_control_layout)columns_of(layout);
	_LayOutFields();
	Invalidate();
}

void BColorControl::SetCellSize(float size)
{
	if (!std::isfinite(size))
		return;
	fCellSize = std::clamp(size, 1.0f, 64.0f);
	_LayOutFields();
	Invalidate();
}

// #pragma mark - value

void BColorControl::SetValue(int32 value)
{
	// Only the colour counts; the lowest byte of the packed value is always 0.
	value &= (int32)0xffffff00;
	if (value == Value())
		return;
	BControl::SetValue(value);
	_UpdateFields();
}

void BColorControl::SetValue(rgb_color color)
{
	SetValue(pack(color));
}

rgb_color BColorControl::ValueAsColor()
{
	return unpack(Value());
}

void BColorControl::_UpdateFields()
{
	if (fRedField == nullptr)
		return;
	rgb_color color = unpack(Value());
	const uint8 channels[] = {color.red, color.green, color.blue};
	BTextControl* fields[] = {fRedField, fGreenField, fBlueField};
	fUpdatingFields = true;
	for (int i = 0; i < 3; i++) {
		std::string text = std::to_string(channels[i]);
		// Only a field that shows another number changes, so the user's typing in one
		// field is not overwritten.
		if (atoi(fields[i]->Text()) != channels[i] || text != fields[i]->Text())
			fields[i]->SetText(text.c_str());
	}
	fUpdatingFields = false;
}

void BColorControl::_SetFromRamp(Ramp ramp, uint8 level)
{
	rgb_color color = unpack(Value());
	switch (ramp) {
	case kGrey:
		color.red = color.green = color.blue = level;
		break;
	case kRed:
		color.red = level;
		break;
	case kGreen:
		color.green = level;
		break;
	case kBlue:
		color.blue = level;
		break;
	default:
		return;
	}
	_UserChanged(pack(color));
}

void BColorControl::_SetFromFields()
{
	BTextControl* fields[] = {fRedField, fGreenField, fBlueField};
	uint8 channels[3];
	for (int i = 0; i < 3; i++)
		channels[i] = (uint8)std::clamp(atoi(fields[i]->Text()), 0, 255);
	_UserChanged(pack(make_color(channels[0], channels[1], channels[2])));
}

void BColorControl::_UserChanged(int32 value)
{
	if (value == Value())
		return;
	BControl::SetValue(value);
	_UpdateFields();
	Invoke();
}

void BColorControl::MessageReceived(BMessage* message)
{
	if (message->what == kMsgFieldChanged) {
		// The program's own updates of the fields are not the user's changes.
		if (!fUpdatingFields)
			_SetFromFields();
		return;
	}
	BControl::MessageReceived(message);
}

void BColorControl::SetEnabled(bool enabled)
{
	BControl::SetEnabled(enabled);
	BTextControl* fields[] = {fRedField, fGreenField, fBlueField};
	for (BTextControl* field : fields) {
		if (field != nullptr)
			field->SetEnabled(enabled);
	}
}

// #pragma mark - pointer

void BColorControl::MouseDown(BPoint where)
{
	Ramp ramp = _RampAt(where);
	if (ramp == kNoRamp)
		return;
	fTracking = ramp;
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
	bool across = _RampArea().Width() >= _RampArea().Height();
	_SetFromRamp(ramp, _LevelAt(across ? where.x : where.y));
}

void BColorControl::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (fTracking == kNoRamp)
		return;
	bool across = _RampArea().Width() >= _RampArea().Height();
	_SetFromRamp(fTracking, _LevelAt(across ? where.x : where.y));
}

void BColorControl::MouseUp(BPoint)
{
	fTracking = kNoRamp;
}

// #pragma mark - drawing

void BColorControl::Draw(BRect updateRect)
{
	uint32 flags = StyleFlags();
	BRect area = _RampArea();
	StylePainter::DrawSunkenBorder(this, area, B_PLAIN_BORDER, flags & StylePainter::kDisabled);
	rgb_color color = unpack(Value());
	bool across = area.Width() >= area.Height();
	float dim = (flags & StylePainter::kDisabled) != 0 ? 0.5f : 1.0f;
	for (int ramp = kGrey; ramp <= kBlue; ramp++) {
		BRect rect = _RampRect((Ramp)ramp);
		float length = across ? rect.Width() : rect.Height();
		int32 steps = (int32)length;
		for (int32 i = 0; i <= steps; i++) {
			uint8 level = (uint8)std::lround((steps > 0 ? (float)i / steps : 0) * 255 * dim);
			rgb_color shade = make_color(ramp == kGrey || ramp == kRed ? level : 0,
			                             ramp == kGrey || ramp == kGreen ? level : 0,
			                             ramp == kGrey || ramp == kBlue ? level : 0);
			SetHighColor(shade);
			if (across)
				FillRect(BRect(rect.left + i, rect.top, rect.left + i, rect.bottom));
			else
				FillRect(BRect(rect.left, rect.bottom - i, rect.right, rect.bottom - i));
		}
		// The marker shows the colour's level on each ramp.
		uint8 level = ramp == kRed ? color.red : ramp == kGreen ? color.green
		                  : ramp == kBlue                       ? color.blue
		                                                        : (uint8)((color.red + color.green + color.blue) / 3);
		float at = std::floor(level / 255.0f * length);
		rgb_color mark = level > 140 && ramp == kGrey ? make_color(0, 0, 0) : make_color(255, 255, 255);
		SetHighColor(mark);
		if (across)
			StrokeRect(BRect(rect.left + at - 1, rect.top, rect.left + at + 1, rect.bottom));
		else
			StrokeRect(BRect(rect.left, rect.bottom - at - 1, rect.right, rect.bottom - at + 1));
	}
	// The chosen colour itself, under the ramps where the area leaves room.
	(void)updateRect;
}

B_REGISTER_ARCHIVABLE(BColorControl);
