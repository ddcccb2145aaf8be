#include "gui/platform/linux/dragdrop/x11dragdrop.h"

#include "gui/platform/linux/window/x11reply.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace VSTGUI
{

namespace
{

constexpr uint32_t kXdndVersion = 5;

// Larger drops are refused rather than held in memory (64 MiB).
constexpr uint32_t kMaxDataWords = 16u << 20;

} // namespace

X11DropTarget::X11DropTarget(X11Display& display, xcb_window_t window, IPlatformFrameCallback* const& callback,
                             const double& scale)
: display(display), connection(display.getConnection()), window(window), callback(callback), scale(scale)
{
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(X11Atom::xdndAware), XCB_ATOM_ATOM, 32, 1,
	                    &kXdndVersion);
}

X11DropTarget::~X11DropTarget()
{
	if (container)
		container->forget();
}

void X11DropTarget::reset()
{
	if (container)
		container->forget();
	container = nullptr;
	source = XCB_WINDOW_NONE;
	chosenType = XCB_ATOM_NONE;
	dataRequested = false;
	entered = false;
	dropPending = false;
}

bool X11DropTarget::onClientMessage(const xcb_client_message_event_t& event)
{
	if (event.format != 32)
		return false;
	if (event.type == atom(X11Atom::xdndEnter))
		onEnter(event);
	else if (event.type == atom(X11Atom::xdndPosition))
		onPosition(event);
	else if (event.type == atom(X11Atom::xdndLeave))
		onLeave();
	else if (event.type == atom(X11Atom::xdndDrop))
		onDrop(event);
	else
		return false;
	return true;
}

void X11DropTarget::onEnter(const xcb_client_message_event_t& event)
{
	reset();
	source = event.data.data32[0];
	if ((event.data.data32[1] >> 24) > kXdndVersion)
		return;
	if (event.data.data32[1] & 1)
		readTypeList();
	else
		chooseType(&event.data.data32[2], 3);
}

void X11DropTarget::readTypeList()
{
	auto reply = owned(xcb_get_property_reply(
	    connection, xcb_get_property(connection, 0, source, atom(X11Atom::xdndTypeList), XCB_ATOM_ATOM, 0, 256),
	    nullptr));
	if (reply && reply->format == 32)
	{
		chooseType(static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get())),
		           static_cast<size_t>(xcb_get_property_value_length(reply.get())) / 4);
	}
}

void X11DropTarget::chooseType(const xcb_atom_t* types, size_t count)
{
	const xcb_atom_t preferred[] = {atom(X11Atom::toolkitBinary), atom(X11Atom::textUriList), atom(X11Atom::utf8String),
	                                atom(X11Atom::textPlainUtf8)};
	for (xcb_atom_t wanted : preferred)
	{
		for (size_t i = 0; i < count; ++i)
		{
			if (wanted != XCB_ATOM_NONE && types[i] == wanted)
			{
				chosenType = wanted;
				return;
			}
		}
	}
}

CPoint X11DropTarget::toWindow(uint32_t rootPosition) const
{
	auto x = static_cast<int16_t>(rootPosition >> 16);
	auto y = static_cast<int16_t>(rootPosition & 0xFFFF);
	xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
	auto reply = owned(xcb_translate_coordinates_reply(
	    connection, xcb_translate_coordinates(connection, root, window, x, y), nullptr));
	return reply ? CPoint(reply->dst_x / scale, reply->dst_y / scale) : lastPoint;
}

void X11DropTarget::sendToSource(xcb_atom_t type, const std::array<uint32_t, 5>& data)
{
	xcb_client_message_event_t message{};
	message.response_type = XCB_CLIENT_MESSAGE;
	message.format = 32;
	message.window = source;
	message.type = type;
	std::memcpy(message.data.data32, data.data(), sizeof(message.data.data32));
	xcb_send_event(connection, 0, source, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
	xcb_flush(connection);
}

void X11DropTarget::onPosition(const xcb_client_message_event_t& event)
{
	if (event.data.data32[0] != source)
		return;
	lastPoint = toWindow(event.data.data32[2]);
	bool accept = chosenType != XCB_ATOM_NONE;
	// Bit 1 asks for a position message at every move, so that the views
	// can follow the pointer.
	sendToSource(atom(X11Atom::xdndStatus),
	             {window, accept ? 3u : 2u, 0, 0, accept ? atom(X11Atom::xdndActionCopy) : 0u});
	if (!accept)
		return;
	if (!dataRequested)
	{
		xcb_convert_selection(connection, window, atom(X11Atom::xdndSelection), chosenType, atom(X11Atom::xdndData),
		                      event.data.data32[3]);
		xcb_flush(connection);
		dataRequested = true;
	}
	if (entered && callback)
		callback->platformOnDragMove(container, lastPoint);
}

void X11DropTarget::deliverEnter()
{
	if (entered || container == nullptr)
		return;
	entered = true;
	if (callback)
		callback->platformOnDragEnter(container, lastPoint);
}

void X11DropTarget::onLeave()
{
	if (entered && callback && container)
		callback->platformOnDragLeave(container, lastPoint);
	reset();
}

void X11DropTarget::onDrop(const xcb_client_message_event_t& event)
{
	if (event.data.data32[0] != source)
		return;
	if (container)
		deliverDrop();
	else if (dataRequested)
		dropPending = true;
	else
	{
		sendToSource(atom(X11Atom::xdndFinished), {window, 0, 0, 0, 0});
		reset();
	}
}

void X11DropTarget::deliverDrop()
{
	deliverEnter();
	// The views may end the frame from inside the drop: keep the container.
	X11DragContainer* held = container;
	held->remember();
	bool accepted = callback && callback->platformOnDrop(held, lastPoint);
	held->forget();
	sendToSource(atom(X11Atom::xdndFinished),
	             {window, accepted ? 1u : 0u, accepted ? atom(X11Atom::xdndActionCopy) : 0u, 0, 0});
	reset();
}

bool X11DropTarget::onSelectionNotify(const xcb_selection_notify_event_t& event)
{
	if (event.requestor != window || event.selection != atom(X11Atom::xdndSelection))
		return false;
	if (!dataRequested || container)
		return true;
	container = event.property != XCB_ATOM_NONE ? readData() : nullptr;
	if (container == nullptr)
	{
		// The source could not give the data: the drag is refused.
		if (dropPending)
			sendToSource(atom(X11Atom::xdndFinished), {window, 0, 0, 0, 0});
		chosenType = XCB_ATOM_NONE;
		dropPending = false;
		return true;
	}
	if (dropPending)
		deliverDrop();
	else
		deliverEnter();
	return true;
}

X11DragContainer* X11DropTarget::readData()
{
	auto reply = owned(xcb_get_property_reply(
	    connection,
	    xcb_get_property(connection, 1, window, atom(X11Atom::xdndData), XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxDataWords),
	    nullptr));
	if (!reply || reply->format != 8 || reply->bytes_after != 0)
		return nullptr;
	std::string data(static_cast<const char*>(xcb_get_property_value(reply.get())),
	                 static_cast<size_t>(xcb_get_property_value_length(reply.get())));
	if (chosenType == atom(X11Atom::toolkitBinary))
		return new X11DragContainer(X11DragContainer::Kind::binary, {data});
	if (chosenType == atom(X11Atom::textUriList))
		return new X11DragContainer(X11DragContainer::Kind::files, X11DragContainer::pathsFromUriList(data));
	// Text ends at its first NUL, as every C consumer would read it.
	return new X11DragContainer(X11DragContainer::Kind::text, {data.substr(0, data.find('\0'))});
}

} // namespace VSTGUI
