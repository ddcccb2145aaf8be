#include "gui/platform/linux/window/x11cursor.h"

namespace VSTGUI::X11Cursor
{

namespace
{

// "not-allowed" and "copy" are missing from the core cursor font that
// xcb-cursor falls back to when no theme is installed.
constexpr const char* kArrow[] = {"left_ptr", "default", "arrow"};
constexpr const char* kHorizontal[] = {"sb_h_double_arrow", "ew-resize", "col-resize"};
constexpr const char* kVertical[] = {"sb_v_double_arrow", "ns-resize", "row-resize"};
constexpr const char* kCrosshair[] = {"crosshair", "cross", "tcross"};
constexpr const char* kCopy[] = {"copy", "dnd-copy", "plus"};
constexpr const char* kNotAllowed[] = {"not-allowed", "crossed_circle", "circle", "X_cursor"};
constexpr const char* kHand[] = {"hand1", "openhand", "grab", "hand2"};
constexpr const char* kText[] = {"xterm", "text", "ibeam"};

constexpr std::array<std::span<const char* const>, 10> kNames{
    kArrow, kArrow, kHorizontal, kVertical, kCrosshair, kCrosshair, kCrosshair, kCopy, kNotAllowed, kHand};
static_assert(kNames.size() == kCursorHand + 1, "one entry per cursor type");

size_t indexOf(CCursorType type)
{
	return type >= 0 && static_cast<size_t>(type) < kNames.size() ? static_cast<size_t>(type) : 0;
}

} // namespace

std::span<const char* const> namesFor(CCursorType type)
{
	return kNames[indexOf(type)];
}

Cache::Cache(xcb_connection_t* connection, xcb_screen_t* screen) : connection(connection)
{
	if (xcb_cursor_context_new(connection, screen, &context) < 0)
		context = nullptr;
}

Cache::~Cache()
{
	for (xcb_cursor_t cursor : cursors)
	{
		if (cursor != XCB_CURSOR_NONE)
			xcb_free_cursor(connection, cursor);
	}
	if (text != XCB_CURSOR_NONE)
		xcb_free_cursor(connection, text);
	if (context)
		xcb_cursor_context_free(context);
}

xcb_cursor_t Cache::load(std::span<const char* const> names)
{
	if (context == nullptr)
		return XCB_CURSOR_NONE;
	for (const char* name : names)
	{
		xcb_cursor_t cursor = xcb_cursor_load_cursor(context, name);
		if (cursor != XCB_CURSOR_NONE)
			return cursor;
	}
	return XCB_CURSOR_NONE;
}

xcb_cursor_t Cache::get(CCursorType type)
{
	size_t index = indexOf(type);
	if (cursors[index] == XCB_CURSOR_NONE)
		cursors[index] = load(namesFor(type));
	if (cursors[index] == XCB_CURSOR_NONE && index != 0)
		return get(kCursorDefault);
	return cursors[index];
}

xcb_cursor_t Cache::getText()
{
	if (text == XCB_CURSOR_NONE)
		text = load(kText);
	return text != XCB_CURSOR_NONE ? text : get(kCursorDefault);
}

} // namespace VSTGUI::X11Cursor
