// What the tests of the completing field share: a window with a completing field and a plain
// one below it, and ways to read what the user would see.
#ifndef COMPLETING_FIELD_SUPPORT_H
#define COMPLETING_FIELD_SUPPORT_H

#include <initializer_list>
#include <string>

#include <Autolock.h>
#include <Message.h>
#include <TextControl.h>
#include <Window.h>

#include "TACFavoriteWindow.h"
#include "TACTextControl.h"
#include "TestApplication.h"
#include "TestDriver.h"

// A field with "/" as its trigger over the storage file, and another text control to move to.
class FieldWindow : public BWindow {
public:
	FieldWindow(const char* title, BRect frame, const std::string& path)
	    : BWindow(frame, title, B_TITLED_WINDOW, 0)
	{
		field = new TACTextControl(BRect(10, 10, 290, 30), "Field", "Station", "",
		                           new BMessage('entr'));
		field->SetTrigger("/");
		field->SetTo(path.c_str());
		other = new BTextControl(BRect(10, 40, 290, 60), "Other", "Other", "", nullptr);
		AddChild(field);
		AddChild(other);
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'entr')
			entered++;
		else
			BWindow::MessageReceived(message);
	}

	TACTextControl* field;
	BTextControl* other;
	int32 entered = 0;
};

// Adds the candidates in order, so the last one is the most recent.
inline void Seed(FieldWindow* window, std::initializer_list<const char*> candidates)
{
	BAutolock lock(window);
	for (const char* candidate : candidates)
		window->field->AddCandidate(candidate);
}

// The suggestion strip that is open, or null.
inline TACFavoriteWindow* FavoriteWindow()
{
	return dynamic_cast<TACFavoriteWindow*>(driver::FindWindow("ACFavorite"));
}

// What the strip shows once the window handled the keys so far; "" while it is closed.
inline BString Suggestion(BWindow* window)
{
	EXPECT_EQ(driver::Sync(window), B_OK);
	TACFavoriteWindow* strip = FavoriteWindow();
	if (strip == nullptr)
		return "";
	BAutolock lock(strip);
	return strip->Favorite();
}

inline BString TextOf(FieldWindow* window)
{
	EXPECT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	return window->field->Text();
}

#endif
