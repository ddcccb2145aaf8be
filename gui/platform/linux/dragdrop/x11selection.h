// Small pieces of the X protocol that the drop target, the drag source and
// the text field's clipboard share: atoms interned in one round trip, and
// the answer to a selection request.
//
// Threads: user-interface thread only.
#pragma once

#include <span>
#include <xcb/xcb.h>

namespace VSTGUI::X11Selection {

// Sends every request before waiting for the first reply. A name the server
// refused gives XCB_ATOM_NONE; atoms must hold as many entries as names.
void internAtoms(xcb_connection_t* connection, std::span<const char* const> names, std::span<xcb_atom_t> atoms);

// Tells the requestor that its data is in property, or, with XCB_ATOM_NONE,
// that the request was refused; flushes the connection.
void notifyRequestor(xcb_connection_t* connection, const xcb_selection_request_event_t& request,
	xcb_atom_t property);

} // namespace VSTGUI::X11Selection
