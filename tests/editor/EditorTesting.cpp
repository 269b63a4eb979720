#include "EditorTesting.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include <Application.h>
#include <Bitmap.h>
#include <ScrollBar.h>
#include <TextView.h>
#include <Window.h>

#include <HeadlessBackend.h>
#include <WindowPrivate.h>
#include <TDisplayView.h>
#include <TExitStates.h>
#include <TProperty.h>
#include <ViewTreeArchive.h>

namespace editortest {

bool operator==(const Picture& a, const Picture& b)
{
	return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

std::string describe(const Picture& picture)
{
	std::ostringstream text;
	text << picture.width << " x " << picture.height << " pixels";
	return text.str();
}

rgb_color pixel_of(const Picture& picture, int32 x, int32 y)
{
	const uint8* p = picture.pixels.data() + ((size_t)y * picture.width + x) * 4;
	return make_color(p[0], p[1], p[2], p[3]);
}

// Copies a B_RGBA32 area (blue, green, red, alpha in memory) into a picture.
static Picture from_bgra(const uint8* bits, int32 bytesPerRow, int32 left, int32 top, int32 width,
                         int32 height)
{
	Picture picture;
	picture.width = width;
	picture.height = height;
	picture.pixels.resize((size_t)width * height * 4);
	for (int32 y = 0; y < height; y++) {
		const uint8* row = bits + (size_t)(top + y) * bytesPerRow + (size_t)left * 4;
		uint8* out = picture.pixels.data() + (size_t)y * width * 4;
		for (int32 x = 0; x < width; x++, row += 4, out += 4) {
			out[0] = row[2];
			out[1] = row[1];
			out[2] = row[0];
			out[3] = row[3];
		}
	}
	return picture;
}

Picture crop(const Picture& picture, int32 width)
{
	if (width >= picture.width)
		return picture;
	Picture cropped;
	cropped.width = width;
	cropped.height = picture.height;
	for (int32 y = 0; y < picture.height; y++) {
		auto row = picture.pixels.begin() + (size_t)y * picture.width * 4;
		cropped.pixels.insert(cropped.pixels.end(), row, row + (size_t)width * 4);
	}
	return cropped;
}

Picture render_aside(const char* text)
{
	TDisplayView display(BRect(0, 0, 1, 1), nullptr);
	if (display.SetText(text) != B_OK)
		return Picture();
	const BRect bounds = display.Bounds();
	BBitmap bitmap(bounds, B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	BView* view = new BView(bounds, "Aside", B_FOLLOW_NONE, 0);
	bitmap.AddChild(view);
	if (view->LockLooper()) {
		display.DrawToView(view);
		view->Sync();
		view->UnlockLooper();
	}
	return from_bgra((const uint8*)bitmap.Bits(), bitmap.BytesPerRow(), 0, 0,
	                 (int32)bounds.Width() + 1, (int32)bounds.Height() + 1);
}

Picture read_png(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	Picture picture;
	if (graphics::PngCodec::Decode(bytes.data(), bytes.size(), graphics::PixelLayout::Rgba,
	                               &picture) != B_OK)
		return Picture();
	return picture;
}

void EditorTest::SetUp()
{
	ASSERT_TRUE(Open(build_glowplate_view_archive()));
}

void EditorTest::TearDown()
{
	Close();
	app.Quit();
	gProperty = TProperty();
	gExitStates = TExitStates();
}

int run_program(const std::string& path, std::vector<std::string> arguments,
                std::vector<std::string> variables, bool quiet, int user)
{
	for (char** variable = environ; *variable != nullptr; variable++)
		variables.push_back(*variable);
	std::vector<char*> argv, envp;
	for (std::string& argument : arguments)
		argv.push_back(argument.data());
	argv.push_back(nullptr);
	for (std::string& variable : variables)
		envp.push_back(variable.data());
	envp.push_back(nullptr);
	const int null = quiet ? open("/dev/null", O_WRONLY) : -1;
	const pid_t child = fork();
	if (child == 0) {
		if (null >= 0)
			dup2(null, STDERR_FILENO);
		if (user < 0 || (setgid(user) == 0 && setuid(user) == 0))
			execve(path.c_str(), argv.data(), envp.data());
		_exit(127);
	}
	if (null >= 0)
		close(null);
	int status = 0;
	if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

TDialogWindow* open_editor(BMessage archive, TGlowplateView** editor)
{
	TDialogWindow* window = new TDialogWindow(BRect(40, 40, 660, 560), "Editor", B_TITLED_WINDOW,
	                                          B_ASYNCHRONOUS_CONTROLS);
	*editor = new TGlowplateView(&archive);
	{
		// As the main window does it: the editor under the menu bar, the window its size.
		BAutolock lock(window);
		window->AddChild(*editor);
		(*editor)->MoveTo(0, kEditorTop);
		(*editor)->SetResizingMode(B_FOLLOW_NONE);
		window->ResizeTo((*editor)->Frame().right, (*editor)->Frame().bottom);
		(*editor)->SetResizingMode(B_FOLLOW_ALL);
	}
	window->Show();
	// The modification messages that attaching sent were queued before the barrier.
	if (driver::Sync(window) != B_OK)
		return nullptr;
	return window;
}

BAlert* find_alert()
{
	for (int32 i = 0; BWindow* shown = be_app->WindowAt(i); i++) {
		if (BAlert* alert = dynamic_cast<BAlert*>(shown))
			return alert;
	}
	return nullptr;
}

bool EditorTest::Open(BMessage archive)
{
	window = open_editor(archive, &editor);
	return window != nullptr;
}

void EditorTest::Close()
{
	if (window == nullptr)
		return;
	window->Lock();
	window->Quit();
	window = nullptr;
	editor = nullptr;
}

std::string EditorTest::FieldText(const char* name)
{
	BAutolock lock(window);
	BTextControl* field = dynamic_cast<BTextControl*>(window->FindView(name));
	return field != nullptr ? field->Text() : "";
}

void EditorTest::Retype(const char* name, const std::string& text)
{
	BTextControl* field = Find<BTextControl>(name);
	ASSERT_NE(field, nullptr) << name;
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Shortcut('a');
	if (text.empty())
		driver::Key(B_BACKSPACE);
	else
		driver::Type(text);
	Sync();
}

void EditorTest::Paste(const char* name, const std::string& text)
{
	BTextControl* field = Find<BTextControl>(name);
	ASSERT_NE(field, nullptr) << name;
	driver::Backend()->InjectClipboard(text);
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Shortcut('a');
	driver::Shortcut('v');
	Sync();
}

void EditorTest::TypeAtEnd(const char* name, const std::string& text)
{
	BTextControl* field = Find<BTextControl>(name);
	ASSERT_NE(field, nullptr) << name;
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Key(B_END);
	driver::Type(text);
	Sync();
}

void EditorTest::Sync()
{
	ASSERT_EQ(driver::Sync(window), B_OK);
}

Picture EditorTest::ScreenPicture()
{
	BRect area;
	{
		BAutolock lock(window);
		TDisplayView* display = editor->DisplayView();
		BView* container = display->Parent();
		// The visible part: the display within its container, in window coordinates.
		BRect visible = display->Frame() & container->Bounds();
		area = window->ConvertFromScreen(container->ConvertToScreen(visible));
	}
	BPrivate::HeadlessBackend::WindowState state;
	driver::Backend()->GetWindow(BPrivate::WindowAccess::BackendId(window), &state);
	return from_bgra(state.pixels.data(), state.spec.width * 4, (int32)area.left, (int32)area.top,
	                 (int32)area.Width() + 1, (int32)area.Height() + 1);
}

float EditorTest::ExpectedWindowHeight()
{
	BAutolock lock(window);
	BScrollBar* bar = dynamic_cast<BScrollBar*>(window->FindView("ScrlBarH"));
	return editor->Frame().top + bar->Frame().bottom + 10;
}

} // namespace editortest
