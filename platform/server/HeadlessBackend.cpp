#include "HeadlessBackend.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <OS.h>

#include <PngCodec.h>

namespace BPrivate {

HeadlessBackend::HeadlessBackend()
{
	if (const char* screen = getenv("GLOWPLATE_SCREEN")) {
		int width = 0, height = 0;
		if (sscanf(screen, "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
		    width <= 16384 && height <= 16384) {
			fScreenWidth = width;
			fScreenHeight = height;
		}
	}
	if (const char* folder = getenv("GLOWPLATE_DUMP_FRAMES"))
		fDumpFolder = folder;
}

HeadlessBackend::~HeadlessBackend()
{
	Stop();
}

status_t HeadlessBackend::Start(InputSink* sink, std::string*)
{
	std::lock_guard<std::mutex> lock(fLock);
	fSink = sink;
	return B_OK;
}

void HeadlessBackend::Stop()
{
	std::lock_guard<std::mutex> lock(fLock);
	fSink = nullptr;
	fWindows.clear();
	fStacking.clear();
	fFocus = -1;
	fPressWindow = -1;
}

backend_window_id HeadlessBackend::CreateWindow(const WindowSpec& spec)
{
	std::lock_guard<std::mutex> lock(fLock);
	backend_window_id id = fNextId++;
	Window& window = fWindows[id];
	window.spec = spec;
	window.spec.width = std::max<int32>(spec.width, 1);
	window.spec.height = std::max<int32>(spec.height, 1);
	window.pixels.assign((size_t)window.spec.width * window.spec.height * 4, 0);
	fStacking.push_back(id);
	return id;
}

void HeadlessBackend::DestroyWindow(backend_window_id id)
{
	std::lock_guard<std::mutex> lock(fLock);
	fWindows.erase(id);
	fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
	if (fFocus == id)
		fFocus = -1;
	if (fPressWindow == id)
		fPressWindow = -1;
	if (fPointerWindow == id)
		fPointerWindow = -1;
}

void HeadlessBackend::SetTitle(backend_window_id id, const std::string& title)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it != fWindows.end())
		it->second.spec.title = title;
}

void HeadlessBackend::MoveWindow(backend_window_id id, int32 left, int32 top)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	it->second.spec.left = left;
	it->second.spec.top = top;
}

void HeadlessBackend::ResizeWindow(backend_window_id id, int32 width, int32 height)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	Window& window = it->second;
	width = std::max<int32>(width, 1);
	height = std::max<int32>(height, 1);
	if (width == window.spec.width && height == window.spec.height)
		return;
	// Keep what overlaps, as a display server keeps the old contents until the next frame.
	std::vector<uint8> pixels((size_t)width * height * 4, 0);
	int32 rows = std::min(height, window.spec.height);
	size_t rowBytes = (size_t)std::min(width, window.spec.width) * 4;
	for (int32 y = 0; y < rows; y++) {
		memcpy(&pixels[(size_t)y * width * 4], &window.pixels[(size_t)y * window.spec.width * 4],
		       rowBytes);
	}
	window.pixels.swap(pixels);
	window.spec.width = width;
	window.spec.height = height;
}

void HeadlessBackend::SetSizeLimits(backend_window_id id, int32 minWidth, int32 maxWidth,
                                    int32 minHeight, int32 maxHeight)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	it->second.minWidth = minWidth;
	it->second.maxWidth = maxWidth;
	it->second.minHeight = minHeight;
	it->second.maxHeight = maxHeight;
}

void HeadlessBackend::ShowWindow(backend_window_id id)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	it->second.visible = true;
	fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
	fStacking.push_back(id);
}

void HeadlessBackend::HideWindow(backend_window_id id)
{
	backend_window_id lostFocus = -1;
	{
		std::lock_guard<std::mutex> lock(fLock);
		auto it = fWindows.find(id);
		if (it == fWindows.end())
			return;
		it->second.visible = false;
		if (fFocus == id) {
			lostFocus = id;
			fFocus = -1;
		}
		if (fPressWindow == id)
			fPressWindow = -1;
	}
	if (lostFocus >= 0) {
		InputEvent event;
		event.type = InputEvent::WindowDeactivated;
		event.window = lostFocus;
		_Deliver(event);
	}
}

void HeadlessBackend::ActivateWindow(backend_window_id id)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		auto it = fWindows.find(id);
		if (it == fWindows.end() || !it->second.visible || it->second.spec.avoidFocus)
			return;
		fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
		fStacking.push_back(id);
	}
	_SetFocus(id);
}

void HeadlessBackend::RaiseWindow(backend_window_id id)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fWindows.count(id) == 0)
		return;
	fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
	fStacking.push_back(id);
}

void HeadlessBackend::_SetFocus(backend_window_id id)
{
	backend_window_id previous;
	{
		std::lock_guard<std::mutex> lock(fLock);
		previous = fFocus;
		if (previous == id)
			return;
		fFocus = id;
	}
	InputEvent event;
	if (previous >= 0) {
		event.type = InputEvent::WindowDeactivated;
		event.window = previous;
		_Deliver(event);
	}
	if (id >= 0) {
		event.type = InputEvent::WindowActivated;
		event.window = id;
		_Deliver(event);
	}
}

void HeadlessBackend::Present(backend_window_id id, const graphics::PixelBuffer& frame,
                              const std::vector<graphics::IntRect>& dirty)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end() || !frame.IsValid())
		return;
	Window& window = it->second;
	graphics::IntRect bounds(0, 0, std::min(frame.width, window.spec.width) - 1,
	                         std::min(frame.height, window.spec.height) - 1);
	for (const graphics::IntRect& rect : dirty) {
		graphics::IntRect clipped = rect & bounds;
		if (!clipped.IsValid())
			continue;
		size_t bytes = (size_t)clipped.PixelWidth() * 4;
		for (int32 y = clipped.top; y <= clipped.bottom; y++) {
			memcpy(&window.pixels[((size_t)y * window.spec.width + clipped.left) * 4],
			       frame.PixelAt(clipped.left, y), bytes);
		}
	}
	window.frames++;
	fFrames++;
	if (!fDumpFolder.empty())
		_DumpFrame(id, window);
	lock.unlock();
	fFramesChanged.notify_all();
}

void HeadlessBackend::_DumpFrame(backend_window_id id, const Window& window)
{
	char name[64];
	snprintf(name, sizeof(name), "/window%d-frame%06llu.png", (int)id,
	         (unsigned long long)window.frames);
	graphics::PixelBuffer buffer(const_cast<uint8*>(window.pixels.data()), window.spec.width,
	                             window.spec.height, window.spec.width * 4);
	std::string path = fDumpFolder + name;
	FILE* file = fopen(path.c_str(), "wb");
	if (file == nullptr)
		return;
	graphics::PngCodec::EncodeToFd(buffer, graphics::PixelLayout::Bgra, fileno(file));
	fclose(file);
}

graphics::IntRect HeadlessBackend::ScreenFrame() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return graphics::IntRect(0, 0, fScreenWidth - 1, fScreenHeight - 1);
}

void HeadlessBackend::SetScreenSize(int32 width, int32 height)
{
	std::lock_guard<std::mutex> lock(fLock);
	fScreenWidth = std::max<int32>(width, 1);
	fScreenHeight = std::max<int32>(height, 1);
}

void HeadlessBackend::GetPointer(float* x, float* y, uint32* buttons) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (x != nullptr)
		*x = fPointerX;
	if (y != nullptr)
		*y = fPointerY;
	if (buttons != nullptr)
		*buttons = fButtons;
}

uint32 HeadlessBackend::Modifiers() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fModifiers;
}

void HeadlessBackend::StartTextInput(backend_window_id, const graphics::IntRect& caret)
{
	std::lock_guard<std::mutex> lock(fLock);
	fTextInput = true;
	fCaret = caret;
}

void HeadlessBackend::StopTextInput(backend_window_id)
{
	std::lock_guard<std::mutex> lock(fLock);
	fTextInput = false;
	fPreedit = false;
}

std::string HeadlessBackend::ClipboardText() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fClipboard;
}

void HeadlessBackend::SetClipboardText(const std::string& text)
{
	std::lock_guard<std::mutex> lock(fLock);
	fClipboard = text;
}

void HeadlessBackend::InjectClipboard(const std::string& text)
{
	SetClipboardText(text);
}

// #pragma mark - input

backend_window_id HeadlessBackend::_WindowAt(float x, float y) const
{
	for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
		const Window& window = fWindows.at(*it);
		if (!window.visible)
			continue;
		if (window.spec.Contains(x, y))
			return *it;
	}
	return -1;
}

void HeadlessBackend::_Deliver(InputEvent& event)
{
	InputSink* sink;
	{
		std::lock_guard<std::mutex> lock(fLock);
		sink = fSink;
		event.when = system_time();
		if (event.modifiers == 0)
			event.modifiers = fModifiers;
	}
	if (sink != nullptr)
		sink->HandleInput(event);
}

void HeadlessBackend::InjectMouseMove(float x, float y)
{
	InputEvent event;
	backend_window_id left = -1;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fPointerX = x;
		fPointerY = y;
		backend_window_id under = _WindowAt(x, y);
		if (under != fPointerWindow && fPointerWindow >= 0 && fPressWindow < 0)
			left = fPointerWindow;
		if (fPressWindow < 0)
			fPointerWindow = under;
		event.window = fPressWindow >= 0 ? fPressWindow : under;
		event.buttons = fButtons;
	}
	if (left >= 0) {
		InputEvent leave;
		leave.type = InputEvent::MouseLeft;
		leave.window = left;
		leave.x = x;
		leave.y = y;
		_Deliver(leave);
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::MouseMoved;
	event.x = x;
	event.y = y;
	_Deliver(event);
}

void HeadlessBackend::InjectMouseDown(float x, float y, uint32 button, uint32 modifiers)
{
	InjectMouseMove(x, y);
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fButtons == 0)
			fPressWindow = _WindowAt(x, y);
		fButtons |= button;
		// The modifiers belong to this press only, as a click with Shift held and released
		// around it; the keyboard's own state changes through InjectModifiers.
		event.window = fPressWindow;
		event.buttons = fButtons;
		event.modifiers = modifiers;
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::MouseDown;
	event.x = x;
	event.y = y;
	_Deliver(event);
}

void HeadlessBackend::InjectMouseUp(float x, float y, uint32 button, uint32 modifiers)
{
	InjectMouseMove(x, y);
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fButtons &= ~button;
		event.window = fPressWindow >= 0 ? fPressWindow : _WindowAt(x, y);
		if (fButtons == 0) {
			fPressWindow = -1;
			fPointerWindow = _WindowAt(x, y);
		}
		event.buttons = fButtons;
		event.modifiers = modifiers;
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::MouseUp;
	event.x = x;
	event.y = y;
	_Deliver(event);
}

void HeadlessBackend::InjectWheel(float deltaX, float deltaY)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		event.window = _WindowAt(fPointerX, fPointerY);
		event.x = fPointerX;
		event.y = fPointerY;
		event.buttons = fButtons;
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::Wheel;
	event.deltaX = deltaX;
	event.deltaY = deltaY;
	_Deliver(event);
}

void HeadlessBackend::InjectKeyDown(int32 key, int32 rawChar, const std::string& bytes,
                                    uint32 modifiers, bool repeat)
{
	_InjectKeyEvent(InputEvent::KeyDown, key, rawChar, bytes, modifiers, repeat);
}

void HeadlessBackend::InjectKeyUp(int32 key, int32 rawChar, const std::string& bytes,
                                  uint32 modifiers)
{
	_InjectKeyEvent(InputEvent::KeyUp, key, rawChar, bytes, modifiers, false);
}

void HeadlessBackend::_InjectKeyEvent(InputEvent::Type type, int32 key, int32 rawChar,
                                      const std::string& bytes, uint32 modifiers, bool repeat)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		event.window = fFocus;
	}
	if (event.window < 0)
		return;
	event.type = type;
	event.key = key;
	event.rawChar = rawChar;
	event.bytes = bytes;
	event.modifiers = modifiers;
	event.repeat = repeat;
	_Deliver(event);
}

void HeadlessBackend::InjectKey(int32 key, int32 rawChar, const std::string& bytes,
                                uint32 modifiers, bool repeat)
{
	uint32 before = Modifiers();
	if (modifiers != before)
		InjectModifiers(modifiers);
	InjectKeyDown(key, rawChar, bytes, modifiers, repeat);
	InjectKeyUp(key, rawChar, bytes, modifiers);
	if (modifiers != before)
		InjectModifiers(before);
}

void HeadlessBackend::InjectModifiers(uint32 modifiers)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fModifiers = modifiers;
		event.window = fFocus;
	}
	event.type = InputEvent::ModifiersChanged;
	event.modifiers = modifiers;
	if (event.window >= 0)
		_Deliver(event);
}

void HeadlessBackend::InjectPreedit(const std::string& text, int32 selectionStart,
                                    int32 selectionEnd)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		event.window = fFocus;
		if (!fTextInput)
			return;
		fPreedit = !text.empty();
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::PreeditChanged;
	event.text = text;
	event.selectionStart = selectionStart;
	event.selectionEnd = selectionEnd;
	_Deliver(event);
}

void HeadlessBackend::InjectCommit(const std::string& text)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		event.window = fFocus;
		if (!fTextInput)
			return;
		fPreedit = false;
	}
	if (event.window < 0)
		return;
	event.type = InputEvent::TextCommitted;
	event.text = text;
	_Deliver(event);
}

void HeadlessBackend::InjectCloseRequest(backend_window_id id)
{
	InputEvent event;
	event.type = InputEvent::CloseRequested;
	event.window = id;
	_Deliver(event);
}

void HeadlessBackend::InjectUserResize(backend_window_id id, int32 width, int32 height)
{
	InputEvent event;
	{
		std::lock_guard<std::mutex> lock(fLock);
		auto it = fWindows.find(id);
		if (it == fWindows.end())
			return;
		// The display server keeps the user within the window's limits.
		const Window& window = it->second;
		width = std::clamp(width, window.minWidth, std::max(window.minWidth, window.maxWidth));
		height =
		    std::clamp(height, window.minHeight, std::max(window.minHeight, window.maxHeight));
	}
	ResizeWindow(id, width, height);
	event.type = InputEvent::WindowResized;
	event.window = id;
	event.width = width;
	event.height = height;
	_Deliver(event);
}

void HeadlessBackend::InjectUserMove(backend_window_id id, int32 left, int32 top)
{
	MoveWindow(id, left, top);
	InputEvent event;
	event.type = InputEvent::WindowMoved;
	event.window = id;
	event.left = left;
	event.top = top;
	_Deliver(event);
}

// #pragma mark - inspection

bool HeadlessBackend::GetWindow(backend_window_id id, WindowState* state) const
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return false;
	*state = it->second;
	return true;
}

std::vector<backend_window_id> HeadlessBackend::VisibleWindows() const
{
	std::lock_guard<std::mutex> lock(fLock);
	std::vector<backend_window_id> result;
	for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
		if (fWindows.at(*it).visible)
			result.push_back(*it);
	}
	return result;
}

backend_window_id HeadlessBackend::FocusedWindow() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fFocus;
}

bool HeadlessBackend::TextInputActive(graphics::IntRect* caret) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (caret != nullptr)
		*caret = fCaret;
	return fTextInput;
}

uint64 HeadlessBackend::PresentedFrames() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fFrames;
}

bool HeadlessBackend::WaitForFrames(uint64 count, bigtime_t timeout) const
{
	std::unique_lock<std::mutex> lock(fLock);
	return fFramesChanged.wait_for(lock, std::chrono::microseconds(timeout),
	                               [&] { return fFrames > count; });
}

} // namespace BPrivate
