// The text edit's field in a real window: a user clicks a CTextEdit with the
// pointer, types on the keyboard (XTEST on the test's own connection) and
// the control, its listener and the frame see what they must.
#include "tests/support/x11testsupport.h"

#include "gui/controls/ctextedit.h"
#include "gui/platform/linux/controls/x11textedit.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace corvane::test;

namespace
{

constexpr CColor kBack(200, 180, 40, 255);
constexpr CColor kInk(10, 10, 10, 255);

bool parseNumber(const char* text, float& value, void*)
{
	char* end = nullptr;
	float parsed = std::strtof(text, &end);
	if (end == text || *end != '\0')
		return false;
	value = parsed;
	return true;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
	Freed reply(
	    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
	return reply ? reply->atom : 0;
}

class Listener : public CControlListener
{
public:
	void valueChanged(CControl*) override { calls.push_back("changed"); }
	void controlBeginEdit(CControl*) override { calls.push_back("begin"); }
	void controlEndEdit(CControl*) override { calls.push_back("end"); }
	std::vector<std::string> calls;
};

// A frame that records every activation change the platform reports.
class ActivationFrame : public CFrame
{
public:
	using CFrame::CFrame;
	void platformOnActivate(bool state) override
	{
		activations.push_back(state);
		CFrame::platformOnActivate(state);
	}
	std::vector<bool> activations;
};

// A focusable view that is no text edit.
class FocusProbe : public ProbeView
{
public:
	explicit FocusProbe(const CRect& size) : ProbeView(size, CColor(30, 90, 30, 255)) { setWantsFocus(true); }
};

class TextField : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		edit = addEdit(CRect(20, 30, 120, 50), "1.00");
		fx.paintNow();
	}

	CTextEdit* addEdit(const CRect& size, const char* text)
	{
		auto* control = new CTextEdit(size, &listener, 1, text);
		control->setMax(100.f);
		control->setStringToValueProc(parseNumber);
		control->setBackColor(kBack);
		control->setFontColor(kInk);
		fx.frame->addView(control);
		return control;
	}

	X11TextEdit* field(CTextEdit* control = nullptr) const
	{
		return static_cast<X11TextEdit*>((control ? control : edit)->getPlatformTextEdit());
	}
	std::string fieldText(CTextEdit* control = nullptr) const { return field(control)->getText(); }

	// Everything the server has sent the frame so far is handled, and what
	// that invalidated is painted.
	void settle()
	{
		for (int i = 0; i < 2; ++i)
		{
			if (fx.platform())
				fx.platform()->sync();
			X11RunLoop::pump();
		}
	}

	void clickAt(double x, double y)
	{
		fx.client.movePointer(fx.rootX(x), fx.rootY(y));
		fx.client.click(1);
		settle();
	}

	// Clicks the control and waits for its field to hold the keyboard.
	bool startEditing(CTextEdit* control)
	{
		CRect r = control->getViewSize();
		clickAt(r.getCenter().x, r.getCenter().y);
		return pumpUntil([&] { return control->isEditing() && focusWindow() == field(control)->getWindow(); });
	}

	xcb_window_t focusWindow()
	{
		Freed reply(xcb_get_input_focus_reply(fx.client.get(), xcb_get_input_focus(fx.client.get()), nullptr));
		return reply ? reply->focus : 0;
	}

	void tap(uint32_t keysym, uint32_t modifierKeysym = 0)
	{
		xcb_keycode_t modifier = modifierKeysym ? fx.client.keycodeOf(modifierKeysym) : 0;
		xcb_keycode_t key = fx.client.keycodeOf(keysym);
		ASSERT_NE(key, 0) << keysym;
		if (modifier)
			fx.client.pressKey(modifier);
		fx.client.tapKey(key);
		if (modifier)
			fx.client.releaseKey(modifier);
		settle();
	}

	void type(const std::string& text)
	{
		for (char c : text)
			tap(c == '.' ? XKB_KEY_period : static_cast<uint32_t>(c));
	}

	std::vector<xcb_window_t> fieldWindows() { return fx.client.descendantsOf(fx.platform()->getWindow()); }

	xcb_window_t ownerOf(const char* selection)
	{
		xcb_connection_t* c = fx.client.get();
		settle();
		Freed reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(c, selection)), nullptr));
		return reply ? reply->owner : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
	}

	// Asks the owner of a selection for a target as another program would;
	// empty when refused.
	std::vector<uint8_t> askFor(const char* selection, xcb_atom_t target)
	{
		xcb_connection_t* c = fx.client.get();
		if (requestor == XCB_WINDOW_NONE)
			requestor = fx.client.createParent(0, 0, 10, 10, XCB_EVENT_MASK_PROPERTY_CHANGE);
		xcb_atom_t property = atom(c, "TEST_PROPERTY");
		xcb_convert_selection(c, requestor, atom(c, selection), target, property, XCB_CURRENT_TIME);
		xcb_flush(c);
		xcb_generic_event_t* notify = nullptr;
		pumpUntil([&] { return (notify = fx.client.waitForEvent(XCB_SELECTION_NOTIFY, 5)) != nullptr; });
		if (notify == nullptr)
			return {};
		bool refused = reinterpret_cast<xcb_selection_notify_event_t*>(notify)->property == XCB_ATOM_NONE;
		std::free(notify);
		if (refused)
			return {};
		Freed value(
		    xcb_get_property_reply(c, xcb_get_property(c, 1, requestor, property, XCB_ATOM_ANY, 0, 1024), nullptr));
		auto* data = static_cast<uint8_t*>(xcb_get_property_value(value.reply));
		return std::vector<uint8_t>(data, data + xcb_get_property_value_length(value.reply));
	}

	// Makes a window of the test's the owner of a selection.
	void own(const char* selection)
	{
		xcb_connection_t* c = fx.client.get();
		if (owner == XCB_WINDOW_NONE)
			owner = fx.client.createParent(0, 0, 10, 10);
		xcb_set_selection_owner(c, owner, atom(c, selection), XCB_CURRENT_TIME);
		fx.client.sync();
	}

	// Pumps until the field's text is no longer before, answering the
	// field's request for the selection that own() took with offered.
	bool answerUntilChanged(const std::string& before, const std::string& offered)
	{
		xcb_connection_t* c = fx.client.get();
		xcb_atom_t utf8 = atom(c, "UTF8_STRING");
		bool answered = false;
		return pumpUntil(
		    [&]
		    {
			    if (!answered)
			    {
				    if (xcb_generic_event_t* e = fx.client.waitForEvent(XCB_SELECTION_REQUEST, 5))
				    {
					    auto* request = reinterpret_cast<xcb_selection_request_event_t*>(e);
					    EXPECT_EQ(request->target, utf8);
					    xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor, request->property, utf8, 8,
					                        static_cast<uint32_t>(offered.size()), offered.data());
					    xcb_selection_notify_event_t notify{};
					    notify.response_type = XCB_SELECTION_NOTIFY;
					    notify.requestor = request->requestor;
					    notify.selection = request->selection;
					    notify.target = request->target;
					    notify.property = request->property;
					    notify.time = request->time;
					    xcb_send_event(c, 0, request->requestor, 0, reinterpret_cast<const char*>(&notify));
					    xcb_flush(c);
					    std::free(e);
					    answered = true;
				    }
			    }
			    return fieldText() != before;
		    });
	}

	void middleClickAt(double x, double y)
	{
		fx.client.movePointer(fx.rootX(x), fx.rootY(y));
		fx.client.click(2);
		settle();
	}

	FrameFixture fx;
	Listener listener;
	CTextEdit* edit{nullptr};
	xcb_window_t requestor{XCB_WINDOW_NONE};
	xcb_window_t owner{XCB_WINDOW_NONE};
};

} // namespace

TEST_F(TextField, ClickPutsAFocusedFieldWindowOverTheControl)
{
	ASSERT_TRUE(startEditing(edit));
	std::vector<xcb_window_t> windows = fieldWindows();
	ASSERT_EQ(windows.size(), 1u);
	EXPECT_EQ(windows[0], field()->getWindow());
	Freed geometry(xcb_get_geometry_reply(fx.client.get(), xcb_get_geometry(fx.client.get(), windows[0]), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->x, 20);
	EXPECT_EQ(geometry->y, 30);
	EXPECT_EQ(geometry->width, 100);
	EXPECT_EQ(geometry->height, 20);
	EXPECT_EQ(fieldText(), "1.00");
	EXPECT_EQ(fx.frame->getFocusView(), edit);
}

TEST_F(TextField, DoubleClickStyleOpensTheFieldOnlyOnADoubleClick)
{
	edit->setStyle(kEditOnDoubleClick);
	CPoint centre = edit->getViewSize().getCenter();
	clickAt(centre.x, centre.y);
	EXPECT_EQ(fx.frame->getFocusView(), edit);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_TRUE(fieldWindows().empty());
	// The second click of a double click, within the double-click time.
	fx.client.click(1);
	settle();
	EXPECT_TRUE(pumpUntil([&] { return edit->isEditing() && !fieldWindows().empty(); }));
}

TEST_F(TextField, FieldShowsTheControlsBackgroundAndTheTextInItsColour)
{
	ASSERT_TRUE(startEditing(edit));
	fx.paintNow();
	settle();
	std::vector<uint32_t> pixels = fx.client.readPixels(field()->getWindow(), 100, 20);
	ASSERT_EQ(pixels.size(), 2000u);
	const uint32_t back = 0xFF000000u | (kBack.red << 16) | (kBack.green << 8) | kBack.blue;
	// Inside the control's frame line, left of the text.
	EXPECT_EQ(pixels[5 * 100 + 3], back);
	int dark = 0;
	for (uint32_t p : pixels)
		dark += ((p >> 16) & 0xFF) < 80 && ((p >> 8) & 0xFF) < 80 && (p & 0xFF) < 80;
	EXPECT_GT(dark, 10) << "the text (and caret) in the font colour";
	// The control itself draws no text under the field.
	EXPECT_EQ(pixels[10 * 100 + 50] == back, true) << "the centred text of the label is not drawn twice";
}

TEST_F(TextField, TypingAndReturnCommitOneEditThroughTheTextToValueProcedure)
{
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	type("3.2");
	EXPECT_EQ(fieldText(), "3.2");
	EXPECT_TRUE(listener.calls.empty()) << "nothing is committed before Return";
	tap(XKB_KEY_Return);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_FLOAT_EQ(edit->getValue(), 3.2f);
	EXPECT_STREQ(edit->getText(), "3.2");
	EXPECT_TRUE(edit->wasReturnPressed());
	EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "changed", "end"}));
	EXPECT_TRUE(fieldWindows().empty());
	EXPECT_EQ(focusWindow(), fx.platform()->getWindow()) << "the keyboard goes back to the frame";
}

TEST_F(TextField, KeypadEnterEndsTheEditLikeReturn)
{
	ASSERT_TRUE(startEditing(edit));
	type("5");
	tap(XKB_KEY_KP_Enter);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_STREQ(edit->getText(), "1.005");
	EXPECT_EQ(listener.calls.size(), 3u);
}

TEST_F(TextField, EscapeRestoresThePreviousTextAndTellsNobody)
{
	ASSERT_TRUE(startEditing(edit));
	type("77");
	EXPECT_EQ(fieldText(), "1.0077");
	tap(XKB_KEY_Escape);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_STREQ(edit->getText(), "1.00");
	EXPECT_FALSE(edit->wasReturnPressed());
	EXPECT_TRUE(listener.calls.empty());
	EXPECT_TRUE(fieldWindows().empty());
}

TEST_F(TextField, ReturnWithTheTextUnchangedFiresNothing)
{
	ASSERT_TRUE(startEditing(edit));
	type("5");
	tap(XKB_KEY_BackSpace);
	tap(XKB_KEY_Return);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_TRUE(listener.calls.empty());
}

TEST_F(TextField, ImmediateTextChangeCommitsEveryKeystroke)
{
	edit->setImmediateTextChange(true);
	ASSERT_TRUE(startEditing(edit));
	type("7");
	EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "changed", "end"}));
	EXPECT_STREQ(edit->getText(), "1.007");
	EXPECT_FLOAT_EQ(edit->getValue(), 1.007f);
	tap(XKB_KEY_BackSpace);
	EXPECT_EQ(listener.calls.size(), 6u);
	EXPECT_STREQ(edit->getText(), "1.00");
	// Moving the caret is no change.
	tap(XKB_KEY_Left);
	EXPECT_EQ(listener.calls.size(), 6u);
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextField, ClickOnAnotherViewEndsTheEditAndCommits)
{
	ProbeView* other = fx.addProbe(CRect(20, 80, 80, 120), CColor(50, 50, 50, 255));
	fx.paintNow();
	ASSERT_TRUE(startEditing(edit));
	type("4");
	clickAt(50, 100);
	EXPECT_FALSE(edit->isEditing());
	EXPECT_STREQ(edit->getText(), "1.004");
	EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "changed", "end"}));
	EXPECT_EQ(other->eventsOf("down").size(), 1u);
	EXPECT_TRUE(fieldWindows().empty());
}

TEST_F(TextField, TabAndShiftTabMoveTheFocusThroughTheControls)
{
	CTextEdit* second = addEdit(CRect(20, 60, 120, 80), "2.00");
	auto* third = new FocusProbe(CRect(20, 90, 120, 110));
	fx.frame->addView(third);
	fx.paintNow();
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_Tab);
	ASSERT_TRUE(pumpUntil([&] { return second->isEditing() && focusWindow() == field(second)->getWindow(); }));
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(fx.frame->getFocusView(), second);
	EXPECT_EQ(fieldWindows().size(), 1u);

	tap(XKB_KEY_Tab, XKB_KEY_Shift_L);
	ASSERT_TRUE(pumpUntil([&] { return edit->isEditing() && focusWindow() == field(edit)->getWindow(); }));
	EXPECT_FALSE(second->isEditing());
	EXPECT_EQ(fx.frame->getFocusView(), edit);

	tap(XKB_KEY_Tab);
	ASSERT_TRUE(pumpUntil([&] { return second->isEditing(); }));
	tap(XKB_KEY_Tab);
	EXPECT_EQ(fx.frame->getFocusView(), third);
	EXPECT_FALSE(second->isEditing());
	EXPECT_TRUE(fieldWindows().empty());
	EXPECT_TRUE(listener.calls.empty()) << "moving on with unchanged texts commits nothing";
}

TEST_F(TextField, BackspaceRemovesAWholeMultiByteCharacter)
{
	edit->setText("1\xC3\xA9");
	ASSERT_TRUE(startEditing(edit));
	EXPECT_EQ(fieldText(), "1\xC3\xA9");
	tap(XKB_KEY_BackSpace);
	EXPECT_EQ(fieldText(), "1");
	type("2");
	tap(XKB_KEY_Home);
	tap(XKB_KEY_Delete);
	EXPECT_EQ(fieldText(), "2");
	tap(XKB_KEY_Return);
	EXPECT_STREQ(edit->getText(), "2");
	EXPECT_FLOAT_EQ(edit->getValue(), 2.f);
}

namespace
{

// A keycode that the server's keymap leaves without symbols, or 0.
xcb_keycode_t spareKeycode(xcb_connection_t* c)
{
	const xcb_setup_t* setup = xcb_get_setup(c);
	auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
	Freed reply(xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr));
	if (!reply)
		return 0;
	const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.reply);
	int perKey = reply->keysyms_per_keycode;
	for (int key = count - 1; key > 0; --key)
	{
		if (std::all_of(syms + key * perKey, syms + (key + 1) * perKey, [](xcb_keysym_t s) { return s == 0; }))
			return static_cast<xcb_keycode_t>(setup->min_keycode + key);
	}
	return 0;
}

} // namespace

TEST_F(TextField, TypingAMultiByteCharacterInsertsItWhole)
{
	xcb_connection_t* c = fx.client.get();
	xcb_keycode_t spare = spareKeycode(c);
	ASSERT_NE(spare, 0);
	// A key for é, as a French or Nordic layout has one.
	const xcb_keysym_t accented[] = {XKB_KEY_eacute, XKB_KEY_Eacute};
	xcb_change_keyboard_mapping(c, 1, spare, 2, accented);
	fx.client.sync();
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_eacute);
	EXPECT_EQ(fieldText(), "1.00\xC3\xA9");
	tap(XKB_KEY_Left);
	type("5");
	EXPECT_EQ(fieldText(), "1.005\xC3\xA9");
	tap(XKB_KEY_Delete);
	EXPECT_EQ(fieldText(), "1.005");
	tap(XKB_KEY_eacute, XKB_KEY_Shift_L);
	EXPECT_EQ(fieldText(), "1.005\xC3\x89");
	const xcb_keysym_t none[] = {0, 0};
	xcb_change_keyboard_mapping(c, 1, spare, 2, none);
	fx.client.sync();
}

TEST_F(TextField, ShiftSelectionWithHomeAndEndIsReplacedByTyping)
{
	edit->setText("12345");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_Home);
	tap(XKB_KEY_Right, XKB_KEY_Shift_L);
	tap(XKB_KEY_Right, XKB_KEY_Shift_L);
	EXPECT_EQ(field()->getBuffer().getSelectedText(), "12");
	type("9");
	EXPECT_EQ(fieldText(), "9345");
	tap(XKB_KEY_End, XKB_KEY_Shift_L);
	EXPECT_EQ(field()->getBuffer().getSelectedText(), "345");
	type("0");
	EXPECT_EQ(fieldText(), "90");
	tap(XKB_KEY_Home, XKB_KEY_Shift_L);
	tap(XKB_KEY_BackSpace);
	EXPECT_EQ(fieldText(), "");
}

TEST_F(TextField, ClipboardRoundTripWithinTheField)
{
	edit->setText("2.5");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_c, XKB_KEY_Control_L);
	tap(XKB_KEY_BackSpace);
	EXPECT_EQ(fieldText(), "");
	tap(XKB_KEY_v, XKB_KEY_Control_L);
	ASSERT_TRUE(pumpUntil([&] { return fieldText() == "2.5"; }));
	// Cut leaves the clipboard holding the text.
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_x, XKB_KEY_Control_L);
	EXPECT_EQ(fieldText(), "");
	tap(XKB_KEY_v, XKB_KEY_Control_L);
	tap(XKB_KEY_v, XKB_KEY_Control_L);
	ASSERT_TRUE(pumpUntil([&] { return fieldText() == "2.52.5"; }));
}

TEST_F(TextField, WhatWasCopiedOutlivesTheField)
{
	CTextEdit* other = addEdit(CRect(20, 70, 120, 90), "9");
	fx.paintNow();
	edit->setText("2.5");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_c, XKB_KEY_Control_L);
	tap(XKB_KEY_Return);
	ASSERT_FALSE(edit->isEditing());
	EXPECT_EQ(ownerOf("CLIPBOARD"), fx.platform()->getWindow());
	std::vector<uint8_t> text = askFor("CLIPBOARD", atom(fx.client.get(), "UTF8_STRING"));
	EXPECT_EQ(std::string(text.begin(), text.end()), "2.5") << "another program can still paste it";
	ASSERT_TRUE(startEditing(other));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_v, XKB_KEY_Control_L);
	ASSERT_TRUE(pumpUntil([&] { return fieldText(other) != "9"; }));
	EXPECT_EQ(fieldText(other), "2.5");
}

TEST_F(TextField, CopiedTextIsOfferedToOtherClientsAsUtf8)
{
	edit->setText("4\xC3\xA9");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_c, XKB_KEY_Control_L);
	xcb_connection_t* c = fx.client.get();
	xcb_atom_t utf8 = atom(c, "UTF8_STRING");
	xcb_atom_t targets = atom(c, "TARGETS");
	auto ask = [&](xcb_atom_t target) { return askFor("CLIPBOARD", target); };
	std::vector<uint8_t> text = ask(utf8);
	EXPECT_EQ(std::string(text.begin(), text.end()), "4\xC3\xA9");
	std::vector<uint8_t> offered = ask(targets);
	ASSERT_EQ(offered.size(), 8u);
	xcb_atom_t atoms[2];
	std::memcpy(atoms, offered.data(), 8);
	EXPECT_EQ(atoms[0], targets);
	EXPECT_EQ(atoms[1], utf8);
	EXPECT_TRUE(ask(XCB_ATOM_STRING).empty()) << "other targets are refused";
}

TEST_F(TextField, PasteTakesTheTextOfAnotherOwner)
{
	own("CLIPBOARD");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	tap(XKB_KEY_v, XKB_KEY_Control_L);
	// The other owner answers while the field waits in the run loop.
	ASSERT_TRUE(answerUntilChanged("1.00", "-6.5\n"));
	// The line break of the other program's text is no part of one line.
	EXPECT_EQ(fieldText(), "-6.5 ");
}

TEST_F(TextField, WhatIsSelectedIsPrimaryUntilNothingIsSelected)
{
	edit->setText("2.5");
	ASSERT_TRUE(startEditing(edit));
	EXPECT_EQ(ownerOf("PRIMARY"), static_cast<xcb_window_t>(XCB_WINDOW_NONE)) << "opening selects nothing";
	tap(XKB_KEY_Home, XKB_KEY_Shift_L);
	EXPECT_EQ(ownerOf("PRIMARY"), field()->getWindow());
	std::vector<uint8_t> text = askFor("PRIMARY", atom(fx.client.get(), "UTF8_STRING"));
	EXPECT_EQ(std::string(text.begin(), text.end()), "2.5");
	// A drag over part of the text offers that part.
	CRect r = edit->getViewSize();
	fx.client.movePointer(fx.rootX(r.left + 1), fx.rootY(r.getCenter().y));
	fx.client.pressButton(1);
	fx.client.movePointer(fx.rootX(r.getCenter().x), fx.rootY(r.getCenter().y));
	fx.client.releaseButton(1);
	settle();
	std::string dragged = field()->getBuffer().getSelectedText();
	ASSERT_FALSE(dragged.empty());
	text = askFor("PRIMARY", atom(fx.client.get(), "UTF8_STRING"));
	EXPECT_EQ(std::string(text.begin(), text.end()), dragged);
	EXPECT_TRUE(askFor("CLIPBOARD", atom(fx.client.get(), "UTF8_STRING")).empty()) << "selecting copies nothing";
	tap(XKB_KEY_End);
	EXPECT_EQ(ownerOf("PRIMARY"), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	EXPECT_EQ(fieldText(), "2.5");
}

TEST_F(TextField, MiddleClickPastesPrimaryWhereThePointerIs)
{
	edit->setText("5");
	own("PRIMARY");
	ASSERT_TRUE(startEditing(edit));
	listener.calls.clear();
	CRect r = edit->getViewSize();
	middleClickAt(r.left + 2, r.getCenter().y);
	ASSERT_TRUE(answerUntilChanged("5", "0."));
	EXPECT_EQ(fieldText(), "0.5");
	EXPECT_EQ(field()->getBuffer().getCaret(), 2u) << "after the pasted text";
	EXPECT_TRUE(edit->isEditing());
	tap(XKB_KEY_Return);
	EXPECT_FLOAT_EQ(edit->getValue(), 0.5f);
}

TEST_F(TextField, MiddleClickPastesTheFieldsOwnSelection)
{
	edit->setText("2.5");
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_a, XKB_KEY_Control_L);
	CRect r = edit->getViewSize();
	middleClickAt(r.right - 2, r.getCenter().y);
	ASSERT_TRUE(pumpUntil([&] { return fieldText() != "2.5"; }));
	EXPECT_EQ(fieldText(), "2.52.5");
	EXPECT_EQ(ownerOf("PRIMARY"), static_cast<xcb_window_t>(XCB_WINDOW_NONE)) << "nothing is selected after the paste";
}

TEST_F(TextField, ThePointerShowsATextCursorOverTheFieldOnly)
{
	CRect r = edit->getViewSize();
	fx.client.movePointer(fx.rootX(r.left + 3), fx.rootY(r.getCenter().y));
	uint32_t overControl = fx.client.cursorSerial();
	ASSERT_NE(overControl, 0u);
	ASSERT_TRUE(startEditing(edit));
	fx.client.movePointer(fx.rootX(r.left + 3), fx.rootY(r.getCenter().y));
	uint32_t overField = fx.client.cursorSerial();
	EXPECT_NE(overField, overControl);
	fx.client.movePointer(fx.rootX(r.left + 3), fx.rootY(r.bottom + 20));
	EXPECT_EQ(fx.client.cursorSerial(), overControl) << "beside the field the frame's cursor stays";
}

TEST_F(TextField, DoubleClickSelectsTheWordAndDraggingSelects)
{
	edit->setText("12 345");
	ASSERT_TRUE(startEditing(edit));
	CRect r = edit->getViewSize();
	// The text is centred: its right half holds "345".
	fx.client.movePointer(fx.rootX(r.getCenter().x + 8), fx.rootY(r.getCenter().y));
	fx.client.click(1);
	fx.client.click(1);
	settle();
	EXPECT_EQ(field()->getBuffer().getSelectedText(), "345");
	// A drag from the field's left edge to beyond its right edge takes all.
	fx.client.movePointer(fx.rootX(r.left + 1), fx.rootY(r.getCenter().y));
	fx.client.pressButton(1);
	fx.client.movePointer(fx.rootX(r.right + 30), fx.rootY(r.getCenter().y));
	fx.client.releaseButton(1);
	settle();
	EXPECT_EQ(field()->getBuffer().getSelectedText(), "12 345");
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextField, LongTextScrollsToKeepTheCaretVisible)
{
	edit->setText("1234567890123456789012345678901234567890");
	ASSERT_TRUE(startEditing(edit));
	EXPECT_GT(field()->getScroll(), 0.) << "the caret at the end is in view";
	tap(XKB_KEY_Home);
	EXPECT_EQ(field()->getScroll(), 0.);
	tap(XKB_KEY_End);
	EXPECT_GT(field()->getScroll(), 0.);
}

TEST_F(TextField, ResizingTheControlMovesTheField)
{
	ASSERT_TRUE(startEditing(edit));
	edit->setViewSize(CRect(30, 40, 150, 70));
	settle();
	Freed geometry(
	    xcb_get_geometry_reply(fx.client.get(), xcb_get_geometry(fx.client.get(), field()->getWindow()), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->x, 30);
	EXPECT_EQ(geometry->y, 40);
	EXPECT_EQ(geometry->width, 120);
	EXPECT_EQ(geometry->height, 30);
}

TEST_F(TextField, UnusedKeysTakeTheFramesKeyPath)
{
	struct Hook : IKeyboardHook
	{
		int32 hookKeyDown(VstKeyCode& code, CFrame*) override
		{
			downs.push_back(code);
			return -1;
		}
		int32 hookKeyUp(VstKeyCode&, CFrame*) override { return -1; }
		std::vector<VstKeyCode> downs;
	} hook;
	fx.frame->setKeyboardHook(&hook);
	ASSERT_TRUE(startEditing(edit));
	tap(XKB_KEY_F5);
	type("8");
	fx.frame->setKeyboardHook(nullptr);
	ASSERT_EQ(hook.downs.size(), 1u) << "typed text stays in the field";
	EXPECT_EQ(hook.downs[0].virt, VKEY_F5);
	EXPECT_EQ(fieldText(), "1.008");
	EXPECT_TRUE(edit->isEditing());
}

TEST_F(TextField, ClosingTheFrameWhileEditingLeavesNothingBehind)
{
	ASSERT_TRUE(startEditing(edit));
	type("6");
	fx.close();
	X11RunLoop::runFor(20);
	EXPECT_TRUE(fx.client.descendantsOf(fx.parent).empty());
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}

TEST_F(TextField, AControlThatOutlivesItsFrameKeepsAQuietField)
{
	edit->remember();
	ASSERT_TRUE(startEditing(edit));
	type("6");
	X11TextEdit* open = field();
	fx.close();
	X11RunLoop::runFor(20);
	EXPECT_TRUE(fx.client.descendantsOf(fx.parent).empty());
	// The frame's removal leaves the control editing; its field answers
	// without a window until the control lets it go.
	ASSERT_TRUE(edit->isEditing());
	EXPECT_TRUE(open->setText("7"));
	EXPECT_FALSE(open->updateSize());
	edit->forget();
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}

TEST_F(TextField, HostWindowDestroyedWhileEditingEndsTheEditQuietly)
{
	ASSERT_TRUE(startEditing(edit));
	type("6");
	xcb_destroy_window(fx.client.get(), fx.parent);
	fx.client.sync();
	ASSERT_TRUE(pumpUntil([&] { return !fx.platform()->isConnected(); }));
	// The keyboard left the frame with its window: the edit ended and
	// committed, and nothing of the field is left in the run loop.
	EXPECT_FALSE(edit->isEditing());
	EXPECT_EQ(listener.calls, (std::vector<std::string>{"begin", "changed", "end"}));
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
	edit->takeFocus();
	EXPECT_FALSE(edit->isEditing()) << "no field without a window";
	X11RunLoop::runFor(20);
	fx.close();
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}

TEST(TextFieldActivation, TheFrameStaysActiveWhileTheFieldHasTheKeyboard)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	fx.close();
	auto* frame =
	    new ActivationFrame(fx.frameRect, reinterpret_cast<void*>(static_cast<uintptr_t>(fx.parent)), nullptr);
	fx.frame = frame;
	auto* first = new CTextEdit(CRect(10, 10, 90, 30), nullptr, 1, "a");
	auto* second = new CTextEdit(CRect(10, 40, 90, 60), nullptr, 2, "b");
	frame->addView(first);
	frame->addView(second);
	fx.paintNow();
	fx.client.movePointer(fx.rootX(50), fx.rootY(20));
	fx.client.click(1);
	ASSERT_TRUE(pumpUntil([&] { return first->isEditing(); }));
	auto* platform = fx.platform();
	xcb_keycode_t tab = fx.client.keycodeOf(XKB_KEY_Tab);
	fx.client.tapKey(tab);
	ASSERT_TRUE(pumpUntil([&] { return second->isEditing(); }));
	xcb_keycode_t enter = fx.client.keycodeOf(XKB_KEY_Return);
	fx.client.tapKey(enter);
	ASSERT_TRUE(pumpUntil([&] { return !second->isEditing(); }));
	platform->sync();
	X11RunLoop::runFor(30);
	EXPECT_TRUE(frame->isActive());
	for (bool state : frame->activations)
		EXPECT_TRUE(state) << "no deactivation while the focus moved into the field and back";
	// The keyboard is back on the frame's own window, and the frame still
	// takes keys there.
	Freed focus(xcb_get_input_focus_reply(fx.client.get(), xcb_get_input_focus(fx.client.get()), nullptr));
	ASSERT_TRUE(focus);
	EXPECT_EQ(focus->focus, platform->getWindow());
	// The recorder does hear a real deactivation.
	fx.client.setFocus(fx.parent);
	ASSERT_TRUE(pumpUntil([&] { return !frame->activations.empty() && !frame->activations.back(); }));
}
