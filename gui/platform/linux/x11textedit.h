// The text edit's native field on X11: a child window of the frame's window
// over the control, drawn with cairo and Pango, that takes the keyboard while
// it exists. Events reach it through the frame (IX11EventHandler).
#pragma once

#include "gui/controls/iplatformtextedit.h"
#include "gui/platform/linux/x11frame.h"

namespace VSTGUI {

class X11TextEdit : public IPlatformTextEdit, public IX11EventHandler
{
public:
	// Null when the frame has no window.
	static X11TextEdit* create(X11Frame* frame, IPlatformTextEditCallback* callback);

	const char* getText() override;
	bool setText(const char* text) override;
	bool updateSize() override;
	bool handleX11Event(const xcb_generic_event_t& event) override;
};

} // namespace VSTGUI
