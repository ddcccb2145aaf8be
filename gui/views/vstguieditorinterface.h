// What a frame sees of its owner, the editor. The editor implements it and
// owns the frame while its window is open; the frame keeps a plain pointer.
// User-interface thread only.
#pragma once

#include "gui/base/crect.h"
#include "gui/base/vstguitypes.h"

namespace VSTGUI
{

class CFrame;

class VSTGUIEditorInterface
{
public:
	virtual ~VSTGUIEditorInterface() = default;

	virtual void doIdleStuff() {}
	virtual int32 getKnobMode() const { return 0; }
	// Bracket a user gesture on the parameter index.
	virtual void beginEdit(int32) {}
	virtual void endEdit(int32) {}
	// false vetoes the frame's resize.
	virtual bool beforeSizeChange(const CRect&, const CRect&) { return true; }
	virtual CFrame* getFrame() const { return frame; }
	// The scale factor the host asked the editor for; 0 leaves it to the
	// platform (the desktop's setting).
	virtual double getRequestedScaleFactor() const { return 0.; }

protected:
	// The frame of the open editor, null while closed; owned by the editor.
	CFrame* frame{nullptr};
};

} // namespace VSTGUI
