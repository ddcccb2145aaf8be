// A host that unloads the module and loads it again in the same process.
// This program links neither Pango nor gdk-pixbuf itself, so that they go
// with the module unless the module stays mapped: GLib keeps the types they
// register for the whole process, and a module loaded again would find
// their classes pointing into unmapped code.
#include "tests/support/xvfbserver.h"
#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>

using corvane::HostedPlugin;

TEST(ModuleReload, OpensItsEditorAfterBeingUnloadedAndLoadedAgain)
{
	corvane::test::XvfbServer server;
	corvane::test::requireRunning(server);
	xcb_connection_t* connection = xcb_connect(server.getDisplay().c_str(), nullptr);
	ASSERT_EQ(xcb_connection_has_error(connection), 0);
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
	xcb_window_t parent = xcb_generate_id(connection);
	xcb_create_window(connection, XCB_COPY_FROM_PARENT, parent, screen->root, 0, 0, 400, 196, 0,
	                  XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
	xcb_map_window(connection, parent);
	xcb_flush(connection);

	for (int round = 0; round < 3; round++)
	{
		std::string error;
		corvane::HostOptions options;
		options.unloadModule = true;
		auto plugin = HostedPlugin::load(CORVANE_MODULE_PATH, error, options);
		ASSERT_TRUE(plugin) << error;
		ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(parent))), 1) << round;
		for (int i = 0; i < 5; i++)
			plugin->dispatch(effEditIdle);
		plugin->dispatch(effEditClose);
		EXPECT_EQ(plugin->close(), 1) << round;
	}
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
	ASSERT_NE(tree, nullptr);
	EXPECT_EQ(tree->children_len, 0) << "every editor window is gone";
	free(tree);
	xcb_disconnect(connection);
}
