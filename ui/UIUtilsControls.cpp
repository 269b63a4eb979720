// Closing windows and fitting controls to their labels.
#include "UIUtils.h"

#include <cmath>

#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <Window.h>

namespace {

// Room that a check box and a radio button need besides the label: their mark and the gap
// after it, then a little air after the label.
const float kCheckBoxMark = 15;
const float kCheckBoxAir = 6;
const float kRadioButtonMark = 17;
const float kRadioButtonAir = 2;

// The control's label width rounded up to whole pixels, in the control's own font.
float label_width(const BControl* control)
{
	const char* label = control->Label();
	return std::ceil(control->StringWidth(label != nullptr ? label : ""));
}

void resize_width(BView* view, float width)
{
	view->ResizeTo(width, view->Bounds().Height());
}

} // namespace

void close_window(BWindow** window)
{
	if (window == nullptr || *window == nullptr || !(*window)->Lock())
		return;
	(*window)->Quit();
	*window = nullptr;
}

void adjust_button_width(BButton* button)
{
	if (button == nullptr)
		return;
	float width = 0, height = 0;
	button->GetPreferredSize(&width, &height);
	resize_width(button, std::ceil(width));
}

void adjust_cbox_width(BCheckBox* checkBox)
{
	if (checkBox != nullptr)
		resize_width(checkBox, label_width(checkBox) + kCheckBoxMark + kCheckBoxAir);
}

void adjust_rbutton_width(BRadioButton* radioButton)
{
	if (radioButton != nullptr)
		resize_width(radioButton, label_width(radioButton) + kRadioButtonMark + kRadioButtonAir);
}
