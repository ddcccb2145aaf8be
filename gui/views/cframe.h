// The root of a view tree and the only object that talks to the native
// window (through IPlatformFrame). It dispatches the platform's events into
// the tree (mouse with capture and hover tracking, wheel, keys with a focus
// chain and a keyboard hook, drag and drop, activation, drawing), owns the
// keyboard focus, an optional modal view and the focus-indicator settings,
// and forwards edit bracketing and idle calls to the editor.
//
// Ownership: the editor creates the frame (count 1) and ends it with close(),
// which detaches and releases every view and then the frame itself. The frame
// holds one reference to its platform frame and one to every view in the
// hover chain; editor, keyboard hook, observers and focus views are plain
// pointers. Every platform callback holds a reference to the frame for its
// duration, so a handler may close the frame. User-interface thread only.
#pragma once

#include "gui/views/cviewcontainer.h"
#include "gui/views/iplatformframe.h"
#include "gui/views/vstguieditorinterface.h"

#include <vector>

namespace VSTGUI
{

class CFrame;

// Sees every key before the focus view. Answers 1 when it consumed the key,
// -1 otherwise.
class IKeyboardHook
{
public:
	virtual ~IKeyboardHook() = default;
	virtual int32 hookKeyDown(VstKeyCode& code, CFrame* frame) = 0;
	virtual int32 hookKeyUp(VstKeyCode& code, CFrame* frame) = 0;
};

class IViewAddedRemovedObserver
{
public:
	virtual ~IViewAddedRemovedObserver() = default;
	virtual void viewAddedToFrame(CFrame* frame, CView* view) = 0;
	virtual void viewRemovedFromFrame(CFrame* frame, CView* view) = 0;
};

class IMouseObserver
{
public:
	virtual ~IMouseObserver() = default;
	virtual void mouseEnteredView(CView* view, CFrame* frame) = 0;
	virtual void mouseExitedView(CView* view, CFrame* frame) = 0;
	// kMouseHandled consumes the event.
	virtual MouseEventResult mouseMovedInFrame(CFrame* frame, const CPoint& where, const CButtonState& buttons) = 0;
	virtual MouseEventResult mouseDownInFrame(CFrame* frame, const CPoint& where, const CButtonState& buttons) = 0;
};

// Focus-indicator settings, stored as attributes of the frame.
inline constexpr CViewAttributeID kCViewFocusDrawingEnabledAttribute = makeViewAttributeID('v', 'f', 'd', 'e');
inline constexpr CViewAttributeID kCViewFocusColorAttribute = makeViewAttributeID('v', 'f', 'c', 'o');
inline constexpr CViewAttributeID kCViewFocusWidthAttribute = makeViewAttributeID('v', 'f', 'w', 'i');

class CFrame : public CViewContainer, public IPlatformFrameCallback
{
public:
	// With a parentWindow the platform frame is created at once on it.
	CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor);
	// Creates the platform frame later; false for a null window, when one
	// exists already or when the platform cannot make one.
	bool initFrame(void* parentWindow);

	// Detaches everything, releases the platform frame and then the frame's
	// own (the creator's) reference.
	virtual void close();
	// The host's idle call: turns dirty marks into invalidations.
	virtual void idle();
	virtual void doIdleStuff();
	// Milliseconds, wrapping as unsigned 32-bit; 0xFFFFFFFF without a window.
	virtual uint32 getTicks() const;
	virtual int32 getKnobMode() const;
	// Screen coordinates.
	virtual bool setPosition(double x, double y);
	virtual bool getPosition(double& x, double& y) const;
	// false when unchanged or vetoed by the editor or the platform.
	virtual bool setSize(double width, double height);
	virtual bool getSize(CRect* size) const;
	virtual bool getSize(CRect& size) const;
	// false when a modal view is set already or view is attached. The
	// caller keeps its own reference; clearing gives back only the list's.
	virtual bool setModalView(CView* view);
	virtual CView* getModalView() const;
	virtual void beginEdit(int32 index);
	virtual void endEdit(int32 index);
	virtual bool getCurrentMouseLocation(CPoint& where) const;
	virtual CButtonState getCurrentMouseButtons() const;
	virtual void setCursor(CCursorType type);
	virtual void setFocusView(CView* view);
	virtual CView* getFocusView() const;
	virtual void onViewAdded(CView* view);
	virtual void onViewRemoved(CView* view);
	virtual void onActivate(bool state);
	// Marks every direct child overlapping rect dirty; drawn at next idle.
	virtual void invalidate(const CRect& rect);
	virtual void setFocusDrawingEnabled(bool state);
	virtual bool focusDrawingEnabled() const;
	virtual void setFocusColor(const CColor& color);
	virtual CColor getFocusColor() const;
	virtual void setFocusWidth(double width);
	virtual double getFocusWidth() const;
	virtual IKeyboardHook* getKeyboardHook() const;
	virtual void setKeyboardHook(IKeyboardHook* hook);
	virtual IViewAddedRemovedObserver* getViewAddedRemovedObserver() const;
	virtual void setViewAddedRemovedObserver(IViewAddedRemovedObserver* observer);

	// Device pixels per frame unit of the window; 1 without one.
	double getScaleFactor() const;
	// Redraws the window at the new factor; false without a window or when
	// the platform refuses it.
	bool setScaleFactor(double factor);
	// Moves drawn pixels when the platform can, else invalidates src.
	void scrollRect(const CRect& src, const CPoint& distance);
	void registerMouseObserver(IMouseObserver* observer);
	void unregisterMouseObserver(IMouseObserver* observer);
	// Not owned by the caller; null while closed.
	IPlatformFrame* getPlatformFrame() const { return platformFrame; }
	bool isActive() const { return active; }
	// The hover chain, outermost first.
	const std::vector<CView*>& getMouseViews() const { return mouseViews; }

	// IPlatformFrameCallback
	bool platformDrawRect(CDrawContext* context, const CRect& updateRect) override;
	MouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) override;
	bool platformOnMouseWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                          const CButtonState& buttons) override;
	bool platformOnDrop(CDragContainer* drag, const CPoint& where) override;
	void platformOnDragEnter(CDragContainer* drag, const CPoint& where) override;
	void platformOnDragLeave(CDragContainer* drag, const CPoint& where) override;
	void platformOnDragMove(CDragContainer* drag, const CPoint& where) override;
	bool platformOnKeyDown(VstKeyCode& keyCode) override;
	bool platformOnKeyUp(VstKeyCode& keyCode) override;
	void platformOnActivate(bool state) override;

	// CView and CViewContainer
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }
	void drawRect(CDrawContext* context, const CRect& updateRect) override;
	void invalidRect(const CRect& rect) override;
	void invalid() override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
	bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
	bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	             const CButtonState& buttons) override;
	int32 doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	int32 onKeyUp(VstKeyCode& keyCode) override;
	VSTGUIEditorInterface* getEditor() const override;
	bool removeAll(bool alsoForget = true) override;
	CView* getViewAt(const CPoint& where, bool deep = false) const override;
	CViewContainer* getContainerAt(const CPoint& where, bool deep = true) const override;
	bool advanceNextFocusView(CView* oldFocus, bool backwards = false) override;

protected:
	~CFrame() override;

	void checkMouseViews(const CPoint& where, const CButtonState& buttons);
	void clearMouseViews(const CPoint& where, const CButtonState& buttons, bool callExit = true);
	bool removeFromMouseViews(CView* view);
	void exitMouseView(CView* view, const CPoint& where, const CButtonState& buttons, bool callExit);
	void enterMouseViews(CView* target, const CPoint& where, const CButtonState& buttons);
	bool dropHoverEntriesOutside(CView* target, const CPoint& where, const CButtonState& buttons);
	MouseEventResult hoverMouseMoved(const CPoint& where, const CButtonState& buttons);
	void dropModalView();
	MouseEventResult modalMouseDown(CPoint& where, const CButtonState& buttons);
	int32 focusChainKeyDown(VstKeyCode& keyCode);
	void notifyFocusAncestors(CView* view, const char* message);
	template <typename T> T readAttribute(CViewAttributeID id, T defaultValue) const;

	VSTGUIEditorInterface* editor;
	IKeyboardHook* keyboardHook{nullptr};
	IViewAddedRemovedObserver* viewObserver{nullptr};
	CView* modalView{nullptr};
	CView* focusView{nullptr};
	CView* savedFocusView{nullptr};
	std::vector<CView*> mouseViews;
	bool active{true};
	std::vector<IMouseObserver*> mouseObservers;
	IPlatformFrame* platformFrame{nullptr};
};

} // namespace VSTGUI
