// The LV2 UI through its exported entry point, as a host embeds it: a
// parent window of the test's own on a private X server, the host's
// features recorded, the UI idled through its idle interface and driven
// with port events and XTEST input.
#include "lv2/lv2ports.h"
#include "tests/support/x11testsupport.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>
#include <optional>
#include <string>
#include <vector>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace
{

using namespace corvane::lv2;
using corvane::test::TestClient;

struct Write
{
	std::uint32_t port, size, protocol;
	float value;
};

// What the host hears from the UI.
struct HostRecord
{
	std::vector<Write> writes;
	std::vector<std::pair<std::uint32_t, bool>> touches;
	std::optional<std::pair<int, int>> size;
};

void recordWrite(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size, std::uint32_t protocol,
                 const void* buffer)
{
	float value = 0.f;
	if (size == sizeof(float))
		std::memcpy(&value, buffer, sizeof(value));
	static_cast<HostRecord*>(controller)->writes.push_back({port, size, protocol, value});
}

int recordResize(LV2UI_Feature_Handle handle, int width, int height)
{
	static_cast<HostRecord*>(handle)->size = {width, height};
	return 0;
}

void recordTouch(LV2UI_Feature_Handle handle, std::uint32_t port, bool grabbed)
{
	static_cast<HostRecord*>(handle)->touches.emplace_back(port, grabbed);
}

class Lv2Ui : public testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(corvane::test::sharedServer().isRunning());
		ASSERT_TRUE(client.isConnected());
		parent = client.createParent(0, 0, 500, 300, XCB_EVENT_MASK_KEY_PRESS);
		library = dlopen(CORVANE_LV2_UI_MODULE, RTLD_NOW | RTLD_LOCAL);
		ASSERT_NE(library, nullptr) << dlerror();
		auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"));
		ASSERT_NE(entry, nullptr);
		descriptor = entry(0);
		ASSERT_NE(descriptor, nullptr);
		EXPECT_STREQ(descriptor->URI, kUiUri);
		idle = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
		ASSERT_NE(idle, nullptr);
	}
	void TearDown() override
	{
		if (handle)
			descriptor->cleanup(handle);
		// The UI stays mapped once loaded (-z nodelete); closing is harmless.
		if (library)
			dlclose(library);
	}

	// more: further features, such as the options.
	LV2UI_Handle instantiate(LV2UI_Widget* widget, std::vector<const LV2_Feature*> more = {})
	{
		LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))};
		LV2_Feature resizeFeature{LV2_UI__resize, &resize};
		LV2_Feature touchFeature{LV2_UI__touch, &touch};
		std::vector<const LV2_Feature*> features = {&parentFeature, &resizeFeature, &touchFeature};
		features.insert(features.end(), more.begin(), more.end());
		features.push_back(nullptr);
		return descriptor->instantiate(descriptor, kPluginUri, "", recordWrite, &host, widget, features.data());
	}

	// Idles the UI as a host does until done() or a few seconds.
	bool idleUntil(const std::function<bool()>& done)
	{
		for (int i = 0; i < 600; i++)
		{
			EXPECT_EQ(idle->idle(handle), 0);
			if (done())
				return true;
			usleep(5000);
		}
		return false;
	}

	void sendDistance(float metres) { descriptor->port_event(handle, kDistance, sizeof(metres), 0, &metres); }

	// The x of the slider handle's centre on the slider's middle row: the
	// handle is the one bright part of the dark track.
	int handleCentre(xcb_window_t window, int width, int height)
	{
		constexpr int kRow = 124;
		std::vector<std::uint32_t> pixels = client.readPixels(window, width, height);
		if (pixels.size() < static_cast<std::size_t>(width * (kRow + 1)))
			return -1;
		int sum = 0, count = 0;
		for (int x = 73; x < 323 && x < width; x++)
			if (((pixels[kRow * width + x] >> 16) & 0xFF) > 150)
			{
				sum += x;
				count++;
			}
		return count ? sum / count : -1;
	}

	TestClient client;
	xcb_window_t parent = 0;
	void* library = nullptr;
	const LV2UI_Descriptor* descriptor = nullptr;
	const LV2UI_Idle_Interface* idle = nullptr;
	LV2UI_Handle handle = nullptr;
	HostRecord host;
	LV2UI_Resize resize{&host, recordResize};
	LV2UI_Touch touch{&host, recordTouch};
};

TEST_F(Lv2Ui, EmbedsTellsItsSizeAndShowsTheDistanceThatTheHostSends)
{
	LV2UI_Widget widget = nullptr;
	handle = instantiate(&widget);
	ASSERT_NE(handle, nullptr);
	auto window = static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(widget));
	std::vector<xcb_window_t> children = client.descendantsOf(parent);
	EXPECT_NE(std::find(children.begin(), children.end(), window), children.end()) << "not inside the parent";
	ASSERT_TRUE(host.size);
	int width = host.size->first, height = host.size->second;
	corvane::test::Freed<xcb_get_geometry_reply_t> geometry(
	    xcb_get_geometry_reply(client.get(), xcb_get_geometry(client.get(), window), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->width, width);
	EXPECT_EQ(geometry->height, height);

	// The ends of the range first, then a value between them.
	int atEnd = -1, atStart = -1, middle = -1;
	sendDistance(5.f);
	EXPECT_TRUE(idleUntil([&] { return (atEnd = handleCentre(window, width, height)) > 200; }));
	sendDistance(0.5f);
	EXPECT_TRUE(idleUntil([&] { return (atStart = handleCentre(window, width, height)) < 120; }));
	sendDistance(2.75f);
	EXPECT_TRUE(
	    idleUntil([&] { return std::abs((middle = handleCentre(window, width, height)) * 2 - atStart - atEnd) <= 2; }))
	    << atStart << " " << middle << " " << atEnd;
	// Other ports and protocols are no distance.
	float other = 5.f;
	descriptor->port_event(handle, kEnabled, sizeof(other), 0, &other);
	descriptor->port_event(handle, kDistance, sizeof(other), 1, &other);
	for (int i = 0; i < 20; i++)
		idle->idle(handle);
	EXPECT_EQ(handleCentre(window, width, height), middle);
	EXPECT_TRUE(host.writes.empty());
}

TEST_F(Lv2Ui, ADragWritesTheDistanceInOneGestureAndUnusedKeysReachTheHost)
{
	LV2UI_Widget widget = nullptr;
	handle = instantiate(&widget);
	ASSERT_NE(handle, nullptr);
	auto window = static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(widget));
	ASSERT_TRUE(host.size);
	int width = host.size->first, height = host.size->second;
	int start = -1;
	ASSERT_TRUE(idleUntil([&] { return (start = handleCentre(window, width, height)) > 0; }));

	client.movePointer(start, 124);
	client.pressButton(1);
	idleUntil([&] { return !host.touches.empty(); });
	// Past the end of the track: the distance stops at 5 m.
	client.movePointer(start + 100, 124);
	idleUntil([&] { return !host.writes.empty(); });
	client.movePointer(width + 50, 124);
	idleUntil([&] { return !host.writes.empty() && host.writes.back().value == 5.f; });
	client.releaseButton(1);
	idleUntil([&] { return host.touches.size() >= 2; });

	ASSERT_FALSE(host.writes.empty());
	for (const Write& w : host.writes)
	{
		EXPECT_EQ(w.port, kDistance);
		EXPECT_EQ(w.size, sizeof(float));
		EXPECT_EQ(w.protocol, 0u);
		EXPECT_TRUE(w.value >= 0.5f && w.value <= 5.f) << w.value;
	}
	EXPECT_EQ(host.writes.back().value, 5.f);
	using Touch = std::pair<std::uint32_t, bool>;
	EXPECT_EQ(host.touches, (std::vector<Touch>{{kDistance, true}, {kDistance, false}}));

	// The click gave the editor the focus; a key it has no use for goes on
	// to the host's window, as in a VST2 host.
	client.tapKey(client.keycodeOf(XKB_KEY_space));
	bool reached = false;
	for (int i = 0; i < 200 && !reached; i++)
	{
		idle->idle(handle);
		if (xcb_generic_event_t* event = client.waitForEvent(XCB_KEY_PRESS, 5))
		{
			reached = reinterpret_cast<xcb_key_press_event_t*>(event)->event == parent;
			std::free(event);
		}
	}
	EXPECT_TRUE(reached);
}

// A URID map of the test's own: the position in a list of URIs, from 1.
LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
{
	auto& uris = *static_cast<std::vector<std::string>*>(handle);
	auto found = std::find(uris.begin(), uris.end(), uri);
	if (found == uris.end())
		found = uris.insert(uris.end(), uri);
	return static_cast<LV2_URID>(found - uris.begin() + 1);
}

TEST_F(Lv2Ui, TheHostsScaleFactorOptionScalesTheEditor)
{
	std::vector<std::string> uris;
	LV2_URID_Map map{&uris, mapUri};
	const float factor = 2.f;
	const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, mapUri(&uris, LV2_UI__scaleFactor), sizeof(float),
	                                       mapUri(&uris, LV2_ATOM__Float), &factor},
	                                      {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
	LV2_Feature mapFeature{LV2_URID__map, &map};
	LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
	LV2UI_Widget widget = nullptr;
	handle = instantiate(&widget, {&mapFeature, &optionsFeature});
	ASSERT_NE(handle, nullptr);
	ASSERT_TRUE(host.size);
	EXPECT_EQ(*host.size, std::make_pair(800, 392));
	auto window = static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(widget));
	corvane::test::Freed<xcb_get_geometry_reply_t> geometry(
	    xcb_get_geometry_reply(client.get(), xcb_get_geometry(client.get(), window), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->width, 800);
	EXPECT_EQ(geometry->height, 392);
}

TEST_F(Lv2Ui, NoParentNoUi)
{
	LV2UI_Widget widget = nullptr;
	const LV2_Feature* features[] = {nullptr};
	EXPECT_EQ(descriptor->instantiate(descriptor, kPluginUri, "", recordWrite, &host, &widget, features), nullptr);
}

} // namespace
