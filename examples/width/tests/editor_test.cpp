// Corvane Width's editor in a window on the X display the tests run under
// (xvfb-run in CI), driven with XTEST input like a user: each control must
// change its parameter inside complete edits (begin, automate, end), as a
// host records them.
#include "tools/vsthost/pluginhost.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <regex>
#include <thread>

#include <gtest/gtest.h>

using corvane::HostedPlugin;
using namespace std::chrono_literals;

namespace
{

enum : xcb_keysym_t
{
	kKeyBackSpace = 0xff08,
	kKeyReturn = 0xff0d,
	kKeyEnd = 0xff57,
	kKeyRight = 0xff53,
	kKeyDown = 0xff54,
};

// A client of our own on the display: the host's parent window, and input
// through XTEST, which the server handles like real devices.
class Display
{
public:
	Display() : connection(xcb_connect(nullptr, nullptr))
	{
		if (xcb_connection_has_error(connection))
			return;
		const xcb_setup_t* setup = xcb_get_setup(connection);
		root = xcb_setup_roots_iterator(setup).data->root;
		minKeycode = setup->min_keycode;
		auto cookie = xcb_get_keyboard_mapping(connection, minKeycode, setup->max_keycode - minKeycode + 1);
		if (auto* reply = xcb_get_keyboard_mapping_reply(connection, cookie, nullptr))
		{
			const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
			int count = xcb_get_keyboard_mapping_keysyms_length(reply);
			keysyms.assign(syms, syms + count);
			perKeycode = reply->keysyms_per_keycode;
			std::free(reply);
		}
	}
	~Display() { xcb_disconnect(connection); }

	bool works() const { return !xcb_connection_has_error(connection) && perKeycode > 0; }

	// The mapped windows anywhere on the screen: a text field or a pop-up
	// that opens adds one.
	int mappedWindows() { return mappedBelow(root); }

	xcb_window_t createParent(int width, int height)
	{
		xcb_window_t window = xcb_generate_id(connection);
		xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, static_cast<std::uint16_t>(width),
		                  static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0,
		                  nullptr);
		xcb_map_window(connection, window);
		sync();
		return window;
	}

	void moveTo(double x, double y)
	{
		xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, static_cast<std::int16_t>(x),
		                    static_cast<std::int16_t>(y), 0);
		sync();
		std::this_thread::sleep_for(20ms);
	}
	void button(bool press)
	{
		xcb_test_fake_input(connection, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0,
		                    0, 0);
		sync();
		std::this_thread::sleep_for(40ms);
	}
	void click(double x, double y)
	{
		moveTo(x, y);
		button(true);
		button(false);
	}
	void key(xcb_keysym_t keysym)
	{
		xcb_keycode_t code = keycodeOf(keysym);
		ASSERT_NE(code, 0) << "no key gives keysym " << keysym;
		xcb_test_fake_input(connection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
		xcb_test_fake_input(connection, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
		sync();
		std::this_thread::sleep_for(30ms);
	}

private:
	int mappedBelow(xcb_window_t window)
	{
		auto* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
		if (!tree)
			return 0;
		int count = 0;
		const xcb_window_t* children = xcb_query_tree_children(tree);
		for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
		{
			auto cookie = xcb_get_window_attributes(connection, children[i]);
			if (auto* attributes = xcb_get_window_attributes_reply(connection, cookie, nullptr))
			{
				if (attributes->map_state == XCB_MAP_STATE_VIEWABLE)
					count += 1 + mappedBelow(children[i]);
				std::free(attributes);
			}
		}
		std::free(tree);
		return count;
	}
	xcb_keycode_t keycodeOf(xcb_keysym_t keysym) const
	{
		for (std::size_t i = 0; i < keysyms.size(); i += static_cast<std::size_t>(perKeycode))
			if (keysyms[i] == keysym)
				return static_cast<xcb_keycode_t>(minKeycode + i / static_cast<std::size_t>(perKeycode));
		return 0;
	}
	// A round trip: the server has handled every request before it.
	void sync() { std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); }

	xcb_connection_t* connection;
	xcb_window_t root = 0;
	xcb_keycode_t minKeycode = 0;
	int perKeycode = 0;
	std::vector<xcb_keysym_t> keysyms;
};

bool eventually(const std::function<bool()>& condition)
{
	for (auto end = std::chrono::steady_clock::now() + 3s; std::chrono::steady_clock::now() < end;)
	{
		if (condition())
			return true;
		std::this_thread::sleep_for(10ms);
	}
	return condition();
}

class WidthEditor : public testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(display.works()) << "no X display with XTEST (run the tests under xvfb-run)";
		std::string error;
		plugin = HostedPlugin::load(WIDTH_MODULE_PATH, error);
		ASSERT_TRUE(plugin) << error;
		parent = display.createParent(380, 230);
		// The host's user-interface thread: opens the editor and idles it
		// at 100 Hz. A pop-up menu runs modally inside one of its idles.
		ui = std::thread(
		    [this]
		    {
			    opened =
			        plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent)));
			    started = true;
			    while (!stopping)
			    {
				    plugin->dispatch(effEditIdle);
				    std::this_thread::sleep_for(10ms);
			    }
			    plugin->dispatch(effEditClose);
		    });
		ASSERT_TRUE(eventually([this] { return started.load(); }));
		ASSERT_EQ(opened.load(), 1);
		std::this_thread::sleep_for(200ms); // mapped and drawn once
		plugin->clearCalls();
	}
	void TearDown() override
	{
		stopping = true;
		if (ui.joinable())
			ui.join();
	}

	// The host's record of one parameter's edits: B begin, A automate, E end.
	std::string edits(VstInt32 index) const
	{
		std::string trace;
		for (const corvane::HostCall& call : plugin->calls())
		{
			if (call.index != index)
				continue;
			if (call.opcode == audioMasterBeginEdit)
				trace += 'B';
			else if (call.opcode == audioMasterAutomate)
				trace += 'A';
			else if (call.opcode == audioMasterEndEdit)
				trace += 'E';
		}
		return trace;
	}
	void expectCompleteEdits(VstInt32 index) const
	{
		std::string trace = edits(index);
		EXPECT_TRUE(std::regex_match(trace, std::regex("(BA+E)+"))) << "parameter " << index << ": " << trace;
	}
	// Clicks where a text field or a pop-up opens, and waits until it is
	// there to take the keys.
	void clickOpen(double x, double y)
	{
		int before = display.mappedWindows();
		display.click(x, y);
		ASSERT_TRUE(eventually([&] { return display.mappedWindows() > before; })) << "nothing opened";
		std::this_thread::sleep_for(100ms); // its keyboard grab or focus follows the mapping
	}
	bool near(VstInt32 index, float value, float tolerance = 1e-4f) const
	{
		return std::fabs(plugin->getParameter(index) - value) <= tolerance;
	}

	Display display;
	std::unique_ptr<HostedPlugin> plugin;
	xcb_window_t parent = 0;
	std::thread ui;
	std::atomic<bool> started{false}, stopping{false};
	std::atomic<VstIntPtr> opened{0};
};

} // namespace

TEST_F(WidthEditor, TheKnobFollowsACircularDrag)
{
	// From the top of the arc (100 %) a quarter of the range clockwise; the
	// knob's centre is (80, 102), its handle circle 32 pixels out.
	ASSERT_TRUE(near(0, 0.5f));
	display.moveTo(80, 70);
	display.button(true);
	for (double degrees = -90; degrees <= -45; degrees += 9)
		display.moveTo(80 + 32 * std::cos(degrees * M_PI / 180), 102 + 32 * std::sin(degrees * M_PI / 180));
	display.button(false);
	EXPECT_TRUE(eventually([this] { return edits(0).ends_with('E'); }));
	EXPECT_NEAR(plugin->getParameter(0), 0.5f + 45.f / 270.f, 0.02f);
	expectCompleteEdits(0);
}

TEST_F(WidthEditor, ATypedWidthIsTaken)
{
	clickOpen(80, 175);
	display.key(kKeyEnd);
	for (int i = 0; i < 8; ++i)
		display.key(kKeyBackSpace);
	display.key('3');
	display.key('7');
	display.key(kKeyReturn);
	EXPECT_TRUE(eventually([this] { return near(0, 37.f / 200.f); })) << plugin->getParameter(0);
	EXPECT_EQ(plugin->getString(effGetParamDisplay, 0), "37");
	expectCompleteEdits(0);
}

TEST_F(WidthEditor, TheSliderDragsTheGainUp)
{
	// The handle's centre at 0 dB: two thirds of its 123-pixel travel up
	// from the bottom of the 140-pixel track at y = 48, plus half its height.
	display.moveTo(185, 48 + 41 + 8);
	display.button(true);
	display.moveTo(185, 80);
	display.moveTo(185, 50);
	display.button(false);
	EXPECT_TRUE(eventually([this] { return edits(1).ends_with('E'); }));
	EXPECT_GT(plugin->getParameter(1), 0.95f);
	expectCompleteEdits(1);
}

TEST_F(WidthEditor, TheButtonMutesAndUnmutes)
{
	display.click(300, 147);
	EXPECT_TRUE(eventually([this] { return near(3, 1.f); }));
	display.click(300, 147);
	EXPECT_TRUE(eventually([this] { return near(3, 0.f); }));
	EXPECT_EQ(edits(3), "BAEBAE");
}

TEST_F(WidthEditor, TheMenuChoosesAMode)
{
	clickOpen(300, 74);
	for (int i = 0; i < 4; ++i) // Stereo, Mid only, Side only, Swap
		display.key(kKeyDown);
	display.key(kKeyReturn);
	EXPECT_TRUE(eventually([this] { return near(2, 1.f); })) << plugin->getParameter(2);
	EXPECT_EQ(plugin->getString(effGetParamDisplay, 2), "Swap");
	expectCompleteEdits(2);
}

TEST_F(WidthEditor, APresetFromTheSubMenuSetsEveryParameter)
{
	clickOpen(300, 74);
	for (int i = 0; i < 5; ++i) // the four modes, then past the separator to Presets
		display.key(kKeyDown);
	display.key(kKeyRight);
	for (int i = 0; i < 5; ++i) // from Natural down to Sides
		display.key(kKeyDown);
	display.key(kKeyReturn);
	EXPECT_TRUE(eventually([this] { return near(2, 2.f / 3.f); })) << plugin->getParameter(2);
	EXPECT_TRUE(near(0, 0.5f));
	EXPECT_TRUE(near(1, 2.f / 3.f));
	EXPECT_TRUE(near(3, 0.f));
	for (VstInt32 index = 0; index < 4; ++index)
		expectCompleteEdits(index);
}
