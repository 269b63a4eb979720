// Views and windows that record what reaches them, for the window tests. Every record is
// taken in the window's thread and read by the test thread after a barrier, under a lock.
#ifndef WINDOW_TEST_SUPPORT_H
#define WINDOW_TEST_SUPPORT_H

#include <mutex>
#include <string>
#include <vector>

#include <Message.h>
#include <View.h>
#include <Window.h>

struct InputRecord {
	std::string kind; // "down", "up", "moved", "key", "keyup", "im", "drop", "focus", ...
	BPoint where;
	uint32 transit = 0;
	int32 clicks = 0;
	uint32 buttons = 0;
	int32 modifiers = 0;
	int32 rawChar = 0;
	int32 key = 0;
	std::string bytes;
	bool hasDrag = false;
	BMessage message;
};

class RecordingView : public BView {
public:
	RecordingView(BRect frame, const char* name, uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	              uint32 flags = B_WILL_DRAW | B_NAVIGABLE)
	    : BView(frame, name, resizingMode, flags)
	{
	}

	void MouseDown(BPoint where) override { _Record("down", where); }
	void MouseUp(BPoint where) override { _Record("up", where); }
	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag) override
	{
		InputRecord record = _Make("moved", where);
		record.transit = transit;
		record.hasDrag = drag != nullptr;
		if (drag != nullptr)
			record.message = *drag;
		_Add(record);
	}
	void KeyDown(const char* bytes, int32 numBytes) override
	{
		InputRecord record = _Make("key", BPoint());
		record.bytes.assign(bytes, (size_t)numBytes);
		_Add(record);
		if (passKeys)
			BView::KeyDown(bytes, numBytes);
	}
	void KeyUp(const char* bytes, int32 numBytes) override
	{
		InputRecord record = _Make("keyup", BPoint());
		record.bytes.assign(bytes, (size_t)numBytes);
		_Add(record);
	}
	void MakeFocus(bool focus) override
	{
		BView::MakeFocus(focus);
		InputRecord record;
		record.kind = focus ? "focus" : "unfocus";
		_Add(record);
	}
	void FrameMoved(BPoint where) override { _Add(_Make("framemoved", where)); }
	void FrameResized(float width, float height) override
	{
		_Add(_Make("frameresized", BPoint(width, height)));
	}
	void WindowActivated(bool active) override
	{
		InputRecord record;
		record.kind = active ? "activated" : "deactivated";
		_Add(record);
	}
	void MessageReceived(BMessage* message) override
	{
		InputRecord record;
		record.kind = message->WasDropped() ? "drop" : "message";
		record.message = *message;
		record.where = message->WasDropped() ? message->DropPoint() : BPoint();
		_Add(record);
		BView::MessageReceived(message);
	}
	void Draw(BRect) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		draws++;
	}

	std::vector<InputRecord> Records()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fRecords;
	}
	std::vector<InputRecord> Records(const std::string& kind)
	{
		std::lock_guard<std::mutex> lock(fLock);
		std::vector<InputRecord> result;
		for (const InputRecord& record : fRecords) {
			if (record.kind == kind)
				result.push_back(record);
		}
		return result;
	}
	void Clear()
	{
		std::lock_guard<std::mutex> lock(fLock);
		fRecords.clear();
		draws = 0;
	}
	int32 Draws()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return draws;
	}

	bool passKeys = true;

private:
	InputRecord _Make(const char* kind, BPoint where)
	{
		InputRecord record;
		record.kind = kind;
		record.where = where;
		if (BWindow* window = Window()) {
			if (BMessage* current = window->CurrentMessage()) {
				record.clicks = current->GetInt32("clicks", 0);
				record.buttons = (uint32)current->GetInt32("buttons", 0);
				record.modifiers = current->GetInt32("modifiers", 0);
				record.rawChar = current->GetInt32("raw_char", 0);
				record.key = current->GetInt32("key", 0);
				record.message = *current;
			}
		}
		return record;
	}
	void _Record(const char* kind, BPoint where) { _Add(_Make(kind, where)); }
	void _Add(const InputRecord& record)
	{
		std::lock_guard<std::mutex> lock(fLock);
		fRecords.push_back(record);
	}

	std::mutex fLock;
	std::vector<InputRecord> fRecords;
	int32 draws = 0;
};

// A window that counts its hooks and can be told to refuse to quit.
class RecordingWindow : public BWindow {
public:
	RecordingWindow(BRect frame, const char* title, uint32 flags = 0,
	                window_type type = B_TITLED_WINDOW)
	    : BWindow(frame, title, type, flags)
	{
	}

	bool QuitRequested() override
	{
		std::lock_guard<std::mutex> lock(fLock);
		quitRequests++;
		return agreeToQuit;
	}
	void FrameMoved(BPoint where) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		moves.push_back(where);
	}
	void FrameResized(float width, float height) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		resizes.push_back(BPoint(width, height));
	}
	void WindowActivated(bool active) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		activations.push_back(active);
	}

	std::mutex fLock;
	int32 quitRequests = 0;
	bool agreeToQuit = true;
	std::vector<BPoint> moves;
	std::vector<BPoint> resizes;
	std::vector<bool> activations;
};

#endif
