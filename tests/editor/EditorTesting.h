// The editor in a test window, as the main window holds it: unarchived from the view tree,
// placed at y = 20 under the room of a 19-pixel menu bar, the window sized to it, and the
// first picture waited for. Helpers type into the fields as a user does and read the picture
// the window presents, the one the renderer makes aside and the one a PNG file holds.
#ifndef EDITOR_TESTING_H
#define EDITOR_TESTING_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Alert.h>
#include <Autolock.h>
#include <TextControl.h>

#include <PngCodec.h>
#include <TDialogWindow.h>
#include <TGlowplateView.h>

#include "TestApplication.h"
#include "TestDriver.h"

namespace editortest {

// The height of the menu bar the main window puts above the editor, plus one.
constexpr float kEditorTop = 20;

// Pictures as red, green, blue and alpha bytes, row after row.
using Picture = graphics::PngImage;

bool operator==(const Picture& a, const Picture& b);
std::string describe(const Picture& picture);
rgb_color pixel_of(const Picture& picture, int32 x, int32 y);

// The picture's first columns, at most `width` of them.
Picture crop(const Picture& picture, int32 width);
// The picture the renderer makes for the text with the current gProperty, without a window.
Picture render_aside(const char* text);
// The PNG file decoded; an empty picture when it is not one.
Picture read_png(const std::string& path);

// Runs the program with the arguments (the program's name first) and this process's
// environment plus `variables` ("NAME=value"), as the user `user` unless it is -1, its error
// output thrown away when `quiet`; waits for it and answers its exit status, or -1. Everything
// is prepared before the fork: a copy of a process with other threads may make no call that
// could wait for a lock one of them held.
int run_program(const std::string& path, std::vector<std::string> arguments,
                std::vector<std::string> variables, bool quiet = false, int user = -1);

// A shown window holding the editor built from the archive, as the main window holds it, once
// the first picture was made; null when it never came.
TDialogWindow* open_editor(BMessage archive, TGlowplateView** editor);
// The alert the application shows, or null.
BAlert* find_alert();

class EditorTest : public ::testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// Starts from the records' defaults (no settings) and opens the editor built from the
	// archive; false when the first picture never came.
	bool Open(BMessage archive);
	// Quits the window, which detaches the editor.
	void Close();

	template <class T>
	T* Find(const char* name)
	{
		BAutolock lock(window);
		return dynamic_cast<T*>(window->FindView(name));
	}

	// Reads something of the editor with its window locked.
	template <class F>
	auto Locked(F read)
	{
		BAutolock lock(window);
		return read();
	}

	std::string FieldText(const char* name);
	// Replaces the field's text as a user does: a click into it, Ctrl+A, then the keys.
	void Retype(const char* name, const std::string& text);
	// Replaces the field's text with one paste, which makes one change of it.
	void Paste(const char* name, const std::string& text);
	// Puts the caret at the end of the field's text and types.
	void TypeAtEnd(const char* name, const std::string& text);
	void Sync();

	// What the window shows of the display view now (its visible part).
	Picture ScreenPicture();
	// The expected window height after a refresh: editor top + scroll bar bottom + 10.
	float ExpectedWindowHeight();

	TestApplication app;
	TDialogWindow* window = nullptr;
	TGlowplateView* editor = nullptr;
};

} // namespace editortest

#endif
