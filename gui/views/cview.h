// The element of every view tree: a rectangle that draws itself and receives
// mouse, wheel, key, drag, focus and idle calls.
//
// Coordinates: viewRect and the mouseable area are in the parent's
// coordinates; a plain view draws in its parent's space.
//
// Ownership: the creator holds the first reference and usually gives it to a
// container with addView. parentView and parentFrame are plain pointers, set
// while the view is attached. The background bitmap is remembered while set.
// Everything runs on the user-interface thread.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cbuttonstate.h"
#include "gui/base/crect.h"

#include <map>
#include <vector>

namespace VSTGUI
{

class CBitmap;
class CDrawContext;
class CDragContainer;
class CDropSource;
class CFrame;
class VSTGUIEditorInterface;

using CViewAttributeID = uint32;

// Four-character attribute code: first character in the most significant byte.
constexpr CViewAttributeID makeViewAttributeID(char a, char b, char c, char d)
{
	return (static_cast<uint32>(static_cast<uint8>(a)) << 24) | (static_cast<uint32>(static_cast<uint8>(b)) << 16) |
	       (static_cast<uint32>(static_cast<uint8>(c)) << 8) | static_cast<uint32>(static_cast<uint8>(d));
}

inline constexpr CViewAttributeID kCViewTooltipAttribute = makeViewAttributeID('c', 'v', 't', 't');

// How a view follows its parent's resizing (setAutosizeFlags).
enum CViewAutosizing : int32
{
	kAutosizeNone = 0,
	kAnchorLeft = 1 << 0,
	kAnchorTop = 1 << 1,
	kAnchorRight = 1 << 2,
	kAnchorBottom = 1 << 3,
	kAnchorColumns = 1 << 4,
	kAnchorRows = 1 << 5,
	kAutosizeAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom
};

// The drag result that reports a drag that could not start.
inline constexpr int32 kDragError = -1;

class CView : public CBaseObject
{
public:
	// Idle calls per second for views that want idle (IdleViewUpdater).
	static int32 idleRate;
	// false: setDirty only marks and the frame's idle step invalidates;
	// true: setDirty(true) invalidates at once.
	static bool kDirtyCallAlwaysOnMainThread;

	explicit CView(const CRect& size);
	// A detached copy: rectangle, mouseable area, flags, autosize flags,
	// alpha, background (remembered) and attributes.
	CView(const CView& view);
	CView& operator=(const CView&) = delete;
	~CView() override;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override;

	virtual void draw(CDrawContext* context);
	virtual void drawRect(CDrawContext* context, const CRect& updateRect);
	// Closed-edge overlap of viewRect and updateRect.
	virtual bool checkUpdate(const CRect& updateRect) const;
	virtual bool isDirty() const;
	virtual void setDirty(bool state = true);
	// rect in the parent's coordinates.
	virtual void invalidRect(const CRect& rect);
	virtual void invalid();
	virtual void setVisible(bool state);

	// where is in the parent's coordinates.
	virtual MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
	virtual MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
	virtual MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
	virtual MouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
	virtual MouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
	// Closed edges: the right and bottom edge of the mouseable area hit.
	virtual bool hitTest(const CPoint& where, const CButtonState& buttons = 0);
	virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
	virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                     const CButtonState& buttons);

	virtual void setMouseEnabled(bool state = true);
	virtual bool getMouseEnabled() const;
	virtual void setMouseableArea(const CRect& rect);
	virtual CRect& getMouseableArea(CRect& rect) const;
	virtual const CRect& getMouseableArea() const;

	// kDragError without a frame.
	virtual int32 doDrag(CDropSource* source, const CPoint& offset = CPoint(), CBitmap* dragBitmap = nullptr);
	virtual bool onDrop(CDragContainer* drag, const CPoint& where);
	virtual void onDragEnter(CDragContainer* drag, const CPoint& where);
	virtual void onDragLeave(CDragContainer* drag, const CPoint& where);
	virtual void onDragMove(CDragContainer* drag, const CPoint& where);

	// 1 when the key was used, -1 otherwise.
	virtual int32 onKeyDown(VstKeyCode& keyCode);
	virtual int32 onKeyUp(VstKeyCode& keyCode);

	virtual void setViewSize(const CRect& rect, bool invalid = true);
	// The part of viewRect visible through every ancestor, parent coordinates.
	virtual CRect getVisibleSize() const;
	virtual void parentSizeChanged();
	virtual CPoint& frameToLocal(CPoint& point) const;
	virtual CPoint& localToFrame(CPoint& point) const;
	virtual void setAutosizeFlags(int32 flags);
	virtual int32 getAutosizeFlags() const;
	virtual bool sizeToFit();

	virtual void looseFocus();
	virtual void takeFocus();
	virtual bool wantsFocus() const;
	virtual void setWantsFocus(bool state);

	virtual void setBackground(CBitmap* background);
	virtual CBitmap* getBackground() const;
	virtual void setTransparency(bool state);
	virtual bool getTransparency() const;
	virtual void setAlphaValue(float alpha);

	// Detach and attach; false when already in that state.
	virtual bool removed(CView* parent);
	virtual bool attached(CView* parent);
	virtual VSTGUIEditorInterface* getEditor() const;
	virtual void onIdle();

	const CRect& getViewSize() const { return viewRect; }
	CRect& getViewSize(CRect& rect) const;
	double getWidth() const { return viewRect.getWidth(); }
	double getHeight() const { return viewRect.getHeight(); }
	CView* getParentView() const { return parentView; }
	CFrame* getFrame() const { return parentFrame; }
	// Visible flag set and alpha above 0.
	bool isVisible() const;
	bool isAttached() const { return hasFlag(kFlagAttached); }
	float getAlphaValue() const { return alphaValue; }
	bool wantsIdle() const { return hasFlag(kFlagWantsIdle); }
	// Registers with or unregisters from the idle updater while attached.
	void setWantsIdle(bool state);

	// Attributes: private copies of byte blocks, identified by four-character
	// codes. Null data or size <= 0 is refused.
	bool setAttribute(CViewAttributeID id, int32 inSize, const void* inData);
	bool getAttributeSize(CViewAttributeID id, int32& outSize) const;
	// false when absent or when inSize is smaller than the stored size.
	bool getAttribute(CViewAttributeID id, int32 inSize, void* outData, int32& outSize) const;
	bool removeAttribute(CViewAttributeID id);

protected:
	enum Flag : uint32
	{
		kFlagMouseEnabled = 1 << 0,
		kFlagTransparent = 1 << 1,
		kFlagWantsFocus = 1 << 2,
		kFlagAttached = 1 << 3,
		kFlagVisible = 1 << 4,
		kFlagDirty = 1 << 5,
		kFlagWantsIdle = 1 << 6,
		kFlagAutosizingEnabled = 1 << 7
	};
	bool hasFlag(Flag flag) const { return (viewFlags & flag) != 0; }
	void setFlag(Flag flag, bool state);

	CRect viewRect;
	CRect mouseRect;
	CFrame* parentFrame{nullptr};
	CView* parentView{nullptr};
	uint32 viewFlags{kFlagMouseEnabled | kFlagVisible};
	int32 autosizeFlags{kAutosizeNone};
	float alphaValue{1.f};
	CBitmap* pBackground{nullptr};

private:
	std::map<CViewAttributeID, std::vector<char>> attributes;
};

} // namespace VSTGUI
