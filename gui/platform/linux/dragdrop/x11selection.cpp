#include "gui/platform/linux/dragdrop/x11selection.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace VSTGUI::X11Selection {

void internAtoms(xcb_connection_t* connection, std::span<const char* const> names, std::span<xcb_atom_t> atoms)
{
	std::vector<xcb_intern_atom_cookie_t> cookies;
	cookies.reserve(names.size());
	for (const char* name : names)
		cookies.push_back(xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name));
	for (size_t i = 0; i < cookies.size(); ++i)
	{
		xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
		if (i < atoms.size())
			atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
		std::free(reply);
	}
}

void notifyRequestor(xcb_connection_t* connection, const xcb_selection_request_event_t& request,
	xcb_atom_t property)
{
	xcb_selection_notify_event_t notify {};
	notify.response_type = XCB_SELECTION_NOTIFY;
	notify.time = request.time;
	notify.requestor = request.requestor;
	notify.selection = request.selection;
	notify.target = request.target;
	notify.property = property;
	xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
	xcb_flush(connection);
}

} // namespace VSTGUI::X11Selection
