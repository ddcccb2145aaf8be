// Receiving drags by XDND (version 5) on the editor window.
//
// The window announces XdndAware. A source's XdndEnter names its types; the
// first XdndPosition asks the source for the data at once (XDND allows the
// target to read the selection before the drop), so that the views can look
// at the items while the drag moves over them, as the toolkit expects. The
// data arrives asynchronously (SelectionNotify): the source may be a window
// of the host's own thread, which cannot answer while we wait. Drag enter
// reaches the frame when the data is here; a drop that comes earlier waits
// for it.
//
// Accepted, in order of preference: the toolkit's own binary type
// (X11DragContainer::kBinaryType), text/uri-list (file paths), UTF-8 text.
// Transfers in pieces (INCR) are not supported: such drags are refused.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cpoint.h"
#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/platform/linux/window/x11display.h"
#include "gui/views/iplatformframe.h"

#include <array>
#include <xcb/xcb.h>

namespace VSTGUI
{

class X11DropTarget
{
public:
	// Marks window as XDND-aware. display must outlive the target. callback refers to
	// the frame's own pointer, read afresh before every call: a view may end
	// the frame from inside any drag call, which clears it. scale, the
	// frame's device pixels per frame unit, is read afresh too.
	X11DropTarget(X11Display& display, xcb_window_t window, IPlatformFrameCallback* const& callback,
	              const double& scale);
	~X11DropTarget();
	X11DropTarget(const X11DropTarget&) = delete;
	X11DropTarget& operator=(const X11DropTarget&) = delete;

	// Both answer true when the event was part of XDND. Without a callback
	// (the frame is closing) the protocol is still answered.
	bool onClientMessage(const xcb_client_message_event_t& event);
	bool onSelectionNotify(const xcb_selection_notify_event_t& event);

private:
	void onEnter(const xcb_client_message_event_t& event);
	void onPosition(const xcb_client_message_event_t& event);
	void onLeave();
	void onDrop(const xcb_client_message_event_t& event);
	void deliverDrop();
	void deliverEnter();
	void chooseType(const xcb_atom_t* types, size_t count);
	void readTypeList();
	X11DragContainer* readData();
	CPoint toWindow(uint32_t rootPosition) const;
	void sendToSource(xcb_atom_t type, const std::array<uint32_t, 5>& data);
	void reset();

	xcb_atom_t atom(X11Atom which) const { return display.atom(which); }

	X11Display& display;
	xcb_connection_t* connection;
	xcb_window_t window;
	IPlatformFrameCallback* const& callback;
	const double& scale;

	xcb_window_t source{XCB_WINDOW_NONE};
	xcb_atom_t chosenType{XCB_ATOM_NONE};
	bool dataRequested{false};
	bool entered{false};
	bool dropPending{false};
	CPoint lastPoint;
	X11DragContainer* container{nullptr};
};

} // namespace VSTGUI
