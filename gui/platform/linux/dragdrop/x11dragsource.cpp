#include "gui/platform/linux/dragdrop/x11dragsource.h"

#include "gui/platform/linux/dragdrop/x11dragimage.h"
#include "gui/platform/linux/dragdrop/x11dragoffer.h"
#include "gui/platform/linux/dragdrop/x11selection.h"
#include "gui/platform/linux/window/x11cursor.h"
#include "gui/platform/linux/window/x11reply.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace VSTGUI::X11DragSource
{

namespace
{

constexpr uint32_t kXdndVersion = 5;
// Older targets lack the position time and the actions we rely on.
constexpr uint32_t kMinimumTargetVersion = 3;
// A target that does not answer within these times is given up.
constexpr auto kStatusTimeout = std::chrono::milliseconds(1500);
constexpr auto kFinishTimeout = std::chrono::milliseconds(5000);
// How long one slice of the modal loop may sleep waiting for events.
constexpr uint32_t kSliceMs = 5;
// Bytes of a ChangeProperty request besides the data.
constexpr size_t kChangePropertyHeader = 24;
// Windows nest deeper than this only in a broken tree.
constexpr int kMaxTreeDepth = 64;

constexpr uint32_t kPointerMask =
    XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;

using Clock = std::chrono::steady_clock;

template <typename Event> const Event& as(const xcb_generic_event_t& event)
{
	return reinterpret_cast<const Event&>(event);
}

// Only one drag at a time: a second one started from inside the modal loop
// (a timer, say) is refused.
bool gDragRunning = false;

class DragSession : public IX11EventHandler
{
public:
	DragSession(X11Frame* frame, X11DragOffer offer, const CPoint& imageOffset, CBitmap* bitmap);
	~DragSession() override;
	DragSession(const DragSession&) = delete;
	DragSession& operator=(const DragSession&) = delete;

	int32 run();
	bool handleX11Event(const xcb_generic_event_t& event) override;

private:
	enum class Phase
	{
		dragging,
		// Released while the target had not answered the last position.
		awaitingStatus,
		awaitingFinish,
		done
	};

	struct Target
	{
		xcb_window_t window{XCB_WINDOW_NONE};
		// Where the messages go: the window itself or its proxy.
		xcb_window_t recipient{XCB_WINDOW_NONE};
		uint32_t version{0};
		bool accepted{false};
		xcb_atom_t action{XCB_ATOM_NONE};
		bool awaitingStatus{false};
		// While the pointer stays inside this root rectangle the target
		// wants no further positions (empty: every move).
		int16_t quietX{0}, quietY{0};
		uint16_t quietWidth{0}, quietHeight{0};
	};

	bool begin();
	void end();
	bool ownSelection();
	bool grab();
	bool usable() const;
	void abandon();
	void startAtPointer();

	void onMotion(int16_t rootX, int16_t rootY, xcb_timestamp_t time);
	void followPointer();
	void onButtonRelease(const xcb_button_release_event_t& release);
	void onRelease(xcb_timestamp_t time);
	void onKey(const xcb_key_press_event_t& event);
	bool onClientMessage(const xcb_client_message_event_t& message);
	void onStatus(const xcb_client_message_event_t& message);
	void onFinished(const xcb_client_message_event_t& message);
	bool onSelectionRequest(const xcb_selection_request_event_t& request);
	bool onSelectionClear(const xcb_selection_clear_event_t& clear);
	bool writeProperty(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type);
	void checkTimeout();

	Target findTarget() const;
	xcb_window_t childUnderPointer(xcb_window_t parent) const;
	xcb_window_t topLevelBeneathImage() const;
	uint32_t awareVersion(xcb_window_t candidate) const;
	xcb_window_t proxyOf(xcb_window_t candidate) const;
	xcb_window_t windowProperty(xcb_window_t window, xcb_atom_t property) const;
	void enterTarget(const Target& found);
	void leaveTarget();
	void sendPosition();
	bool wantsPosition() const;
	void dropOrCancel();
	void finish(int32 outcome);
	void showAcceptance(bool accepted);
	void send(xcb_atom_t type, const std::array<uint32_t, 5>& data);

	xcb_atom_t atom(X11Atom which) const { return display.atom(which); }

	X11Frame* frame;
	X11Display& display;
	xcb_connection_t* connection;
	xcb_window_t window;
	xcb_window_t root;
	X11DragOffer offer;
	std::vector<xcb_atom_t> offered;
	CPoint imageOffset;
	// Only read while the drag starts: its pixels are copied to the server.
	CBitmap* bitmap;
	std::unique_ptr<X11DragImage> image;

	Phase phase{Phase::dragging};
	int32 result{0};
	Target target;
	int16_t pointerX{0}, pointerY{0};
	xcb_timestamp_t pointerTime{XCB_CURRENT_TIME};
	xcb_timestamp_t dropTime{XCB_CURRENT_TIME};
	xcb_timestamp_t startTime{XCB_CURRENT_TIME};
	bool pointerMoved{false};
	bool sentPosition{false};
	int16_t sentX{0}, sentY{0};
	bool pointerGrabbed{false};
	bool keyboardGrabbed{false};
	bool selectionOwned{false};
	bool typeListSet{false};
	bool showingAccept{false};
	Clock::time_point deadline;
};

DragSession::DragSession(X11Frame* frame, X11DragOffer offer, const CPoint& imageOffset, CBitmap* bitmap)
: frame(frame), display(frame->getDisplay()), connection(display.getConnection()), window(frame->getWindow()),
  root(display.getScreen()->root), offer(std::move(offer)), imageOffset(imageOffset), bitmap(bitmap)
{
	gDragRunning = true;
}

DragSession::~DragSession()
{
	gDragRunning = false;
}

int32 DragSession::run()
{
	if (begin())
	{
		display.addEventHandler(this);
		while (phase != Phase::done)
		{
			X11RunLoop::runFor(kSliceMs);
			// The frame's window may have been closed by anything the loop ran.
			if (!frame->isConnected())
				abandon();
			else if (phase == Phase::dragging && pointerMoved)
				followPointer();
			checkTimeout();
		}
		display.removeEventHandler(this);
	}
	end();
	return result;
}

// ---------------------------------------------------------------------------
// Start and end

bool DragSession::begin()
{
	startTime = display.getLastEventTime();
	for (const std::string& type : offer.types)
	{
		if (xcb_atom_t offeredAtom = display.getAtoms().find(type); offeredAtom != XCB_ATOM_NONE)
			offered.push_back(offeredAtom);
	}
	if (offered.empty() || !ownSelection() || !grab())
		return false;
	startAtPointer();
	image = std::make_unique<X11DragImage>(display, bitmap, imageOffset);
	image->follow(pointerX, pointerY);
	// Up to three types travel in XdndEnter itself; more are read from here.
	if (offered.size() > 3)
	{
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(X11Atom::xdndTypeList), XCB_ATOM_ATOM, 32,
		                    static_cast<uint32_t>(offered.size()), offered.data());
		typeListSet = true;
	}
	xcb_flush(connection);
	return true;
}

bool DragSession::ownSelection()
{
	xcb_set_selection_owner(connection, window, atom(X11Atom::xdndSelection), startTime);
	auto reply = owned(xcb_get_selection_owner_reply(
	    connection, xcb_get_selection_owner(connection, atom(X11Atom::xdndSelection)), nullptr));
	selectionOwned = reply && reply->owner == window;
	return selectionOwned;
}

bool DragSession::grab()
{
	// The press that started the drag holds the pointer already (the
	// server's implicit grab); an active grab of our own replaces it, so that
	// the motion over other clients' windows and the release come to us.
	auto pointer = owned(xcb_grab_pointer_reply(connection,
	                                            xcb_grab_pointer(connection, 0, window, kPointerMask,
	                                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
	                                                             XCB_WINDOW_NONE, XCB_CURSOR_NONE, XCB_CURRENT_TIME),
	                                            nullptr));
	pointerGrabbed = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
	if (!pointerGrabbed)
		return false;
	// Only for Escape: a drag goes on without it.
	auto keyboard = owned(xcb_grab_keyboard_reply(
	    connection,
	    xcb_grab_keyboard(connection, 0, window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr));
	keyboardGrabbed = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
	return true;
}

// The window under the pointer hears of the drag at once, before the first
// move: usually the frame's own window, whose views then see it enter.
void DragSession::startAtPointer()
{
	auto reply = owned(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr));
	if (!reply)
		return;
	pointerX = reply->root_x;
	pointerY = reply->root_y;
	pointerTime = startTime;
	pointerMoved = true;
}

bool DragSession::usable() const
{
	return !xcb_connection_has_error(connection);
}

// The frame's window went during the drag: the target is told, the rest is
// cleaned up by end() as far as the connection still allows.
void DragSession::abandon()
{
	if (phase != Phase::awaitingFinish && usable())
		leaveTarget();
	finish(0);
}

void DragSession::end()
{
	image.reset();
	if (!usable())
		return;
	if (keyboardGrabbed)
		xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
	if (pointerGrabbed)
		xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
	if (selectionOwned)
	{
		// Another client may have taken the selection meanwhile: only our own
		// ownership is given up.
		auto reply = owned(xcb_get_selection_owner_reply(
		    connection, xcb_get_selection_owner(connection, atom(X11Atom::xdndSelection)), nullptr));
		if (reply && reply->owner == window)
			xcb_set_selection_owner(connection, XCB_WINDOW_NONE, atom(X11Atom::xdndSelection), XCB_CURRENT_TIME);
	}
	if (typeListSet && frame->getWindow() == window)
		xcb_delete_property(connection, window, atom(X11Atom::xdndTypeList));
	xcb_flush(connection);
}

void DragSession::finish(int32 outcome)
{
	if (phase == Phase::done)
		return;
	result = outcome;
	phase = Phase::done;
}

void DragSession::checkTimeout()
{
	if ((phase != Phase::awaitingStatus && phase != Phase::awaitingFinish) || Clock::now() < deadline)
		return;
	if (phase == Phase::awaitingStatus && usable())
		leaveTarget();
	finish(0);
}

// ---------------------------------------------------------------------------
// Events

bool DragSession::handleX11Event(const xcb_generic_event_t& event)
{
	switch (event.response_type & 0x7F)
	{
		case XCB_MOTION_NOTIFY:
		{
			const auto& motion = as<xcb_motion_notify_event_t>(event);
			onMotion(motion.root_x, motion.root_y, motion.time);
			return true;
		}
		case XCB_BUTTON_RELEASE: onButtonRelease(as<xcb_button_release_event_t>(event)); return true;
		// The drag holds pointer and keyboard: none of it reaches the views.
		case XCB_BUTTON_PRESS:
		case XCB_KEY_RELEASE: return true;
		case XCB_KEY_PRESS: onKey(as<xcb_key_press_event_t>(event)); return true;
		case XCB_CLIENT_MESSAGE: return onClientMessage(as<xcb_client_message_event_t>(event));
		case XCB_SELECTION_REQUEST: return onSelectionRequest(as<xcb_selection_request_event_t>(event));
		case XCB_SELECTION_CLEAR: return onSelectionClear(as<xcb_selection_clear_event_t>(event));
		default: return false;
	}
}

void DragSession::onButtonRelease(const xcb_button_release_event_t& release)
{
	if (release.detail != XCB_BUTTON_INDEX_1)
		return;
	onMotion(release.root_x, release.root_y, release.time);
	onRelease(release.time);
}

bool DragSession::onSelectionClear(const xcb_selection_clear_event_t& clear)
{
	if (clear.selection != atom(X11Atom::xdndSelection) || clear.owner != window)
		return false;
	// Somebody else took the selection: the data can no longer be served.
	selectionOwned = false;
	if (phase != Phase::awaitingFinish)
		leaveTarget();
	finish(0);
	return true;
}

void DragSession::onMotion(int16_t rootX, int16_t rootY, xcb_timestamp_t time)
{
	pointerTime = time;
	if (image)
		image->follow(rootX, rootY);
	if (rootX == pointerX && rootY == pointerY && sentPosition)
		return;
	pointerX = rootX;
	pointerY = rootY;
	// Motion comes in bursts: the window under the pointer is looked for once
	// per slice of the loop, not once per event.
	pointerMoved = true;
}

void DragSession::followPointer()
{
	pointerMoved = false;
	Target found = findTarget();
	if (found.window != target.window)
	{
		leaveTarget();
		if (found.window != XCB_WINDOW_NONE)
			enterTarget(found);
	}
	if (target.window != XCB_WINDOW_NONE && !target.awaitingStatus && wantsPosition())
		sendPosition();
}

void DragSession::onRelease(xcb_timestamp_t time)
{
	if (phase != Phase::dragging)
		return;
	dropTime = time;
	if (pointerMoved)
		followPointer();
	if (target.window == XCB_WINDOW_NONE)
	{
		finish(0);
		return;
	}
	if (target.awaitingStatus)
	{
		phase = Phase::awaitingStatus;
		deadline = Clock::now() + kStatusTimeout;
		return;
	}
	dropOrCancel();
}

void DragSession::onKey(const xcb_key_press_event_t& event)
{
	if (phase != Phase::dragging && phase != Phase::awaitingStatus)
		return;
	auto key = display.getKeymap().lookUp(event.detail, event.state);
	if (!key || key->keysym != XKB_KEY_Escape)
		return;
	leaveTarget();
	finish(0);
}

// Other messages (for the frame's own drop target, when the drag is over
// our own window) pass on.
bool DragSession::onClientMessage(const xcb_client_message_event_t& message)
{
	if (message.format != 32 ||
	    (message.type != atom(X11Atom::xdndStatus) && message.type != atom(X11Atom::xdndFinished)))
		return false;
	// A proxy may answer under its own name or under the window's.
	xcb_window_t from = message.data.data32[0];
	if (target.window == XCB_WINDOW_NONE || (from != target.window && from != target.recipient))
		return true;
	if (message.type == atom(X11Atom::xdndStatus))
		onStatus(message);
	else
		onFinished(message);
	return true;
}

void DragSession::onStatus(const xcb_client_message_event_t& message)
{
	const uint32_t* data = message.data.data32;
	target.awaitingStatus = false;
	target.accepted = (data[1] & 1) != 0;
	// Version 2 and later name the action; before, copy is implied.
	target.action = target.version >= 2 ? data[4] : atom(X11Atom::xdndActionCopy);
	bool everyMove = (data[1] & 2) != 0;
	target.quietX = everyMove ? 0 : static_cast<int16_t>(data[2] >> 16);
	target.quietY = everyMove ? 0 : static_cast<int16_t>(data[2] & 0xFFFF);
	target.quietWidth = everyMove ? 0 : static_cast<uint16_t>(data[3] >> 16);
	target.quietHeight = everyMove ? 0 : static_cast<uint16_t>(data[3] & 0xFFFF);
	showAcceptance(target.accepted);
	if (phase == Phase::awaitingStatus)
		dropOrCancel();
	else if (phase == Phase::dragging && (sentX != pointerX || sentY != pointerY) && wantsPosition())
		sendPosition();
}

void DragSession::onFinished(const xcb_client_message_event_t& message)
{
	if (phase != Phase::awaitingFinish)
		return;
	const uint32_t* data = message.data.data32;
	// Before version 5 XdndFinished carries no verdict: the last status stands.
	bool accepted = target.version >= 5 ? (data[1] & 1) != 0 : true;
	xcb_atom_t action = target.version >= 5 ? data[2] : target.action;
	if (!accepted)
		finish(0);
	else
		finish(action == atom(X11Atom::xdndActionMove) ? 1 : 2);
}

void DragSession::dropOrCancel()
{
	if (!target.accepted)
	{
		leaveTarget();
		finish(0);
		return;
	}
	send(atom(X11Atom::xdndDrop), {window, 0, dropTime, 0, 0});
	phase = Phase::awaitingFinish;
	deadline = Clock::now() + kFinishTimeout;
}

// ---------------------------------------------------------------------------
// Targets

// The deepest XdndAware window under the pointer: an editor embedded in a
// host marks its own child window, and the drop belongs to the window the
// pointer is actually over, not to the host's top-level.
DragSession::Target DragSession::findTarget() const
{
	Target found;
	xcb_window_t current = root;
	for (int depth = 0; depth < kMaxTreeDepth; ++depth)
	{
		xcb_window_t child = childUnderPointer(current);
		if (child == XCB_WINDOW_NONE)
			break;
		current = child;
		xcb_window_t recipient = proxyOf(current);
		if (recipient == XCB_WINDOW_NONE)
			recipient = current;
		if (uint32_t version = awareVersion(recipient))
		{
			found.window = current;
			found.recipient = recipient;
			found.version = version;
		}
	}
	return found;
}

xcb_window_t DragSession::childUnderPointer(xcb_window_t parent) const
{
	auto reply = owned(xcb_translate_coordinates_reply(
	    connection, xcb_translate_coordinates(connection, root, parent, pointerX, pointerY), nullptr));
	if (!reply)
		return XCB_WINDOW_NONE;
	// The drag image sits under the pointer: the window that counts is the
	// one beneath it.
	if (parent == root && image && reply->child != XCB_WINDOW_NONE && reply->child == image->getWindow())
		return topLevelBeneathImage();
	return reply->child;
}

// The topmost viewable child of the root, other than the drag image, whose
// rectangle holds the pointer. Everything is asked at once, so that the wait
// for the server does not grow with the number of windows.
xcb_window_t DragSession::topLevelBeneathImage() const
{
	auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
	if (!tree)
		return XCB_WINDOW_NONE;
	const xcb_window_t* children = xcb_query_tree_children(tree.get());
	auto count = static_cast<size_t>(xcb_query_tree_children_length(tree.get()));
	std::vector<xcb_get_window_attributes_cookie_t> attributes(count);
	std::vector<xcb_get_geometry_cookie_t> geometries(count);
	for (size_t i = 0; i < count; ++i)
	{
		attributes[i] = xcb_get_window_attributes(connection, children[i]);
		geometries[i] = xcb_get_geometry(connection, children[i]);
	}
	xcb_window_t found = XCB_WINDOW_NONE;
	// Children come bottom first.
	for (size_t i = count; i-- > 0;)
	{
		auto attribute = owned(xcb_get_window_attributes_reply(connection, attributes[i], nullptr));
		auto geometry = owned(xcb_get_geometry_reply(connection, geometries[i], nullptr));
		if (found != XCB_WINDOW_NONE || children[i] == image->getWindow() || !attribute || !geometry ||
		    attribute->map_state != XCB_MAP_STATE_VIEWABLE)
			continue;
		int outerWidth = geometry->width + 2 * geometry->border_width;
		int outerHeight = geometry->height + 2 * geometry->border_width;
		if (pointerX >= geometry->x && pointerX < geometry->x + outerWidth && pointerY >= geometry->y &&
		    pointerY < geometry->y + outerHeight)
			found = children[i];
	}
	return found;
}

uint32_t DragSession::awareVersion(xcb_window_t candidate) const
{
	auto reply = owned(xcb_get_property_reply(
	    connection, xcb_get_property(connection, 0, candidate, atom(X11Atom::xdndAware), XCB_ATOM_ATOM, 0, 1),
	    nullptr));
	if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
		return 0;
	uint32_t version = *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
	return version >= kMinimumTargetVersion ? std::min(version, kXdndVersion) : 0;
}

xcb_window_t DragSession::windowProperty(xcb_window_t window, xcb_atom_t property) const
{
	auto reply = owned(xcb_get_property_reply(
	    connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
	if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
		return XCB_WINDOW_NONE;
	return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// A proxy counts only when it names itself as well: a property left behind
// by a program that has gone names a window that is gone or reused.
xcb_window_t DragSession::proxyOf(xcb_window_t candidate) const
{
	xcb_window_t proxy = windowProperty(candidate, atom(X11Atom::xdndProxy));
	if (proxy == XCB_WINDOW_NONE || proxy == candidate)
		return XCB_WINDOW_NONE;
	return windowProperty(proxy, atom(X11Atom::xdndProxy)) == proxy ? proxy
	                                                                : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

void DragSession::enterTarget(const Target& found)
{
	target = found;
	std::array<uint32_t, 5> data{window, target.version << 24, 0, 0, 0};
	if (offered.size() > 3)
		data[1] |= 1;
	for (size_t i = 0; i < 3 && i < offered.size(); ++i)
		data[2 + i] = offered[i];
	send(atom(X11Atom::xdndEnter), data);
	sentPosition = false;
}

void DragSession::leaveTarget()
{
	if (target.window == XCB_WINDOW_NONE)
		return;
	send(atom(X11Atom::xdndLeave), {window, 0, 0, 0, 0});
	target = Target();
	sentPosition = false;
	showAcceptance(false);
}

bool DragSession::wantsPosition() const
{
	if (!sentPosition || target.quietWidth == 0 || target.quietHeight == 0)
		return true;
	bool inside = pointerX >= target.quietX && pointerX < target.quietX + target.quietWidth &&
	              pointerY >= target.quietY && pointerY < target.quietY + target.quietHeight;
	return !inside;
}

void DragSession::sendPosition()
{
	uint32_t where = static_cast<uint32_t>(static_cast<uint16_t>(pointerX)) << 16 | static_cast<uint16_t>(pointerY);
	send(atom(X11Atom::xdndPosition), {window, 0, where, pointerTime, atom(X11Atom::xdndActionCopy)});
	sentPosition = true;
	sentX = pointerX;
	sentY = pointerY;
	target.awaitingStatus = true;
}

void DragSession::send(xcb_atom_t type, const std::array<uint32_t, 5>& data)
{
	xcb_client_message_event_t message{};
	message.response_type = XCB_CLIENT_MESSAGE;
	message.format = 32;
	message.window = target.window;
	message.type = type;
	std::memcpy(message.data.data32, data.data(), sizeof(message.data.data32));
	xcb_send_event(connection, 0, target.recipient, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
	xcb_flush(connection);
}

void DragSession::showAcceptance(bool accepted)
{
	if (accepted == showingAccept || !pointerGrabbed || !frame->isConnected())
		return;
	showingAccept = accepted;
	xcb_cursor_t cursor = accepted ? display.getCursors().get(kCursorCopy) : static_cast<xcb_cursor_t>(XCB_CURSOR_NONE);
	xcb_change_active_pointer_grab(connection, cursor, XCB_CURRENT_TIME, kPointerMask);
	xcb_flush(connection);
}

// ---------------------------------------------------------------------------
// The data

bool DragSession::onSelectionRequest(const xcb_selection_request_event_t& request)
{
	if (request.selection != atom(X11Atom::xdndSelection) || request.owner != window)
		return false;
	// Clients older than ICCCM 2 name no property: the target is used.
	xcb_atom_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
	bool served = writeProperty(request.requestor, property, request.target);
	X11Selection::notifyRequestor(connection, request, served ? property : static_cast<xcb_atom_t>(XCB_ATOM_NONE));
	return true;
}

bool DragSession::writeProperty(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type)
{
	if (type == atom(X11Atom::targets))
	{
		std::vector<xcb_atom_t> targets{atom(X11Atom::targets)};
		targets.insert(targets.end(), offered.begin(), offered.end());
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_ATOM, 32,
		                    static_cast<uint32_t>(targets.size()), targets.data());
		return true;
	}
	if (std::find(offered.begin(), offered.end(), type) == offered.end())
		return false;
	// Data beyond the server's request size is appended piece by piece: one
	// request that large would close our connection.
	size_t maxBytes = static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4 - kChangePropertyHeader;
	size_t offset = 0;
	do
	{
		size_t piece = std::min(maxBytes, offer.data.size() - offset);
		xcb_change_property(connection, offset == 0 ? XCB_PROP_MODE_REPLACE : XCB_PROP_MODE_APPEND, requestor, property,
		                    type, 8, static_cast<uint32_t>(piece), offer.data.data() + offset);
		offset += piece;
	} while (offset < offer.data.size());
	return true;
}

} // namespace

int32 run(X11Frame* frame, CDropSource* source, const CPoint& offset, CBitmap* image)
{
	// A source that can never be dragged is refused whenever it comes.
	X11DragOffer offer = X11DragOffer::fromSource(source);
	if (offer.status == X11DragOffer::Status::invalid)
		return -1;
	if (frame == nullptr || !frame->isConnected() || !frame->isDeliveringLeftButtonEvent() || gDragRunning ||
	    offer.status == X11DragOffer::Status::empty)
		return 0;
	// The offer holds its own copy of the data: the view may let go of its
	// source while the loop runs.
	return DragSession(frame, std::move(offer), offset, image).run();
}

} // namespace VSTGUI::X11DragSource
