// A small piece of the X protocol that the drag source and the text field's
// clipboard share: the answer to a selection request.
//
// Threads: user-interface thread only.
#pragma once

#include <xcb/xcb.h>

namespace VSTGUI::X11Selection
{

// Tells the requestor that its data is in property, or, with XCB_ATOM_NONE,
// that the request was refused; flushes the connection.
void notifyRequestor(xcb_connection_t* connection, const xcb_selection_request_event_t& request, xcb_atom_t property);

} // namespace VSTGUI::X11Selection
