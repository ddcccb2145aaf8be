#include "gui/platform/linux/controls/x11textfieldclipboard.h"

#include "gui/platform/linux/dragdrop/x11selection.h"

#include <cstdlib>
#include <cstring>

namespace VSTGUI
{

namespace
{

// Larger texts than this are not read from another owner: a field holds one
// line, and the property request must stay within one reply.
constexpr uint32_t kMaxPasteWords = 1 << 16;

} // namespace

X11TextFieldClipboard::X11TextFieldClipboard(X11Display& display, xcb_window_t window, X11Atom selectionAtom,
                                             X11Atom pastePropertyAtom)
: connection(display.getConnection()), window(window)
{
	selection = display.atom(selectionAtom);
	utf8String = display.atom(X11Atom::utf8String);
	targets = display.atom(X11Atom::targets);
	pasteProperty = display.atom(pastePropertyAtom);
}

void X11TextFieldClipboard::copy(const std::string& text, xcb_timestamp_t time)
{
	if (selection == XCB_ATOM_NONE)
		return;
	owned = text;
	// Taking a selection the window holds already sends no SelectionClear,
	// so the text is just replaced.
	owning = true;
	xcb_set_selection_owner(connection, window, selection, time);
	xcb_flush(connection);
}

void X11TextFieldClipboard::release(xcb_timestamp_t time)
{
	if (!owning)
		return;
	owning = false;
	owned.clear();
	xcb_set_selection_owner(connection, XCB_WINDOW_NONE, selection, time);
	xcb_flush(connection);
}

void X11TextFieldClipboard::requestPaste(xcb_timestamp_t time)
{
	if (selection == XCB_ATOM_NONE || utf8String == XCB_ATOM_NONE || pasteProperty == XCB_ATOM_NONE)
		return;
	xcb_convert_selection(connection, window, selection, utf8String, pasteProperty, time);
	xcb_flush(connection);
}

bool X11TextFieldClipboard::handleEvent(const xcb_generic_event_t& event, std::optional<std::string>& pasted)
{
	switch (event.response_type & 0x7F)
	{
		case XCB_SELECTION_REQUEST:
		{
			const auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(event);
			if (request.owner != window || request.selection != selection)
				return false;
			answerRequest(request);
			return true;
		}
		case XCB_SELECTION_CLEAR:
		{
			const auto& clear = reinterpret_cast<const xcb_selection_clear_event_t&>(event);
			if (clear.owner != window || clear.selection != selection)
				return false;
			owning = false;
			owned.clear();
			return true;
		}
		case XCB_SELECTION_NOTIFY:
		{
			const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
			if (notify.requestor != window || notify.selection != selection)
				return false;
			pasted = readPaste(notify);
			return true;
		}
		default: return false;
	}
}

void X11TextFieldClipboard::answerRequest(const xcb_selection_request_event_t& request)
{
	// Old clients name no property: the target is the property then.
	xcb_atom_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
	bool written = owning && writeTarget(request, property);
	X11Selection::notifyRequestor(connection, request, written ? property : static_cast<xcb_atom_t>(XCB_ATOM_NONE));
}

bool X11TextFieldClipboard::writeTarget(const xcb_selection_request_event_t& request, xcb_atom_t property)
{
	if (request.target == targets)
	{
		const xcb_atom_t offered[] = {targets, utf8String};
		xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, 2,
		                    offered);
		return true;
	}
	if (request.target != utf8String)
		return false;
	xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, utf8String, 8,
	                    static_cast<uint32_t>(owned.size()), owned.data());
	return true;
}

std::optional<std::string> X11TextFieldClipboard::readPaste(const xcb_selection_notify_event_t& notify)
{
	if (notify.property == XCB_ATOM_NONE)
		return std::nullopt;
	auto cookie =
	    xcb_get_property(connection, 1, window, notify.property, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxPasteWords);
	xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
	std::optional<std::string> text;
	// An INCR answer (a text in pieces) or any other type is not text we take.
	if (reply && reply->type == utf8String && reply->format == 8)
	{
		const char* data = static_cast<const char*>(xcb_get_property_value(reply));
		text.emplace(data, static_cast<size_t>(xcb_get_property_value_length(reply)));
	}
	std::free(reply);
	return text;
}

} // namespace VSTGUI
