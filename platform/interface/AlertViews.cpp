#include "AlertViews.h"

#include <algorithm>
#include <cmath>

#include <Font.h>

#include "StylePainter.h"

namespace BPrivate {

namespace {

size_t character_length(const std::string& text, size_t at)
{
	unsigned char lead = (unsigned char)text[at];
	size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
	return std::min(length, text.size() - at);
}

} // namespace

// #pragma mark - icon

AlertIconView::AlertIconView(BPoint where, alert_type type)
    : BView(BRect(where.x, where.y, where.x + kSize - 1, where.y + kSize - 1), "_icon_",
            B_FOLLOW_LEFT_TOP, B_WILL_DRAW),
      fType(type)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

void AlertIconView::Draw(BRect)
{
	// A disc in the kind's colour with its sign: information, an idea, a warning, a stop.
	rgb_color color;
	const char* sign;
	switch (fType) {
	case B_IDEA_ALERT:
		color = make_color(236, 180, 30);
		sign = "?";
		break;
	case B_WARNING_ALERT:
		color = make_color(232, 132, 24);
		sign = "!";
		break;
	case B_STOP_ALERT:
		color = make_color(200, 40, 40);
		sign = "\xc3\x97"; // ×
		break;
	case B_INFO_ALERT:
	default:
		color = make_color(52, 110, 190);
		sign = "i";
		break;
	}
	StylePainter::FillDisc(this, BPoint(15.5f, 15.5f), 15.5f, color, ViewColor());
	BFont font(be_bold_font);
	font.SetSize(22);
	SetFont(&font);
	font_height metrics;
	font.GetHeight(&metrics);
	SetDrawingMode(B_OP_OVER);
	SetHighColor(255, 255, 255);
	float width = StringWidth(sign);
	float baseline = std::floor(16 + (metrics.ascent - metrics.descent) / 2 + 0.5f);
	DrawString(sign, BPoint(std::floor(16 - width / 2), baseline));
	SetDrawingMode(B_OP_COPY);
}

// #pragma mark - text

AlertTextView::AlertTextView(BPoint where, const char* text, float maxWidth)
    : BView(BRect(where.x, where.y, where.x + 1, where.y + 1), "_tv_", B_FOLLOW_LEFT_TOP,
            B_WILL_DRAW)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	font_height metrics;
	GetFontHeight(&metrics);
	fLineHeight = std::ceil(metrics.ascent + metrics.descent + std::max(metrics.leading, 3.0f));
	_Wrap(text != nullptr ? text : "", maxWidth);
	float width = 1;
	for (const std::string& line : fLines)
		width = std::max(width, std::ceil(StringWidth(line.c_str())));
	ResizeTo(width, std::max<float>(1, fLineHeight * fLines.size() - 1));
}

void AlertTextView::_Wrap(const std::string& text, float maxWidth)
{
	size_t start = 0;
	while (start <= text.size()) {
		size_t end = text.find('\n', start);
		std::string paragraph = text.substr(start, end == std::string::npos ? end : end - start);
		// Greedy: each line takes as many characters as fit, going back to the last space
		// when there is one in the line.
		while (StringWidth(paragraph.c_str()) > maxWidth && paragraph.size() > 1) {
			size_t fit = 0;
			size_t lastSpace = std::string::npos;
			for (size_t i = 0; i < paragraph.size();) {
				size_t next = i + character_length(paragraph, i);
				if (StringWidth(paragraph.c_str(), (int32)next) > maxWidth)
					break;
				if (paragraph[i] == ' ')
					lastSpace = i;
				fit = next;
				i = next;
			}
			if (fit == 0)
				fit = character_length(paragraph, 0);
			size_t cut = lastSpace != std::string::npos && lastSpace > 0 ? lastSpace : fit;
			fLines.push_back(paragraph.substr(0, cut));
			size_t rest = cut;
			while (rest < paragraph.size() && paragraph[rest] == ' ')
				rest++;
			paragraph = paragraph.substr(rest);
		}
		fLines.push_back(paragraph);
		if (end == std::string::npos)
			break;
		start = end + 1;
	}
}

void AlertTextView::Draw(BRect)
{
	font_height metrics;
	GetFontHeight(&metrics);
	SetDrawingMode(B_OP_OVER);
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	for (size_t i = 0; i < fLines.size(); i++) {
		float baseline = std::floor(i * fLineHeight + metrics.ascent + 0.5f);
		DrawString(fLines[i].c_str(), BPoint(0, baseline));
	}
	SetDrawingMode(B_OP_COPY);
}

} // namespace BPrivate
