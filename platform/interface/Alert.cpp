#include <Alert.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>

#include <Button.h>
#include <Invoker.h>
#include <Message.h>
#include <MessageFilter.h>
#include <Screen.h>

#include "AlertViews.h"
#include "DialogPlacement.h"

namespace BPrivate {

// What the alert's thread tells the thread waiting in Go; it outlives the alert, which goes
// as soon as it is answered.
struct AlertAnswer {
	std::mutex lock;
	std::condition_variable answered;
	bool done = false;
	int32 index = -1;
};

} // namespace BPrivate

namespace {

const uint32 kMsgButton = '_ALB';
const float kMargin = 12;
const float kButtonSpacing = 10;
const float kMinButtonWidth = 75;

// Sees every key before the focused view: Enter answers with the default button, a
// button's shortcut (alone or with Alt) with that button.
class AlertKeyFilter : public BMessageFilter {
public:
	explicit AlertKeyFilter(BAlert* alert) : BMessageFilter(B_KEY_DOWN), fAlert(alert) {}

	filter_result Filter(BMessage* message, BHandler** target) override
	{
		int32 modifiers = message->GetInt32("modifiers", 0);
		if ((modifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0)
			return B_DISPATCH_MESSAGE;
		const char* bytes = message->GetString("bytes", "");
		char key = bytes[0];
		if (key == 0 || bytes[1] != 0)
			return B_DISPATCH_MESSAGE;
		int32 count = fAlert->CountButtons();
		for (int32 i = 0; i < count; i++) {
			char shortcut = fAlert->Shortcut(i);
			if (shortcut != 0 && tolower((unsigned char)shortcut) == tolower((unsigned char)key)) {
				_Press(i);
				return B_SKIP_MESSAGE;
			}
		}
		if (key == B_ENTER && count > 0) {
			_Press(count - 1);
			return B_SKIP_MESSAGE;
		}
		return B_DISPATCH_MESSAGE;
	}

private:
	void _Press(int32 index)
	{
		BMessage press(kMsgButton);
		press.AddInt32("which", index);
		fAlert->PostMessage(&press);
	}

	BAlert* fAlert;
};

} // namespace

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
               const char* button3, button_width width, alert_type type)
    : BWindow(BRect(0, 0, 99, 99), title, B_MODAL_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL,
              B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_NOT_CLOSABLE | B_ASYNCHRONOUS_CONTROLS),
      fInvoker(nullptr)
{
	_Init(text, button1, button2, button3, width, type);
}

BAlert::BAlert(const char* title, const char* text, const char* button1, const char* button2,
               const char* button3, button_width width, button_spacing, alert_type type)
    : BAlert(title, text, button1, button2, button3, width, type)
{
}

BAlert::~BAlert()
{
	// An alert closed without an answer (the application quitting) still ends a waiting Go.
	if (fAnswer != nullptr) {
		std::lock_guard<std::mutex> lock(fAnswer->lock);
		if (!fAnswer->done) {
			fAnswer->done = true;
			fAnswer->answered.notify_all();
		}
	}
	delete fInvoker;
}

void BAlert::_Init(const char* text, const char* button1, const char* button2,
                   const char* button3, button_width width, alert_type type)
{
	fText = text != nullptr ? text : "";
	fType = type;
	fAnswer = std::make_shared<BPrivate::AlertAnswer>();
	const char* labels[] = {button1, button2, button3};
	for (int32 i = 0; i < 3; i++) {
		// The platform keeps the first button even without a label; later ones only with one.
		if (i > 0 && labels[i] == nullptr)
			break;
		BMessage* message = new BMessage(kMsgButton);
		message->AddInt32("which", i);
		BButton* button = new BButton(BRect(0, 0, 1, 1), "_b_", labels[i] != nullptr ? labels[i] : "",
		                              message, B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
		fButtons.push_back(button);
		fShortcuts.push_back(0);
	}
	_Layout(width);
	AddCommonFilter(new AlertKeyFilter(this));
}

void BAlert::_Layout(button_width width)
{
	BView* background = new BView(Bounds(), "_panel_", B_FOLLOW_ALL, B_WILL_DRAW);
	background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(background);

	float textLeft = kMargin;
	float iconBottom = 0;
	if (fType != B_EMPTY_ALERT) {
		BView* icon = new BPrivate::AlertIconView(BPoint(kMargin, kMargin), fType);
		background->AddChild(icon);
		textLeft = kMargin + BPrivate::AlertIconView::kSize + 14;
		iconBottom = icon->Frame().bottom;
	}
	BPrivate::AlertTextView* textView =
	    new BPrivate::AlertTextView(BPoint(textLeft, kMargin + 2), fText.c_str(), 380);
	background->AddChild(textView);

	// Buttons: as wide as their labels need (at least the usual width), or all as wide as the
	// widest; in a row at the bottom right, the default one last.
	float widest = kMinButtonWidth;
	float buttonHeight = 0;
	for (BButton* button : fButtons) {
		float preferredWidth, preferredHeight;
		button->GetPreferredSize(&preferredWidth, &preferredHeight);
		widest = std::max(widest, preferredWidth);
		buttonHeight = std::max(buttonHeight, preferredHeight + 1);
	}
	float rowWidth = 0;
	for (BButton* button : fButtons) {
		float preferredWidth;
		button->GetPreferredSize(&preferredWidth, nullptr);
		float buttonWidth = width == B_WIDTH_FROM_WIDEST ? widest
		                                                   : std::max(kMinButtonWidth, preferredWidth);
		button->ResizeTo(buttonWidth, buttonHeight);
		rowWidth += buttonWidth + 1 + (rowWidth > 0 ? kButtonSpacing : 0);
	}

	float contentBottom = std::max(iconBottom, textView->Frame().bottom);
	float windowWidth = std::max(textView->Frame().right + kMargin, rowWidth + 2 * kMargin);
	windowWidth = std::max(windowWidth, 260.0f);
	float buttonTop = contentBottom + 16;
	float windowHeight = buttonTop + buttonHeight + kMargin;
	ResizeTo(std::ceil(windowWidth), std::ceil(windowHeight));

	float x = Bounds().right - kMargin;
	for (auto it = fButtons.rbegin(); it != fButtons.rend(); ++it) {
		BButton* button = *it;
		x -= button->Frame().Width();
		button->MoveTo(x, buttonTop);
		x -= kButtonSpacing + 1;
	}
	for (BButton* button : fButtons)
		background->AddChild(button);
	if (!fButtons.empty())
		fButtons.back()->MakeDefault(true);
	MoveTo(AlertPosition(Frame().Width(), Frame().Height()));
}

void BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < (int32)fShortcuts.size())
		fShortcuts[(size_t)index] = key;
}

char BAlert::Shortcut(int32 index) const
{
	return index >= 0 && index < (int32)fShortcuts.size() ? fShortcuts[(size_t)index] : 0;
}

BButton* BAlert::ButtonAt(int32 index) const
{
	return index >= 0 && index < (int32)fButtons.size() ? fButtons[(size_t)index] : nullptr;
}

BPoint BAlert::AlertPosition(float width, float height)
{
	return BPrivate::dialog_position(width, height);
}

int32 BAlert::Go()
{
	std::shared_ptr<BPrivate::AlertAnswer> answer = fAnswer;
	// A window thread that waits here keeps drawing its window.
	BWindow* caller = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(nullptr)));
	Show();
	std::unique_lock<std::mutex> lock(answer->lock);
	while (!answer->done) {
		if (caller == nullptr) {
			answer->answered.wait(lock);
			continue;
		}
		answer->answered.wait_for(lock, std::chrono::milliseconds(30));
		lock.unlock();
		caller->UpdateIfNeeded();
		lock.lock();
	}
	return answer->index;
}

status_t BAlert::Go(BInvoker* invoker)
{
	delete fInvoker;
	fInvoker = invoker;
	Show();
	return B_OK;
}

void BAlert::MessageReceived(BMessage* message)
{
	if (message->what == kMsgButton) {
		_Answer(message->GetInt32("which", -1));
		return;
	}
	BWindow::MessageReceived(message);
}

void BAlert::_Answer(int32 index)
{
	if (fInvoker != nullptr) {
		BMessage* base = fInvoker->Message();
		BMessage message(base != nullptr ? *base : BMessage());
		message.AddInt32("which", index);
		fInvoker->Invoke(&message);
	}
	{
		std::lock_guard<std::mutex> lock(fAnswer->lock);
		fAnswer->index = index;
		fAnswer->done = true;
	}
	fAnswer->answered.notify_all();
	Quit();
}

bool BAlert::QuitRequested()
{
	// Only the application's own quit closes an alert without an answer.
	return CurrentMessage() == nullptr;
}

