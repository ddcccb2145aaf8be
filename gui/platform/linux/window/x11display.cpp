#include "gui/platform/linux/window/x11display.h"

#include "gui/platform/linux/controls/x11textfieldclipboard.h"
#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/platform/linux/window/x11connection.h"
#include "gui/platform/linux/window/x11reply.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

namespace
{

constexpr const char* kAtomNames[] = {
    "XdndAware",
    "XdndProxy",
    "XdndEnter",
    "XdndPosition",
    "XdndStatus",
    "XdndLeave",
    "XdndDrop",
    "XdndFinished",
    "XdndSelection",
    "XdndTypeList",
    "XdndActionCopy",
    "XdndActionMove",
    "TARGETS",
    "UTF8_STRING",
    "text/uri-list",
    "text/plain;charset=utf-8",
    "text/plain",
    X11DragContainer::kBinaryType,
    "CLIPBOARD",
    "PRIMARY",
    "CORVANE_XDND_DATA",
    "CORVANE_FRAME_PASTE",
    "CORVANE_TEXT_PASTE",
    "CORVANE_PRIMARY_PASTE",
    "_XEMBED_INFO",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_WINDOW_TYPE_TOOLTIP",
    "_NET_WM_WINDOW_OPACITY",
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
};
static_assert(std::size(kAtomNames) == X11AtomTable::kSize, "one name per atom");

// The editor opens on the host's user-interface thread: a server that takes
// longer than this to answer is treated as none.
constexpr int kConnectTimeoutMs = 2000;

} // namespace

// ---------------------------------------------------------------------------
// Atoms, geometry and window creation

X11AtomTable::X11AtomTable(xcb_connection_t* connection)
{
	std::array<xcb_intern_atom_cookie_t, kSize> cookies{};
	for (size_t i = 0; i < kSize; ++i)
		cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
	for (size_t i = 0; i < kSize; ++i)
	{
		auto reply = owned(xcb_intern_atom_reply(connection, cookies[i], nullptr));
		atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
	}
}

xcb_atom_t X11AtomTable::find(std::string_view name) const
{
	for (size_t i = 0; i < kSize; ++i)
	{
		if (name == kAtomNames[i])
			return atoms[i];
	}
	return XCB_ATOM_NONE;
}

const char* X11AtomTable::nameOf(X11Atom atom)
{
	auto index = static_cast<size_t>(atom);
	return index < kSize ? kAtomNames[index] : "";
}

namespace X11Geometry
{

int16_t coordinate(double value)
{
	return static_cast<int16_t>(std::clamp(value, -32768., 32767.));
}

uint16_t extent(double value)
{
	return static_cast<uint16_t>(std::clamp(value, 1., 32767.));
}

} // namespace X11Geometry

xcb_window_t createCheckedWindow(xcb_connection_t* connection, const X11WindowParams& params)
{
	xcb_window_t window = xcb_generate_id(connection);
	xcb_void_cookie_t cookie = xcb_create_window_checked(
	    connection, params.depth, window, params.parent, X11Geometry::coordinate(params.rect.left),
	    X11Geometry::coordinate(params.rect.top), X11Geometry::extent(params.rect.getWidth()),
	    X11Geometry::extent(params.rect.getHeight()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, params.visual, params.valueMask,
	    params.values);
	// A failed connection answers no error but holds no window either.
	if (auto error = owned(xcb_request_check(connection, cookie)); error || xcb_connection_has_error(connection))
		return XCB_WINDOW_NONE;
	return window;
}

// ---------------------------------------------------------------------------
// The display

std::unique_ptr<X11Display> X11Display::open()
{
	xcb_connection_t* connection = X11Connection::open(kConnectTimeoutMs);
	if (connection == nullptr)
		return nullptr;
	return std::unique_ptr<X11Display>(new X11Display(connection));
}

X11Display::X11Display(xcb_connection_t* connection) : connection(connection), atoms(connection) {}

X11Display::~X11Display()
{
	// What lives on the connection goes before it.
	clipboard.reset();
	cursors.reset();
	keymap.reset();
	xcb_disconnect(connection);
}

bool X11Display::useScreenWithRoot(xcb_window_t root)
{
	for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem; xcb_screen_next(&it))
	{
		if (it.data->root == root)
			screen = it.data;
	}
	return screen != nullptr;
}

X11Keyboard::Keymap& X11Display::getKeymap()
{
	if (!keymap)
		keymap = std::make_unique<X11Keyboard::Keymap>(connection);
	return *keymap;
}

void X11Display::invalidateKeymap()
{
	if (keymap)
		keymap->invalidate();
}

X11Cursor::Cache& X11Display::getCursors()
{
	if (!cursors)
		cursors = std::make_unique<X11Cursor::Cache>(connection, screen);
	return *cursors;
}

X11TextFieldClipboard* X11Display::getClipboard()
{
	if (clipboardWindow == XCB_WINDOW_NONE || !isConnected())
		return nullptr;
	if (!clipboard)
		clipboard =
		    std::make_unique<X11TextFieldClipboard>(*this, clipboardWindow, X11Atom::clipboard, X11Atom::framePaste);
	return clipboard.get();
}

bool X11Display::offerToClipboard(const xcb_generic_event_t& event)
{
	if (!clipboard)
		return false;
	std::optional<std::string> pasted;
	return clipboard->handleEvent(event, pasted);
}

void X11Display::addEventHandler(IX11EventHandler* handler)
{
	if (handler && std::find(eventHandlers.begin(), eventHandlers.end(), handler) == eventHandlers.end())
		eventHandlers.push_back(handler);
}

void X11Display::removeEventHandler(IX11EventHandler* handler)
{
	// Emptied in place rather than erased, so that a walk over the list
	// (an event being offered) is never disturbed; compacted when idle.
	std::replace(eventHandlers.begin(), eventHandlers.end(), handler, static_cast<IX11EventHandler*>(nullptr));
}

bool X11Display::offerToHandlers(const xcb_generic_event_t& event)
{
	if (eventHandlers.empty())
		return false;
	++offeringDepth;
	bool used = false;
	for (size_t i = 0; i < eventHandlers.size() && !used; ++i)
	{
		if (IX11EventHandler* handler = eventHandlers[i])
			used = handler->handleX11Event(event);
	}
	if (--offeringDepth == 0)
		std::erase(eventHandlers, nullptr);
	return used;
}

void X11Display::noteEventTime(const xcb_generic_event_t& event)
{
	switch (event.response_type & 0x7F)
	{
		case XCB_KEY_PRESS:
		case XCB_KEY_RELEASE:
		case XCB_BUTTON_PRESS:
		case XCB_BUTTON_RELEASE:
		case XCB_MOTION_NOTIFY: lastEventTime = reinterpret_cast<const xcb_key_press_event_t&>(event).time; break;
		case XCB_ENTER_NOTIFY:
		case XCB_LEAVE_NOTIFY: lastEventTime = reinterpret_cast<const xcb_enter_notify_event_t&>(event).time; break;
		case XCB_PROPERTY_NOTIFY:
			lastEventTime = reinterpret_cast<const xcb_property_notify_event_t&>(event).time;
			break;
		default: break;
	}
}

} // namespace VSTGUI
