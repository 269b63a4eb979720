// The calling threads' side of the SDL backend: every method here queues work for the
// backend's thread or reads a copy it keeps, and none of them waits for that thread (Start
// and Stop aside). The backend's thread itself is in SdlBackendThread.cpp.
#include "SdlBackend.h"

#include <SDL.h>

#include <X11Keyboard.h>

namespace BPrivate {

namespace {

// Only one backend may own SDL's video at a time.
std::atomic<bool> sRunning{false};

} // namespace

SdlBackend::SdlBackend() {}

SdlBackend::~SdlBackend()
{
	Stop();
}

status_t SdlBackend::Start(InputSink* sink, std::string* error)
{
	std::string message;
	if (fStarted) {
		message = "The SDL display was started once already.";
	} else if (sRunning.exchange(true)) {
		message = "Another SDL display is already running in this program.";
	}
	if (!message.empty()) {
		if (error != nullptr)
			*error = message;
		return B_NOT_ALLOWED;
	}
	fStarted = true;
	fSink = sink;
	fThread = std::thread([this] { _ThreadMain(); });

	std::unique_lock<std::mutex> lock(fStartLock);
	fStartCondition.wait(lock, [this] { return fStartState != StartState::Starting; });
	if (fStartState == StartState::Running)
		return B_OK;
	lock.unlock();
	fThread.join();
	sRunning.store(false);
	if (error != nullptr)
		*error = fStartError;
	return B_ERROR;
}

void SdlBackend::Stop()
{
	if (!fThread.joinable())
		return;
	fQuitting.store(true);
	_Wake(true);
	fThread.join();
	sRunning.store(false);
	std::lock_guard<std::mutex> lock(fCommandLock);
	fCommands.clear();
}

backend_window_id SdlBackend::CreateWindow(const WindowSpec& spec)
{
	std::shared_ptr<SdlWindow> window;
	std::shared_ptr<SdlWindow> parent;
	{
		std::lock_guard<std::mutex> lock(fWindowsLock);
		backend_window_id id = fNextWindow++;
		window = std::make_shared<SdlWindow>(id, spec);
		fWindows[id] = window;
		auto found = fWindows.find(spec.parent);
		if (found != fWindows.end())
			parent = found->second;
	}
	_Post([this, window, parent] { _Create(window, parent); });
	return window->ID();
}

void SdlBackend::DestroyWindow(backend_window_id id)
{
	std::shared_ptr<SdlWindow> window;
	{
		std::lock_guard<std::mutex> lock(fWindowsLock);
		auto found = fWindows.find(id);
		if (found == fWindows.end())
			return;
		window = found->second;
		fWindows.erase(found);
	}
	_Post([this, window] { _Destroy(window); });
}

void SdlBackend::SetTitle(backend_window_id window, const std::string& title)
{
	_PostFor(window, [title](SdlWindow& target) { target.SetTitle(title); });
}

void SdlBackend::MoveWindow(backend_window_id window, int32 left, int32 top)
{
	_PostFor(window, [this, left, top](SdlWindow& target) {
		target.Move(left, top);
		_SyncFrame(target);
	});
}

void SdlBackend::ResizeWindow(backend_window_id window, int32 width, int32 height)
{
	_PostFor(window, [this, width, height](SdlWindow& target) {
		target.Resize(width, height);
		_SyncFrame(target);
	});
}

void SdlBackend::SetSizeLimits(backend_window_id window, int32 minWidth, int32 maxWidth,
                               int32 minHeight, int32 maxHeight)
{
	_PostFor(window, [=, this](SdlWindow& target) {
		target.SetSizeLimits(minWidth, maxWidth, minHeight, maxHeight);
		// SDL resizes a window that the new limits exclude.
		_SyncFrame(target);
	});
}

void SdlBackend::ShowWindow(backend_window_id window)
{
	_PostFor(window, [](SdlWindow& target) { target.Show(); });
}

void SdlBackend::HideWindow(backend_window_id window)
{
	_PostFor(window, [](SdlWindow& target) { target.Hide(); });
}

void SdlBackend::ActivateWindow(backend_window_id window)
{
	_PostFor(window, [](SdlWindow& target) { target.Activate(); });
}

void SdlBackend::RaiseWindow(backend_window_id window)
{
	_PostFor(window, [](SdlWindow& target) { target.Raise(); });
}

void SdlBackend::Present(backend_window_id id, const graphics::PixelBuffer& frame,
                         const std::vector<graphics::IntRect>& dirty)
{
	std::shared_ptr<SdlWindow> window = _Find(id);
	if (window == nullptr || !window->Shadow().Store(frame, dirty))
		return;
	// One request at a time: frames presented before the backend's thread gets to it are
	// shown together.
	if (window->RequestShow())
		_Post([window] { window->ShowFrame(); });
}

graphics::IntRect SdlBackend::ScreenFrame() const
{
	std::lock_guard<std::mutex> lock(fCacheLock);
	return fScreen;
}

void SdlBackend::GetPointer(float* x, float* y, uint32* buttons) const
{
	fTranslator.GetPointer(x, y, buttons);
}

uint32 SdlBackend::Modifiers() const
{
	uint32 modifiers = 0;
	if (fUsesX11.load() && read_x11_modifiers(&modifiers))
		return modifiers;
	// Elsewhere the state that came with the last key event is the best there is.
	return fTranslator.Modifiers();
}

void SdlBackend::StartTextInput(backend_window_id window, const graphics::IntRect& caret)
{
	_PostFor(window, [this, caret](SdlWindow& target) { _StartText(target, caret); });
}

void SdlBackend::StopTextInput(backend_window_id window)
{
	_Post([this, window] { _StopText(window); });
}

std::string SdlBackend::ClipboardText() const
{
	std::lock_guard<std::mutex> lock(fCacheLock);
	return fClipboard;
}

void SdlBackend::SetClipboardText(const std::string& text)
{
	{
		// The program reads back what it wrote even before the backend's thread passed it on.
		std::lock_guard<std::mutex> lock(fCacheLock);
		fClipboard = text;
	}
	_Post([this, text] {
		SDL_SetClipboardText(text.c_str());
		// A clipboard change read before this write ran must not win over it.
		std::lock_guard<std::mutex> lock(fCacheLock);
		fClipboard = text;
	});
}

uint32 SdlBackend::SdlWindowID(backend_window_id window) const
{
	std::shared_ptr<SdlWindow> found = _Find(window);
	return found != nullptr ? found->SdlID() : 0;
}

bool SdlBackend::CopyShadowBuffer(backend_window_id window, std::vector<uint8>* pixels,
                                  int32* width, int32* height) const
{
	std::shared_ptr<SdlWindow> found = _Find(window);
	return found != nullptr && found->Shadow().Snapshot(pixels, width, height);
}

void SdlBackend::RunOnBackendThread(std::function<void()> work)
{
	_Post(std::move(work));
}

std::shared_ptr<SdlWindow> SdlBackend::_Find(backend_window_id window) const
{
	std::lock_guard<std::mutex> lock(fWindowsLock);
	auto found = fWindows.find(window);
	return found != fWindows.end() ? found->second : nullptr;
}

void SdlBackend::_Post(Command command)
{
	// Nothing runs after Stop; window threads that still present must not fill the queue.
	if (fQuitting.load())
		return;
	{
		std::lock_guard<std::mutex> lock(fCommandLock);
		fCommands.push_back(std::move(command));
	}
	_Wake(false);
}

void SdlBackend::_PostFor(backend_window_id id, std::function<void(SdlWindow&)> command)
{
	std::shared_ptr<SdlWindow> window = _Find(id);
	if (window != nullptr)
		_Post([window, command] { command(*window); });
}

void SdlBackend::_Wake(bool always)
{
	if (fWakePending.exchange(true) && !always)
		return;
	// Before SDL started and after it stopped there is nobody to wake: the loop runs the
	// queued commands when it starts, and they are dropped when it has ended.
	std::lock_guard<std::mutex> lock(fWakeLock);
	if (!fSdlRunning)
		return;
	SDL_Event event = {};
	event.type = fWakeEvent;
	SDL_PushEvent(&event);
}

std::unique_ptr<DisplayBackend> make_sdl_backend()
{
	return std::make_unique<SdlBackend>();
}

} // namespace BPrivate
