// How a control reports to its owner (the plug-in's editor implements it).
// Declared in the global namespace, as editors expect it.
//
// A control never remembers or forgets its listener: the listener must
// outlive the control or be replaced with setListener(nullptr) first.
// Called on the user-interface thread.
#pragma once

#include "gui/base/cbuttonstate.h"

namespace VSTGUI
{
class CControl;
}

class CControlListener
{
public:
	virtual ~CControlListener() = default;

	// The user changed the control's value.
	virtual void valueChanged(VSTGUI::CControl* control) = 0;
	// Offered a mouse-down with modifiers or the right button before the
	// control sees it; non-zero means the listener handled the click.
	virtual VSTGUI::int32 controlModifierClicked(VSTGUI::CControl*, VSTGUI::CButtonState) { return 0; }
	virtual void controlBeginEdit(VSTGUI::CControl*) {}
	virtual void controlEndEdit(VSTGUI::CControl*) {}
	virtual void controlTagWillChange(VSTGUI::CControl*) {}
	virtual void controlTagDidChange(VSTGUI::CControl*) {}
};

namespace VSTGUI
{
// Editors may also name it from inside the toolkit's namespace.
using ::CControlListener;
} // namespace VSTGUI
