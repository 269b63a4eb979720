// The two views an alert is made of besides its buttons: the icon of its kind and its text,
// wrapped to a width (between words where there are spaces, between any two characters in
// Japanese text, and always at line breaks).
#ifndef _ALERT_VIEWS_H
#define _ALERT_VIEWS_H

#include <string>
#include <vector>

#include <Alert.h>
#include <View.h>

namespace BPrivate {

class AlertIconView : public BView {
public:
	static constexpr float kSize = 32;

	AlertIconView(BPoint where, alert_type type);
	void Draw(BRect updateRect) override;

private:
	alert_type fType;
};

class AlertTextView : public BView {
public:
	AlertTextView(BPoint where, const char* text, float maxWidth);
	void Draw(BRect updateRect) override;
	// The lines the text was wrapped into.
	const std::vector<std::string>& Lines() const { return fLines; }

private:
	void _Wrap(const std::string& text, float maxWidth);

	std::vector<std::string> fLines;
	float fLineHeight;
};

} // namespace BPrivate

#endif
