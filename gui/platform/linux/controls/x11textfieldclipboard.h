// One selection of the text fields, on the frame's display: CLIPBOARD for
// Control-C/X/V, or PRIMARY, which holds what is selected in a field and is
// pasted with the middle button.
//
// Copy makes the given window the owner and keeps the text: the frame's
// window for CLIPBOARD, which outlives every field, and the field's own for
// PRIMARY, whose selection ends with the field. Requests from other clients
// (SelectionRequest) are answered with UTF8_STRING (or the list of TARGETS)
// written to the requestor's property. Paste always asks the current owner,
// ourselves included, for UTF8_STRING and answers asynchronously: the owner
// may be a window on the host's own thread that cannot answer while we
// wait, so the text arrives with SelectionNotify. Transfers in pieces (INCR)
// are not supported: such a paste inserts nothing. What was copied is lost
// with the editor's window (no clipboard manager hand-over).
//
// Threads: user-interface thread only.
#pragma once

#include "gui/platform/linux/window/x11display.h"

#include <optional>
#include <string>
#include <xcb/xcb.h>

namespace VSTGUI
{

class X11TextFieldClipboard
{
public:
	// display's connection must outlive this object; window is the one that owns the
	// selection and receives pastes. The paste of each selection arrives in
	// a property of its own, so that two pastes in flight do not overwrite
	// each other.
	X11TextFieldClipboard(X11Display& display, xcb_window_t window, X11Atom selectionAtom, X11Atom pastePropertyAtom);

	void copy(const std::string& text, xcb_timestamp_t time);
	// Gives the selection up if the field holds it.
	void release(xcb_timestamp_t time);
	bool isOwner() const { return owning; }
	void requestPaste(xcb_timestamp_t time);

	// True when the event was a selection event for the field's window. A
	// paste that arrived is handed out in pasted.
	bool handleEvent(const xcb_generic_event_t& event, std::optional<std::string>& pasted);

private:
	void answerRequest(const xcb_selection_request_event_t& request);
	bool writeTarget(const xcb_selection_request_event_t& request, xcb_atom_t property);
	std::optional<std::string> readPaste(const xcb_selection_notify_event_t& notify);

	xcb_connection_t* connection;
	xcb_window_t window;
	xcb_atom_t selection{XCB_ATOM_NONE};
	xcb_atom_t utf8String{XCB_ATOM_NONE};
	xcb_atom_t targets{XCB_ATOM_NONE};
	xcb_atom_t pasteProperty{XCB_ATOM_NONE};
	std::string owned;
	bool owning{false};
};

} // namespace VSTGUI
