// The text of a pale tip strip (a tool tip, a completion's suggestion): a blank on either side
// of the text, on the tip colour, inside a thin dark frame. The display draws no frame around
// borderless windows, and without one a pale strip is lost on a light window below it.
#ifndef T_TIP_VIEW_H
#define T_TIP_VIEW_H

#include <StringView.h>

class TTipView : public BStringView {
public:
	TTipView(const char* name, const char* text);
	~TTipView() override;

	// Shows the text between two blanks.
	void SetTip(const char* text);
	void Draw(BRect updateRect) override;
	// The text's size and the frame around it.
	void GetPreferredSize(float* width, float* height) override;

	static constexpr rgb_color kBackground = {255, 255, 225, 255};
	static constexpr rgb_color kFrame = {128, 128, 128, 255};
};

#endif
