// A menu that opens where the program asks (Go) and the menu of a menu field. In radio mode
// with its label taken from the marked item (the defaults), the field shows the marked item.
#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

class BPopUpMenu : public BMenu {
public:
	BPopUpMenu(const char* name, bool radioMode = true, bool labelFromMarked = true,
	           menu_layout layout = B_ITEMS_IN_COLUMN);
	explicit BPopUpMenu(BMessage* archive);
	~BPopUpMenu() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	// Opens the menu with its top-left corner at the screen point and lets the user choose.
	// Synchronous: returns the chosen item (null when none), after invoking it when
	// deliversMessage; the calling thread waits meanwhile, so a window calling it draws
	// nothing until the user is done. Asynchronous: returns null at once; the chosen item is
	// invoked when deliversMessage, and the menu deletes itself afterwards when
	// AsyncAutoDestruct is set. Items without a target send to the calling thread's window.
	//
	// A press still held when the menu opens may be dragged onto an item and released to
	// choose it. Released before reaching the menu, the menu stays open when openAnyway is
	// set or the release lies inside clickToOpen (screen coordinates), and closes otherwise.
	// Null at once when the menu is open already or nothing can be shown.
	BMenuItem* Go(BPoint where, bool deliversMessage = false, bool openAnyway = false,
	              bool async = false);
	BMenuItem* Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	              bool async = false);

	void SetAsyncAutoDestruct(bool on) { fAutoDestruct = on; }
	bool AsyncAutoDestruct() const { return fAutoDestruct; }

private:
	BMenuItem* _Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpen,
	               bool async);

	bool fAutoDestruct;
};

#endif
