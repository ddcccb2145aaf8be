// The connection that a frame shares with its native parts: every atom of
// the table is interned under its own name, and a window the server refuses
// is answered with XCB_WINDOW_NONE, not with an id that names nothing.
#include "tests/support/x11testsupport.h"

#include "gui/platform/linux/window/x11desktopscale.h"
#include "gui/platform/linux/window/x11display.h"
#include "gui/platform/linux/window/x11reply.h"

#include <gtest/gtest.h>
#include <string>

using namespace corvane::test;

namespace
{

std::string nameOnServer(xcb_connection_t* connection, xcb_atom_t atom)
{
	auto reply = owned(xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, atom), nullptr));
	if (!reply)
		return {};
	return std::string(xcb_get_atom_name_name(reply.get()),
	                   static_cast<size_t>(xcb_get_atom_name_name_length(reply.get())));
}

} // namespace

TEST(X11DisplayAtoms, EveryAtomOfTheTableIsInternedUnderItsName)
{
	sharedServer();
	auto display = X11Display::open();
	ASSERT_NE(display, nullptr);
	for (size_t i = 0; i < X11AtomTable::kSize; ++i)
	{
		auto which = static_cast<X11Atom>(i);
		std::string name = X11AtomTable::nameOf(which);
		ASSERT_FALSE(name.empty()) << i;
		xcb_atom_t atom = display->atom(which);
		ASSERT_NE(atom, static_cast<xcb_atom_t>(XCB_ATOM_NONE)) << name;
		EXPECT_EQ(nameOnServer(display->getConnection(), atom), name);
		EXPECT_EQ(display->getAtoms().find(name), atom) << name;
	}
	EXPECT_EQ(display->getAtoms().find("CORVANE_NOT_IN_THE_TABLE"), static_cast<xcb_atom_t>(XCB_ATOM_NONE));
}

TEST(X11DisplayWindows, CheckedCreationAnswersNoneForAParentThatDoesNotExistAndAWindowOtherwise)
{
	TestClient client;
	ASSERT_TRUE(client.isConnected());
	auto display = X11Display::open();
	ASSERT_NE(display, nullptr);
	ASSERT_TRUE(display->useScreenWithRoot(client.root()));
	// An id in the test client's range that was never created.
	xcb_window_t unknown = xcb_generate_id(client.get());
	EXPECT_EQ(display->createWindow({unknown, CRect(0, 0, 20, 20)}), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	EXPECT_TRUE(display->isConnected());

	// Clamped to the protocol's ranges rather than wrapped around.
	xcb_window_t window = display->createWindow({client.root(), CRect(-40000, 10, 80000, 10)});
	ASSERT_NE(window, static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	auto geometry = owned(
	    xcb_get_geometry_reply(display->getConnection(), xcb_get_geometry(display->getConnection(), window), nullptr));
	ASSERT_NE(geometry, nullptr);
	EXPECT_EQ(geometry->x, -32768);
	EXPECT_EQ(geometry->y, 10);
	EXPECT_EQ(geometry->width, 32767);
	EXPECT_EQ(geometry->height, 1);
}

TEST(X11DesktopScale, XftDpiOver96InQuarterStepsFromOneToFour)
{
	using VSTGUI::X11DesktopScale::fromResources;
	const std::pair<const char*, double> cases[] = {
	    {"Xft.dpi:\t192\n", 2.},
	    {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 1.5},
	    {"  Xft.dpi :  120  \r\n", 1.25},
	    {"Xft.dpi: 100", 1.},
	    {"Xft.dpi: 168.5", 1.75},
	    {"Xft.dpi: 48", 1.},
	    {"Xft.dpi: 1000", 4.},
	    {"Xft.dpix: 192\nXft.dpi: 288\n", 3.},
	    {"Xft.dpi: lots\n", 1.},
	    {"Xft.dpi: -192\n", 1.},
	    {"Xcursor.size: 48\n", 1.},
	    {"", 1.},
	};
	for (auto [resources, factor] : cases)
		EXPECT_EQ(fromResources(resources), factor) << resources;
}
