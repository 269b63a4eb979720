#include "TGlowplateWindow.h"

#include <cctype>

#include <Application.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Resources.h>

#include <AppIdentity.h>
#include <EditorLocaleKeys.h>
#include <TGlowplateView.h>
#include <UIUtils.h>

#include "AccLabel.h"
#include "AppLocaleKeys.h"
#include "Globals.h"

namespace {

const type_code kViewTreeType = 'ARCV';
const char kViewTreeName[] = "GlowplateViewRsrc";

// A localised label with "..." after it, as items that open a window carry.
BString with_ellipsis(const char* key)
{
	BString label(gLocale.GetString(key));
	label << "...";
	return label;
}

} // namespace

TGlowplateWindow::TGlowplateWindow(BRect frame)
    : TDialogWindow(frame, gLocale.GetString(gAppNameEnUs), B_TITLED_WINDOW,
                    B_ASYNCHRONOUS_CONTROLS, 0),
      mInitStatus(B_NO_INIT), mMenuBar(nullptr), mGlowplateView(nullptr)
{
	if (_BuildEditorView() != B_OK)
		return;

	mMenuBar = new BMenuBar(BRect(0, 0, 0, 0), "MenuBar", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
	                        B_ITEMS_IN_ROW, true);
	AddChild(mMenuBar);
	// F10 opens the first menu, as on other desktops.
	SetKeyMenuBar(mMenuBar);

	mGlowplateView->MoveTo(0, mMenuBar->Frame().bottom + 1);
	// The window takes the view's size without the view following it.
	mGlowplateView->SetResizingMode(B_FOLLOW_NONE);
	ResizeTo(mGlowplateView->Frame().right, mGlowplateView->Frame().bottom);
	mGlowplateView->SetResizingMode(B_FOLLOW_ALL);

	SetWinTitle();
	CreateMenu();
	mInitStatus = B_OK;
}

TGlowplateWindow::~TGlowplateWindow() {}

status_t TGlowplateWindow::_BuildEditorView()
{
	BResources* resources = BApplication::AppResources();
	if (resources == nullptr)
		return B_ERROR;
	size_t size = 0;
	const void* data = resources->LoadResource(kViewTreeType, kViewTreeName, &size);
	if (data == nullptr)
		return B_NAME_NOT_FOUND;
	BMessage archive;
	status_t status = archive.Unflatten((const char*)data, (ssize_t)size);
	if (status != B_OK)
		return status;
	mGlowplateView = new TGlowplateView(&archive);
	AddChild(mGlowplateView);
	return B_OK;
}

void TGlowplateWindow::SetWinTitle()
{
	SetTitle(gLocale.GetString(gAppNameJaJp));
}

void TGlowplateWindow::CreateMenu()
{
	BMenu* file = new BMenu(acc_label("F", gLocale.GetString(LKK_MENU_FILE)).String(),
	                        B_ITEMS_IN_COLUMN);
	// Saving is the editor's button; the menu offers it too, with the shortcut every desktop
	// program has, and sends the button's own message to the editor.
	BMenuItem* save = new BMenuItem(acc_label("S", with_ellipsis(LKK_MITEM_SAVE_IMAGE)).String(),
	                                new BMessage(MSG_BUTTON_SAVE_CLICKED), 'S');
	save->SetTarget(mGlowplateView);
	file->AddItem(save);
	file->AddSeparatorItem();
	file->AddItem(new BMenuItem(acc_label("Q", gLocale.GetString(LKK_MITEM_QUIT)).String(),
	                            new BMessage(B_QUIT_REQUESTED), 'Q'));
	mMenuBar->AddItem(file);

	BMenu* help = new BMenu(acc_label("H", gLocale.GetString(LKK_MENU_HELP)).String(),
	                        B_ITEMS_IN_COLUMN);
	help->AddItem(new BMenuItem(acc_label("A", with_ellipsis(LKK_MITEM_ABOUT)).String(),
	                            new BMessage(B_ABOUT_REQUESTED)));
	mMenuBar->AddItem(help);
}

void TGlowplateWindow::DestroyMenu()
{
	if (mMenuBar == nullptr)
		return;
	while (BMenu* menu = mMenuBar->SubmenuAt(0)) {
		mMenuBar->RemoveItem(menu);
		delete menu;
	}
}

void TGlowplateWindow::MessageReceived(BMessage* message)
{
	TDialogWindow::MessageReceived(message);
}

void TGlowplateWindow::KeyDown(BMessage* message)
{
	uint32 modifiers = (uint32)message->GetInt32("modifiers", 0);
	char rawChar = (char)message->GetInt32("raw_char", 0);
	bool altOnly = (modifiers & B_CONTROL_KEY) != 0 &&
	               (modifiers & (B_COMMAND_KEY | B_OPTION_KEY | B_SHIFT_KEY)) == 0;
	if (altOnly && _OpenMenuOfLetter(rawChar))
		return;
	TDialogWindow::KeyDown(message);
}

bool TGlowplateWindow::_OpenMenuOfLetter(char letter)
{
	if (mMenuBar == nullptr || letter == 0)
		return false;
	int wanted = std::toupper((unsigned char)letter);
	for (int32 i = 0; BMenuItem* item = mMenuBar->ItemAt(i); i++) {
		char marked = short_cut_from_label(item->Label());
		if (marked != 0 && std::toupper((unsigned char)marked) == wanted) {
			mMenuBar->StartMenuBar(i, true, true);
			return true;
		}
	}
	return false;
}

void TGlowplateWindow::Quit()
{
	gExitStates.mWindowFrame = Frame();
	TDialogWindow::Quit();
}

bool TGlowplateWindow::QuitRequested()
{
	be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	return TBasicWindow::QuitRequested();
}

void TGlowplateWindow::IAPChanged(BMessage*) {}
