// The boundary between a text edit control and the native single-line field
// the platform puts over it while the user types.
//
// IPlatformTextEditCallback is what the field asks of the control: how to
// look, where to sit, and the moments it must report (Return, Tab, Back-tab,
// Escape, every change of the text). IPlatformTextEdit is what the control
// asks of the field. The platform frame makes the field
// (IPlatformFrame::createPlatformTextEdit).
//
// Ownership: the control holds the field's only reference while editing and
// forgets it when the edit ends; forgetting the last reference removes the
// field from the window. The field keeps a plain pointer to its callback and
// must not call it once the control has let go of the field. Everything runs
// on the user-interface thread.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cbuttonstate.h"
#include "gui/base/ccolor.h"
#include "gui/base/crect.h"
#include "gui/base/textconstants.h"

namespace VSTGUI
{

class CFontDesc;

class IPlatformTextEditCallback
{
public:
	virtual ~IPlatformTextEditCallback() = default;

	virtual CColor platformGetBackColor() const = 0;
	virtual CColor platformGetFontColor() const = 0;
	// Not owned by the caller.
	virtual CFontDesc* platformGetFont() const = 0;
	virtual CHoriTxtAlign platformGetHoriTxtAlign() const = 0;
	// UTF-8; the text the field starts with.
	virtual const char* platformGetText() const = 0;
	// The control's rectangle in frame coordinates.
	virtual CRect platformGetSize() const = 0;
	// The visible part of the control in frame coordinates; the field places
	// itself there, inset by half the text inset.
	virtual CRect platformGetVisibleSize() const = 0;
	virtual CPoint platformGetTextInset() const = 0;
	// The field lost the keyboard (returnPressed: it ended with Return). The
	// control may release the field inside this call.
	virtual void platformLooseFocus(bool returnPressed) = 0;
	// Tab (VKEY_TAB), Back-tab (VKEY_TAB with MODIFIER_SHIFT) and Escape
	// (VKEY_ESCAPE); true when the toolkit used the key. The control may
	// release the field inside this call.
	virtual bool platformOnKeyDown(const VstKeyCode& key) = 0;
	// After every change of the field's text.
	virtual void platformTextDidChange() = 0;
};

class IPlatformTextEdit : public CBaseObject
{
public:
	// UTF-8, valid until the text changes again.
	virtual const char* getText() = 0;
	// text is UTF-8; false when the field refused it.
	virtual bool setText(const char* text) = 0;
	// Places the field again after the control moved or was resized.
	virtual bool updateSize() = 0;
};

} // namespace VSTGUI
