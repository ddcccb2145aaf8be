// Mixed into views that let another party see a click with modifiers (or
// with the right button) before they handle it: a control offers it to its
// listener. The container asks through this interface, so that the view
// layer needs nothing of the controls.
#pragma once

namespace VSTGUI
{

class CButtonState;

class IModifierClickTarget
{
public:
	virtual ~IModifierClickTarget() = default;
	// true when the click was consumed and the view must not see it.
	virtual bool offerModifierClick(const CButtonState& buttons) = 0;
};

} // namespace VSTGUI
