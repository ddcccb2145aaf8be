// Input through the X server: XTEST events on the test's own connection reach
// the views with the right bits and frame coordinates.
#include "tests/support/x11testsupport.h"

#include "gui/platform/linux/window/x11reply.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "tests/support/vstkeys.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace corvane::test;
using VSTGUI::test::expectKey;

namespace
{

class KeyRecorder : public IKeyboardHook
{
public:
	int32 hookKeyDown(VstKeyCode& code, CFrame*) override
	{
		downs.push_back(code);
		return consume ? 1 : -1;
	}
	int32 hookKeyUp(VstKeyCode& code, CFrame*) override
	{
		ups.push_back(code);
		return consume ? 1 : -1;
	}
	std::vector<VstKeyCode> downs;
	std::vector<VstKeyCode> ups;
	bool consume{true};
};

using HostKey = ReplyPtr<xcb_key_press_event_t>;

// The host's client selects keys on one of its windows.
void selectKeys(TestClient& client, xcb_window_t window, uint32_t mask)
{
	xcb_change_window_attributes(client.get(), window, XCB_CW_EVENT_MASK, &mask);
	client.sync();
}

void clickIntoTheEditor(FrameFixture& fx)
{
	fx.paintNow();
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	fx.client.click(1);
	X11RunLoop::runFor(20);
}

// A key event of the type that the host's client receives while the editor
// is pumped; null after the pump's time-out.
HostKey waitForHostKey(TestClient& client, uint8_t type)
{
	xcb_generic_event_t* event = nullptr;
	pumpUntil(
	    [&]
	    {
		    event = client.waitForEvent(type, 5);
		    return event != nullptr;
	    });
	return HostKey(reinterpret_cast<xcb_key_press_event_t*>(event));
}

class X11Input : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		probe = fx.addProbe(CRect(20, 30, 120, 110), CColor(90, 90, 90, 255));
		fx.paintNow();
	}

	void clickAt(double x, double y, uint8_t button)
	{
		fx.client.movePointer(fx.rootX(x), fx.rootY(y));
		fx.client.click(button);
	}

	bool waitForEvents(const char* kind, size_t count)
	{
		return pumpUntil([&] { return probe->eventsOf(kind).size() >= count; });
	}

	FrameFixture fx;
	ProbeView* probe{nullptr};
};

class X11Keys : public X11Input
{
protected:
	void SetUp() override
	{
		X11Input::SetUp();
		fx.frame->setKeyboardHook(&keys);
		// A click gives the editor the keyboard.
		clickAt(150, 20, 1);
		pumpUntil([&] { return focusWindow() == fx.platform()->getWindow(); });
	}
	void TearDown() override
	{
		if (fx.frame)
			fx.frame->setKeyboardHook(nullptr);
	}

	xcb_window_t focusWindow()
	{
		auto* reply = xcb_get_input_focus_reply(fx.client.get(), xcb_get_input_focus(fx.client.get()), nullptr);
		xcb_window_t focus = reply ? reply->focus : 0;
		std::free(reply);
		return focus;
	}

	VstKeyCode tap(uint32_t keysym)
	{
		xcb_keycode_t key = fx.client.keycodeOf(keysym);
		EXPECT_NE(key, 0) << keysym;
		size_t before = keys.downs.size();
		fx.client.tapKey(key);
		pumpUntil([&] { return keys.ups.size() > before; });
		return keys.downs.size() > before ? keys.downs.back() : VstKeyCode{-1, 0, 0};
	}

	KeyRecorder keys;
};

} // namespace

TEST_F(X11Input, EachButtonArrivesWithItsBitAtFrameCoordinates)
{
	const std::pair<uint8_t, int32> buttons[] = {
	    {1, kButtonLeft}, {2, kButtonMiddle}, {3, kButtonRight}, {8, kButtonFourth}, {9, kButtonFifth}};
	for (auto [button, bit] : buttons)
	{
		size_t before = probe->eventsOf("up").size();
		// Far enough from the last click that no double click arises.
		clickAt(30 + button * 9, 40 + button * 5, button);
		ASSERT_TRUE(waitForEvents("up", before + 1)) << int(button);
		ViewEvent down = probe->eventsOf("down").back();
		ViewEvent up = probe->eventsOf("up").back();
		EXPECT_EQ(down.buttons, bit) << int(button);
		EXPECT_EQ(up.buttons & kAllButtonsMask, bit) << int(button);
		EXPECT_EQ(down.where, CPoint(30 + button * 9, 40 + button * 5)) << int(button);
	}
}

TEST_F(X11Input, ModifiersHeldDuringAClickArriveWithIt)
{
	const std::pair<uint32_t, int32> modifiers[] = {{XKB_KEY_Shift_L, kModifierShift},
	                                                {XKB_KEY_Control_L, kModifierControl},
	                                                {XKB_KEY_Alt_L, kModifierAlt},
	                                                {XKB_KEY_Super_L, kModifierCommand}};
	int step = 0;
	for (auto [keysym, bit] : modifiers)
	{
		xcb_keycode_t key = fx.client.keycodeOf(keysym);
		ASSERT_NE(key, 0);
		fx.client.pressKey(key);
		size_t before = probe->eventsOf("down").size();
		clickAt(30 + 15 * step++, 50, 1);
		fx.client.releaseKey(key);
		ASSERT_TRUE(waitForEvents("down", before + 1));
		EXPECT_EQ(probe->eventsOf("down").back().buttons, kButtonLeft | bit) << keysym;
	}
}

TEST_F(X11Input, SecondQuickClickIsADoubleClick)
{
	clickAt(50, 50, 1);
	fx.client.click(1);
	ASSERT_TRUE(waitForEvents("down", 2));
	std::vector<ViewEvent> downs = probe->eventsOf("down");
	EXPECT_EQ(downs[0].buttons, kButtonLeft);
	EXPECT_EQ(downs[1].buttons, kButtonLeft | kButtonDoubleClick);
}

TEST_F(X11Input, WheelNotchesArriveAsOneUnitOnTheirAxis)
{
	fx.client.movePointer(fx.rootX(60), fx.rootY(70));
	for (uint8_t button : {4, 5, 6, 7})
		fx.client.click(button);
	ASSERT_TRUE(waitForEvents("wheel", 4));
	std::vector<ViewEvent> wheels = probe->eventsOf("wheel");
	EXPECT_EQ(wheels[0].axis, kWheelAxisVertical);
	EXPECT_EQ(wheels[0].distance, 1.f);
	EXPECT_EQ(wheels[1].axis, kWheelAxisVertical);
	EXPECT_EQ(wheels[1].distance, -1.f);
	EXPECT_EQ(wheels[2].axis, kWheelAxisHorizontal);
	EXPECT_EQ(wheels[2].distance, 1.f);
	EXPECT_EQ(wheels[3].axis, kWheelAxisHorizontal);
	EXPECT_EQ(wheels[3].distance, -1.f);
	EXPECT_TRUE(probe->eventsOf("down").empty()) << "wheel buttons are no clicks";
	pumpUntil([] { return false; }, 50);
	EXPECT_EQ(probe->eventsOf("wheel").size(), 4u) << "releases of wheel buttons are no notches";
}

TEST_F(X11Input, EnteringAndLeavingTheWindowReachTheViewUnderThePointer)
{
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	ASSERT_TRUE(waitForEvents("entered", 1));
	fx.client.movePointer(FrameFixture::parentX + 280, FrameFixture::parentY + 190);
	ASSERT_TRUE(waitForEvents("exited", 1));
	EXPECT_EQ(probe->eventsOf("exited").back().buttons, 0);
}

TEST_F(X11Input, DragWithTheButtonHeldStaysWithTheCapturedView)
{
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	fx.client.pressButton(1);
	ASSERT_TRUE(waitForEvents("down", 1));
	size_t movesBefore = probe->eventsOf("moved").size();
	// Outside the view, then outside the window altogether.
	fx.client.movePointer(fx.rootX(150), fx.rootY(130));
	fx.client.movePointer(fx.rootX(260), fx.rootY(175));
	ASSERT_TRUE(pumpUntil(
	    [&]
	    {
		    auto moves = probe->eventsOf("moved");
		    return moves.size() >= movesBefore + 2 && moves.back().where == CPoint(260, 175);
	    }));
	EXPECT_EQ(probe->eventsOf("moved").back().buttons, kButtonLeft);
	fx.client.releaseButton(1);
	ASSERT_TRUE(waitForEvents("up", 1));
	EXPECT_EQ(probe->eventsOf("up").back().where, CPoint(260, 175));
}

TEST_F(X11Input, FocusChangesOfTheWindowActivateAndDeactivate)
{
	fx.client.setFocus(fx.platform()->getWindow());
	fx.client.setFocus(fx.parent);
	ASSERT_TRUE(pumpUntil([&] { return !fx.frame->isActive(); }));
	fx.client.setFocus(fx.platform()->getWindow());
	ASSERT_TRUE(pumpUntil([&] { return fx.frame->isActive(); }));
}

TEST_F(X11Keys, ClickTakesTheKeyboardFocus)
{
	EXPECT_EQ(focusWindow(), fx.platform()->getWindow());
}

TEST_F(X11Keys, ShiftAGivesLowerCaseAWithShift)
{
	xcb_keycode_t shift = fx.client.keycodeOf(XKB_KEY_Shift_L);
	fx.client.pressKey(shift);
	VstKeyCode code = tap(XKB_KEY_a);
	fx.client.releaseKey(shift);
	expectKey(code, 97, 0, MODIFIER_SHIFT);
}

TEST_F(X11Keys, KeypadFiveWithNumLockIsNumpadFiveWithoutCharacter)
{
	// Xvfb starts with NumLock off. A lock key alone gives the frame no key.
	xcb_keycode_t numLock = fx.client.keycodeOf(XKB_KEY_Num_Lock);
	fx.client.tapKey(numLock);
	VstKeyCode code = tap(XKB_KEY_KP_Begin);
	fx.client.tapKey(numLock);
	expectKey(code, 0, VKEY_NUMPAD5, 0);
}

TEST_F(X11Keys, NamedKeysArriveAsVirtualKeys)
{
	const std::pair<uint32_t, unsigned char> cases[] = {
	    {XKB_KEY_Up, VKEY_UP},         {XKB_KEY_Down, VKEY_DOWN},     {XKB_KEY_Left, VKEY_LEFT},
	    {XKB_KEY_Right, VKEY_RIGHT},   {XKB_KEY_F1, VKEY_F1},         {XKB_KEY_F12, VKEY_F12},
	    {XKB_KEY_Return, VKEY_RETURN}, {XKB_KEY_Escape, VKEY_ESCAPE}, {XKB_KEY_Tab, VKEY_TAB}};
	for (auto [keysym, virt] : cases)
		expectKey(tap(keysym), 0, virt, 0);
}

TEST_F(X11Keys, ModifierAloneGivesNoKeyEventButReachesTheHost)
{
	selectKeys(fx.client, fx.parent, XCB_EVENT_MASK_KEY_PRESS);
	for (uint32_t keysym : {XKB_KEY_Shift_L, XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_Super_L})
	{
		xcb_keycode_t key = fx.client.keycodeOf(keysym);
		ASSERT_NE(key, 0) << keysym;
		fx.client.tapKey(key);
		HostKey forwarded = waitForHostKey(fx.client, XCB_KEY_PRESS);
		ASSERT_NE(forwarded, nullptr) << keysym;
		EXPECT_EQ(forwarded->detail, key);
	}
	expectKey(tap(XKB_KEY_x), 'x', 0, 0);
	EXPECT_EQ(keys.downs.size(), 1u);
	EXPECT_EQ(keys.ups.size(), 1u);
}

TEST_F(X11Keys, KeyReleaseReachesTheFrame)
{
	tap(XKB_KEY_x);
	ASSERT_FALSE(keys.ups.empty());
	expectKey(keys.ups.back(), 'x', 0, 0);
}

TEST(X11KeyForwarding, KeyTheEditorDoesNotUseReachesTheParentWindow)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	// The host listens for keys on its own window.
	selectKeys(fx.client, fx.parent, XCB_EVENT_MASK_KEY_PRESS);
	clickIntoTheEditor(fx);
	xcb_keycode_t space = fx.client.keycodeOf(XKB_KEY_space);
	fx.client.tapKey(space);
	HostKey key = waitForHostKey(fx.client, XCB_KEY_PRESS);
	ASSERT_NE(key, nullptr);
	EXPECT_TRUE(key->response_type & 0x80) << "sent by the editor, not the server";
	EXPECT_EQ(key->detail, space);
	EXPECT_EQ(key->event, fx.parent);
}

TEST(X11KeyForwarding, KeyReachesTheTopLevelAboveAnEmbeddingWindowThatSelectsNoKeys)
{
	FrameFixture fx(CRect(0, 0, 200, 150), 300, 200, Embedding::nested);
	ASSERT_NE(fx.platform(), nullptr);
	// Ardour's tree: the top-level selects keys, the embedding window does not.
	selectKeys(fx.client, fx.topLevel, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
	clickIntoTheEditor(fx);
	xcb_keycode_t space = fx.client.keycodeOf(XKB_KEY_space);
	fx.client.tapKey(space);
	for (uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE})
	{
		HostKey key = waitForHostKey(fx.client, type);
		ASSERT_NE(key, nullptr) << int(type);
		EXPECT_EQ(key->detail, space);
		// As the server fills them in for a key that propagated up.
		EXPECT_EQ(key->event, fx.topLevel);
		EXPECT_EQ(key->child, fx.parent);
		EXPECT_EQ(key->root, fx.client.root());
		EXPECT_EQ(key->event_x, FrameFixture::nestedX + 50);
		EXPECT_EQ(key->event_y, FrameFixture::nestedY + 50);
		EXPECT_EQ(key->root_x, fx.rootX(50));
		EXPECT_EQ(key->root_y, fx.rootY(50));
	}
}

TEST_F(X11Input, CurrentMouseStateIsPolledFromTheServer)
{
	xcb_keycode_t shift = fx.client.keycodeOf(XKB_KEY_Shift_L);
	fx.client.movePointer(fx.rootX(70), fx.rootY(80));
	fx.client.pressKey(shift);
	fx.client.pressButton(3);
	CButtonState held = fx.frame->getCurrentMouseButtons();
	CPoint where;
	bool located = fx.frame->getCurrentMouseLocation(where);
	fx.client.releaseButton(3);
	fx.client.releaseKey(shift);
	EXPECT_EQ(held(), kButtonRight | kModifierShift);
	EXPECT_TRUE(located);
	EXPECT_EQ(where, CPoint(70, 80));
	EXPECT_EQ(fx.frame->getCurrentMouseButtons()(), 0);
}
