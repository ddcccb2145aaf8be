// Mixed into views that draw their own focus indicator (controls do). The
// container that draws the focused child asks for the outline and paints it
// with the frame's focus colour, even-odd filled.
#pragma once

namespace VSTGUI
{

class CGraphicsPath;

class IFocusDrawing
{
public:
	virtual ~IFocusDrawing() = default;
	// false: the indicator is painted beneath the view's own content.
	virtual bool drawFocusOnTop() = 0;
	// Adds the indicator's outline (local coordinates of the view's parent)
	// to path; answers whether there is one.
	virtual bool getFocusPath(CGraphicsPath& path) = 0;
};

} // namespace VSTGUI
