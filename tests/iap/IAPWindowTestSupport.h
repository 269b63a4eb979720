// The fixture of the tests of the shared preferences window: an application of the family
// (IAPHostApp) that hosts the window, and what the tests look at and do in it.
#ifndef IAP_WINDOW_TEST_SUPPORT_H
#define IAP_WINDOW_TEST_SUPPORT_H

#include <functional>
#include <memory>

#include <Autolock.h>
#include <Control.h>
#include <HeadlessBackend.h>
#include <MenuBar.h>
#include <MenuField.h>

#include <TIAPView.h>
#include <TIAPWindow.h>

#include "../platform/interface/MenuTestSupport.h"
#include "IAPHostApp.h"
#include "IAPTestSupport.h"

class SharedWindowTest : public SharedPrefsTest {
protected:
	void TearDown() override
	{
		app.reset();
		SharedPrefsTest::TearDown();
	}

	// Starts the application with the items and opens its window, which then shows that many
	// components.
	void Start(const std::function<void(TInterAppPrefs&)>& fill, int32 components)
	{
		app.reset();
		app = std::make_unique<TestApplication>(
		    [&] { return host = new IAPHostApp(OWN_SIGNATURE, fill); });
		host->ShowWindow();
		window = host->SharedWindow();
		ASSERT_NE(window, nullptr);
		ASSERT_TRUE(driver::WaitFor([&] { return Components() == components; }));
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	int32 Components()
	{
		BAutolock lock(window);
		return window->View()->CountComponents();
	}

	// A view of the window by name, found anew each time: Cancel and Defaults replace the
	// components.
	template <class View = BView>
	View* Find(const char* name)
	{
		BAutolock lock(window);
		return dynamic_cast<View*>(window->View()->FindView(name));
	}

	BString Label(const char* name)
	{
		BAutolock lock(window);
		BView* view = window->View()->FindView(name);
		if (BControl* control = dynamic_cast<BControl*>(view))
			return control->Label();
		if (BMenuField* field = dynamic_cast<BMenuField*>(view))
			return field->Label();
		return "?";
	}

	bool Hidden()
	{
		BAutolock lock(window);
		return window->IsHidden();
	}

	// Chooses the format menu's entry at the index with the pointer.
	void ChooseFormat(int32 index)
	{
		BMenuField* field = Find<BMenuField>("AAccelerator Format: ");
		ASSERT_NE(field, nullptr);
		BMenu* menu = field->Menu();
		ASSERT_TRUE(driver::Click(field->MenuBar()));
		ASSERT_NE(menutest::WaitOpen(menu), nullptr);
		driver::ClickAt(menutest::ItemCentre(menu->ItemAt(index)));
		ASSERT_TRUE(menutest::WaitClosed(menu));
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	bool ValueBecomes(const char* name, const BString& value)
	{
		return driver::WaitFor([&] { return host->Value(name) == value; });
	}

	std::unique_ptr<TestApplication> app;
	IAPHostApp* host = nullptr;
	TIAPWindow* window = nullptr;
};

#endif
