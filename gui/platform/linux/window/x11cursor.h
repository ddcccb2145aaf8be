// Mouse cursors from the user's cursor theme (xcb-cursor), with fallbacks
// for names that a theme or the core cursor font lacks.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/views/iplatformframe.h"

#include <array>
#include <span>
#include <xcb/xcb.h>
#include <xcb/xcb_cursor.h>

namespace VSTGUI::X11Cursor
{

// Theme names for a cursor type, the preferred first; the arrow for 0, 1,
// values above 9 and negative ones.
std::span<const char* const> namesFor(CCursorType type);

// The cursors of one connection, each loaded on first use and freed with the
// cache.
class Cache
{
public:
	Cache(xcb_connection_t* connection, xcb_screen_t* screen);
	~Cache();
	Cache(const Cache&) = delete;
	Cache& operator=(const Cache&) = delete;

	// XCB_CURSOR_NONE when no name of the type nor the arrow can be loaded.
	xcb_cursor_t get(CCursorType type);
	// The I-beam over text, which no cursor type names; the arrow when the
	// theme has none.
	xcb_cursor_t getText();

private:
	xcb_cursor_t load(std::span<const char* const> names);

	xcb_connection_t* connection;
	xcb_cursor_context_t* context{nullptr};
	std::array<xcb_cursor_t, 10> cursors{};
	xcb_cursor_t text{XCB_CURSOR_NONE};
};

} // namespace VSTGUI::X11Cursor
