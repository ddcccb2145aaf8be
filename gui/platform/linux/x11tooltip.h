// The frame's tooltip on X11: an override-redirect window below the
// rectangle it describes, faded out by a timer.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/crect.h"

namespace VSTGUI {

class X11Frame;

class X11Tooltip : public CBaseObject
{
public:
	// The frame owns the tooltip; the tooltip holds no reference on it.
	explicit X11Tooltip(X11Frame* frame);

	void set(const CRect& rect, const char* utf8Text);
	// Starts the fade-out, unless it is already running.
	void hide();

private:
	X11Frame* frame;
};

} // namespace VSTGUI
