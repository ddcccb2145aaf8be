#include "gui/platform/linux/dragdrop/x11dragdrop.h"

#include "gui/platform/linux/dragdrop/x11selection.h"
#include "gui/platform/linux/window/x11reply.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace VSTGUI {

namespace {

constexpr uint32_t kXdndVersion = 5;

constexpr const char* kAtomNames[] = {"XdndAware", "XdndEnter", "XdndPosition", "XdndStatus", "XdndLeave",
	"XdndDrop", "XdndFinished", "XdndSelection", "XdndTypeList", "XdndActionCopy", "text/uri-list", "UTF8_STRING",
	"text/plain;charset=utf-8", X11DragContainer::kBinaryType, "CORVANE_XDND_DATA"};
static_assert(std::size(kAtomNames) == 15, "one name per atom");

// Larger drops are refused rather than held in memory (64 MiB).
constexpr uint32_t kMaxDataWords = 16u << 20;

} // namespace

X11DropTarget::X11DropTarget(xcb_connection_t* connection, xcb_window_t window,
	IPlatformFrameCallback* const& callback)
: connection(connection), window(window), callback(callback)
{
	static_assert(std::size(kAtomNames) == kAtomCount);
	X11Selection::internAtoms(connection, kAtomNames, atoms);
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms[kAware], XCB_ATOM_ATOM, 32, 1,
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
	if (event.type == atoms[kEnter])
		onEnter(event);
	else if (event.type == atoms[kPosition])
		onPosition(event);
	else if (event.type == atoms[kLeave])
		onLeave();
	else if (event.type == atoms[kDrop])
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
	auto reply = owned(xcb_get_property_reply(connection,
		xcb_get_property(connection, 0, source, atoms[kTypeList], XCB_ATOM_ATOM, 0, 256), nullptr));
	if (reply && reply->format == 32)
	{
		chooseType(static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get())),
			static_cast<size_t>(xcb_get_property_value_length(reply.get())) / 4);
	}
}

void X11DropTarget::chooseType(const xcb_atom_t* types, size_t count)
{
	const xcb_atom_t preferred[] = {atoms[kBinary], atoms[kUriList], atoms[kUtf8String], atoms[kTextPlainUtf8]};
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
	auto reply = owned(xcb_translate_coordinates_reply(connection,
		xcb_translate_coordinates(connection, root, window, x, y), nullptr));
	return reply ? CPoint(reply->dst_x, reply->dst_y) : lastPoint;
}

void X11DropTarget::sendToSource(xcb_atom_t type, const std::array<uint32_t, 5>& data)
{
	xcb_client_message_event_t message {};
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
	sendToSource(atoms[kStatus], {window, accept ? 3u : 2u, 0, 0, accept ? atoms[kActionCopy] : 0u});
	if (!accept)
		return;
	if (!dataRequested)
	{
		xcb_convert_selection(connection, window, atoms[kSelection], chosenType, atoms[kProperty],
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
		sendToSource(atoms[kFinished], {window, 0, 0, 0, 0});
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
	sendToSource(atoms[kFinished], {window, accepted ? 1u : 0u, accepted ? atoms[kActionCopy] : 0u, 0, 0});
	reset();
}

bool X11DropTarget::onSelectionNotify(const xcb_selection_notify_event_t& event)
{
	if (event.requestor != window || event.selection != atoms[kSelection])
		return false;
	if (!dataRequested || container)
		return true;
	container = event.property != XCB_ATOM_NONE ? readData() : nullptr;
	if (container == nullptr)
	{
		// The source could not give the data: the drag is refused.
		if (dropPending)
			sendToSource(atoms[kFinished], {window, 0, 0, 0, 0});
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
	auto reply = owned(xcb_get_property_reply(connection,
		xcb_get_property(connection, 1, window, atoms[kProperty], XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxDataWords),
		nullptr));
	if (!reply || reply->format != 8 || reply->bytes_after != 0)
		return nullptr;
	std::string data(static_cast<const char*>(xcb_get_property_value(reply.get())),
		static_cast<size_t>(xcb_get_property_value_length(reply.get())));
	if (chosenType == atoms[kBinary])
		return new X11DragContainer(X11DragContainer::Kind::binary, {data});
	if (chosenType == atoms[kUriList])
		return new X11DragContainer(X11DragContainer::Kind::files, X11DragContainer::pathsFromUriList(data));
	// Text ends at its first NUL, as every C consumer would read it.
	return new X11DragContainer(X11DragContainer::Kind::text, {data.substr(0, data.find('\0'))});
}

} // namespace VSTGUI
