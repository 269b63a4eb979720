// glowplate-gallery: one window holding every control of the platform, with a menu bar, a
// button that shows an alert and one that opens the save panel, to look at the toolkit as a
// user would and to drive it in end-to-end tests. With --trace every action is also written
// to standard output, one line each ("ready" first).
#include <cstdio>
#include <cstring>
#include <string>

#include <Alert.h>
#include <Application.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <FilePanel.h>
#include <Invoker.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "GalleryView.h"
#include "WindowPrivate.h"

namespace {

bool sTrace = false;

class GalleryWindow : public BWindow {
public:
	GalleryWindow() : BWindow(BRect(60, 60, 719, 559), "Glowplate Gallery", B_TITLED_WINDOW, 0)
	{
		BMenuBar* bar = new BMenuBar(BRect(0, 0, 0, 0), "MenuBar");
		BMenu* file = new BMenu("File");
		file->AddItem(new BMenuItem("Save…", new BMessage(kMsgSave), 'S'));
		file->AddSeparatorItem();
		file->AddItem(new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q'));
		bar->AddItem(file);
		BMenu* view = new BMenu("View");
		view->AddItem(new BMenuItem("Enable controls", new BMessage(kMsgEnable)));
		view->AddItem(new BMenuItem("Disable controls", new BMessage(kMsgDisable)));
		bar->AddItem(view);
		BMenu* help = new BMenu("Help");
		help->AddItem(new BMenuItem("About…", new BMessage(kMsgAbout)));
		bar->AddItem(help);
		AddChild(bar);
		SetKeyMenuBar(bar);

		BRect content = Bounds();
		content.top = bar->Frame().bottom + 1;
		fView = new BPrivate::GalleryView(content);
		AddChild(fView);
		fPanel = nullptr;
	}

	~GalleryWindow() override { delete fPanel; }

	bool QuitRequested() override
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case kMsgSave:
			if (fPanel == nullptr) {
				BMessenger target(this);
				fPanel = new BFilePanel(B_SAVE_PANEL, &target, nullptr, 0, false);
			}
			fPanel->Show();
			if (BPrivate::WindowAccess::Sync(fPanel->Window()) == B_OK)
				Report("panel shown");
			break;
		case B_SAVE_REQUESTED: {
			entry_ref folder;
			const char* name = nullptr;
			if (message->FindRef("directory", &folder) == B_OK &&
			    message->FindString("name", &name) == B_OK) {
				BPath path(&folder);
				std::string file = std::string(path.Path()) + "/" + name;
				FILE* out = fopen(file.c_str(), "w");
				if (out != nullptr) {
					fputs("Saved by the gallery.\n", out);
					fclose(out);
				}
				Report("saved " + file);
			}
			break;
		}
		case B_CANCEL:
			Report("panel cancelled");
			break;
		case kMsgAlert: {
			BAlert* alert = new BAlert("Gallery", "This is an alert with three buttons. Each "
			                                      "answers to the letter its label marks.",
			                           "Cancel", "No (N)", "Yes (Y)", B_WIDTH_AS_USUAL,
			                           B_IDEA_ALERT);
			alert->SetShortcut(0, B_ESCAPE);
			alert->SetShortcut(1, 'n');
			alert->SetShortcut(2, 'y');
			// Answered by message, so that the window can say when the alert is up.
			alert->Go(new BInvoker(new BMessage(kMsgAlertAnswer), this));
			if (BPrivate::WindowAccess::Sync(alert) == B_OK)
				Report("alert shown");
			break;
		}
		case kMsgAlertAnswer:
			Report("alert answered " + std::to_string(message->GetInt32("which", -1)));
			break;
		case kMsgAbout: {
			BAlert* alert = new BAlert("About", "Glowplate Gallery: every control of the toolkit "
			                                    "in one window.",
			                           "OK");
			alert->Go();
			break;
		}
		case kMsgEnable:
		case kMsgDisable:
			fView->SetControlsEnabled(message->what == kMsgEnable);
			break;
		case BPrivate::GalleryView::kMsgReport:
			Report(message->GetString("text", ""));
			break;
		default:
			BWindow::MessageReceived(message);
			break;
		}
	}

	void Report(const std::string& text)
	{
		fView->ShowStatus(text.c_str());
		if (sTrace) {
			printf("%s\n", text.c_str());
			fflush(stdout);
		}
	}

private:
	enum : uint32 {
		kMsgSave = 'gsav',
		kMsgAbout = 'gabt',
		kMsgAlert = 'galt',
		kMsgAlertAnswer = 'gans',
		kMsgEnable = 'genb',
		kMsgDisable = 'gdis',
	};

	BPrivate::GalleryView* fView;
	BFilePanel* fPanel;
};

class GalleryApp : public BApplication {
public:
	GalleryApp() : BApplication("application/x-vnd.Tamarack-GlowplateGallery")
	{
		fWindow = new GalleryWindow;
		fWindow->Show();
	}
	void ReadyToRun() override
	{
		if (sTrace && BPrivate::WindowAccess::Sync(fWindow) == B_OK) {
			printf("ready\n");
			fflush(stdout);
		}
	}

private:
	GalleryWindow* fWindow;
};

} // namespace

int main(int argc, char** argv)
{
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--trace") == 0) {
			sTrace = true;
		} else {
			fprintf(stderr, "usage: %s [--trace]\n", argv[0]);
			return 2;
		}
	}
	GalleryApp app;
	app.Run();
	return 0;
}
