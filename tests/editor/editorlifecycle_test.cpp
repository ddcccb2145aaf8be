// What hosts do to an editor's life that a careful host would not: open it
// twice without closing it.
#include "tests/support/x11testsupport.h"
#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

using corvane::HostedPlugin;
using corvane::test::TestClient;

namespace
{

void* windowPointer(xcb_window_t window)
{
	return reinterpret_cast<void*>(std::uintptr_t(window));
}

std::unique_ptr<HostedPlugin> loadModule()
{
	std::string error;
	auto plugin = HostedPlugin::load(CORVANE_MODULE_PATH, error);
	EXPECT_TRUE(plugin) << error;
	return plugin;
}

TEST(EditorLifecycle, ASecondOpenReplacesTheFirstWindow)
{
	corvane::test::sharedServer();
	TestClient client;
	auto plugin = loadModule();
	ASSERT_TRUE(plugin);
	xcb_window_t first = client.createParent(0, 0, 400, 196);
	xcb_window_t second = client.createParent(0, 0, 400, 196);
	ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, windowPointer(first)), 1);
	plugin->dispatch(effEditIdle);
	ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, windowPointer(second)), 1);
	plugin->dispatch(effEditIdle);
	client.sync();
	EXPECT_TRUE(client.descendantsOf(first).empty()) << "the first window is gone";
	EXPECT_EQ(client.descendantsOf(second).size(), 1u);
	plugin->dispatch(effEditClose);
	client.sync();
	EXPECT_TRUE(client.descendantsOf(second).empty());
}

} // namespace
