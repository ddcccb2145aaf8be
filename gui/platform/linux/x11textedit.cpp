#include "gui/platform/linux/x11textedit.h"

namespace VSTGUI {

X11TextEdit* X11TextEdit::create(X11Frame*, IPlatformTextEditCallback*)
{
	return nullptr;
}

const char* X11TextEdit::getText()
{
	return "";
}

bool X11TextEdit::setText(const char*)
{
	return false;
}

bool X11TextEdit::updateSize()
{
	return false;
}

bool X11TextEdit::handleX11Event(const xcb_generic_event_t&)
{
	return false;
}

} // namespace VSTGUI
