// One X connection as the editor's window and its native parts (text field,
// pop-up menu, tooltip, drag source and picture, clipboard) share it: the
// connection and the screen of the host's window, the atoms the layer uses
// (interned once, in one round trip), the keymap, the cursors, the CLIPBOARD
// owner, the handlers that are offered every event, and the time of the
// last input event.
//
// Also here, for every window the layer creates (the host window of our own
// command-line host included, which has a connection of its own): the atom
// table, the clamps of toolkit coordinates to the protocol's 16-bit fields,
// and the checked creation of a window.
//
// Ownership: X11Frame creates the display and owns it for the frame object's
// whole life, which is longer than its window's: a native part that outlives
// the window holds the frame object (X11Frame::rememberForModalLoop), and so
// the display, until it has cleaned up. The display disconnects when it goes.
// The native parts keep a reference to it and never free it.
//
// Failure: requests on a failed connection are silently dropped by xcb; the
// display answers XCB_ATOM_NONE, XCB_WINDOW_NONE or null where it cannot
// serve, and never ends the process. Threads: user-interface thread only.
#pragma once

#include "gui/base/crect.h"
#include "gui/platform/linux/window/x11cursor.h"
#include "gui/platform/linux/window/x11keyboard.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>
#include <xcb/xcb.h>

namespace VSTGUI
{

class X11TextFieldClipboard;

// A part of the platform layer with windows or selections of its own on a
// frame's connection (the text field, the pop-up menu, a drag being
// started). The frame offers it every event before handling the event
// itself, so that such parts need no connection and no loop of their own.
class IX11EventHandler
{
public:
	virtual ~IX11EventHandler() = default;
	// True when the event was this handler's: the frame then ignores it.
	virtual bool handleX11Event(const xcb_generic_event_t& event) = 0;
};

// Every atom the layer uses. The names are in x11display.cpp, in this order.
enum class X11Atom : uint8_t
{
	// XDND, as drop target and as drag source.
	xdndAware,
	xdndProxy,
	xdndEnter,
	xdndPosition,
	xdndStatus,
	xdndLeave,
	xdndDrop,
	xdndFinished,
	xdndSelection,
	xdndTypeList,
	xdndActionCopy,
	xdndActionMove,
	// Selection targets: the types a drag offers or a drop accepts, and what
	// the clipboard hands out.
	targets,
	utf8String,
	textUriList,
	textPlainUtf8,
	textPlain,
	toolkitBinary,
	// Selections and the properties our pastes and drops arrive in.
	clipboard,
	primary,
	xdndData,
	framePaste,
	textPaste,
	primaryPaste,
	// Window manager hints.
	xembedInfo,
	netWmWindowType,
	netWmWindowTypePopupMenu,
	netWmWindowTypeTooltip,
	netWmWindowOpacity,
	wmProtocols,
	wmDeleteWindow,
	count
};

// The atoms of one connection. Every request is sent before the first reply
// is read; an atom the server refused is XCB_ATOM_NONE.
class X11AtomTable
{
public:
	static constexpr size_t kSize = static_cast<size_t>(X11Atom::count);

	explicit X11AtomTable(xcb_connection_t* connection);

	xcb_atom_t operator[](X11Atom atom) const { return atoms[static_cast<size_t>(atom)]; }
	// The atom of a name in the table (a drag's type names); XCB_ATOM_NONE
	// for any other name.
	xcb_atom_t find(std::string_view name) const;
	static const char* nameOf(X11Atom atom);

private:
	std::array<xcb_atom_t, kSize> atoms{};
};

// Toolkit coordinates (doubles) to the protocol's INT16 positions and CARD16
// sizes. A window is at least one pixel wide: the server refuses zero.
namespace X11Geometry
{
int16_t coordinate(double value);
uint16_t extent(double value);
} // namespace X11Geometry

// What a new window is: its parent, its rectangle in the parent's
// coordinates (clamped with X11Geometry), its depth and visual (copied from
// the parent unless given) and its attributes as xcb_create_window takes
// them (values in the order of the mask's bits).
struct X11WindowParams
{
	xcb_window_t parent{XCB_WINDOW_NONE};
	CRect rect;
	uint32_t valueMask{0};
	const uint32_t* values{nullptr};
	uint8_t depth{XCB_COPY_FROM_PARENT};
	xcb_visualid_t visual{XCB_COPY_FROM_PARENT};
};

// Creates an input-output window without border and waits for the server's
// verdict: XCB_WINDOW_NONE when it refused (an unknown parent, a depth
// without that visual, a failed connection), so that no later request names
// a window that does not exist.
xcb_window_t createCheckedWindow(xcb_connection_t* connection, const X11WindowParams& params);

class X11Display
{
public:
	// A connection to $DISPLAY with its atoms interned; null (and nothing
	// left behind) when no server can be reached.
	static std::unique_ptr<X11Display> open();
	~X11Display();
	X11Display(const X11Display&) = delete;
	X11Display& operator=(const X11Display&) = delete;

	xcb_connection_t* getConnection() const { return connection; }
	// False once the connection has failed (server gone, request refused
	// outright); it never recovers.
	bool isConnected() const { return !xcb_connection_has_error(connection); }
	// The screen chosen by useScreenWithRoot; null before.
	xcb_screen_t* getScreen() const { return screen; }
	// The screen whose root window is root becomes the display's screen;
	// false when the display has none such.
	bool useScreenWithRoot(xcb_window_t root);

	xcb_atom_t atom(X11Atom which) const { return atoms[which]; }
	const X11AtomTable& getAtoms() const { return atoms; }
	xcb_window_t createWindow(const X11WindowParams& params) const { return createCheckedWindow(connection, params); }

	// Loaded on first use; forgotten on MappingNotify (invalidateKeymap).
	X11Keyboard::Keymap& getKeymap();
	void invalidateKeymap();
	// Loaded on first use; the cursors live as long as the display.
	X11Cursor::Cache& getCursors();

	// CLIPBOARD as held by the frame's window: what a text field copies stays
	// there after the field has gone. The frame names its window while it
	// has one (XCB_WINDOW_NONE once it is closed or lost); null then, or on
	// a failed connection.
	void setClipboardWindow(xcb_window_t window) { clipboardWindow = window; }
	X11TextFieldClipboard* getClipboard();
	// Selection requests and clears for that window; true when handled.
	bool offerToClipboard(const xcb_generic_event_t& event);

	// Handlers are offered events in the order they were added; one may
	// remove itself (or another) while an event is being offered. Repeated
	// and null handlers are ignored.
	void addEventHandler(IX11EventHandler* handler);
	void removeEventHandler(IX11EventHandler* handler);
	// True when a handler took the event.
	bool offerToHandlers(const xcb_generic_event_t& event);

	// Keeps the server time of input and property events: grabs and
	// selections need it.
	void noteEventTime(const xcb_generic_event_t& event);
	// XCB_CURRENT_TIME before the first such event.
	xcb_timestamp_t getLastEventTime() const { return lastEventTime; }

private:
	explicit X11Display(xcb_connection_t* connection);

	xcb_connection_t* connection;
	xcb_screen_t* screen{nullptr};
	X11AtomTable atoms;
	xcb_window_t clipboardWindow{XCB_WINDOW_NONE};
	std::unique_ptr<X11Keyboard::Keymap> keymap;
	std::unique_ptr<X11Cursor::Cache> cursors;
	std::unique_ptr<X11TextFieldClipboard> clipboard;
	std::vector<IX11EventHandler*> eventHandlers;
	int offeringDepth{0};
	xcb_timestamp_t lastEventTime{XCB_CURRENT_TIME};
};

} // namespace VSTGUI
