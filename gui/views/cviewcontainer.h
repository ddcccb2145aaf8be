// A view that owns an ordered list of children: draws them back to front
// with clipping, routes events to them front to back, resizes them when it is
// resized and turns their dirty marks into invalidated areas.
//
// Coordinates: children are in the container's local space, whose origin is
// the container's top-left corner.
//
// Ownership: the list holds one reference per child, taken by addView and
// given back after removed() when the child leaves. addView also takes over
// the creator's reference: removeView(view, true), removeAll(true) and the
// destructor give back both. captureView and dragTarget are plain pointers
// to children. User-interface thread only.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/views/cview.h"

#include <list>
#include <vector>

namespace VSTGUI
{

class CViewContainer : public CView
{
public:
	// frame is not used; background is remembered when given.
	CViewContainer(const CRect& size, CFrame* frame = nullptr, CBitmap* background = nullptr);
	// The view part, colours and a newCopy of every child.
	CViewContainer(const CViewContainer& container);
	~CViewContainer() override;

	MessageResult notify(CBaseObject* sender, const char* message) override;
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override;

	// false for null or an attached view. Appends at the front.
	virtual bool addView(CView* view);
	virtual bool addView(CView* view, const CRect& mouseableArea, bool mouseEnabled = true);
	// Inserts just behind before; when before is not a child, just behind
	// the front-most child.
	virtual bool addView(CView* view, CView* before);
	// false when view is not a child.
	virtual bool removeView(CView* view, bool alsoForget = true);
	virtual bool removeAll(bool alsoForget = true);
	virtual bool isChild(CView* view) const;
	virtual bool isChild(CView* view, bool deep) const;
	virtual int32 getNbViews() const;
	// Counted from the back; null when out of range.
	virtual CView* getView(int32 index) const;
	// where in the parent's coordinates (as every hit test below).
	virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
	virtual CViewContainer* getContainerAt(const CPoint& where, bool deep = true) const;
	virtual bool getViewsAt(const CPoint& where, std::list<CView*>& views, bool deep = true) const;
	// 0 makes view the back-most; past the end, the front-most.
	virtual bool changeViewZOrder(CView* view, int32 position);
	virtual void setAutosizingEnabled(bool state);
	virtual void setBackgroundColor(const CColor& color);
	virtual CColor getBackgroundColor() const;
	virtual void setBackgroundOffset(const CPoint& offset);
	virtual const CPoint& getBackgroundOffset() const;
	// rect in local coordinates.
	virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
	virtual bool advanceNextFocusView(CView* oldFocus, bool backwards = false);
	virtual bool invalidateDirtyViews();
	// rect in local coordinates; the answer too.
	virtual CRect getVisibleSize(const CRect rect) const;
	virtual bool checkUpdateRect(CView* view, const CRect& updateRect);
	virtual bool hitTestSubViews(const CPoint& where, const CButtonState buttons = 0);

	void modifyDrawContext(CPoint& savedOffset, CDrawContext* context);
	void restoreDrawContext(CDrawContext* context, const CPoint& savedOffset);
	bool getAutosizingEnabled() const { return hasFlag(kFlagAutosizingEnabled); }
	const CRect& getFocusBounds() const { return focusBounds; }
	CView* getCaptureView() const { return captureView; }

	// CView
	void draw(CDrawContext* context) override;
	void drawRect(CDrawContext* context, const CRect& updateRect) override;
	bool isDirty() const override;
	void invalidRect(const CRect& rect) override;
	void invalid() override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	bool hitTest(const CPoint& where, const CButtonState& buttons = 0) override;
	bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
	bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	             const CButtonState& buttons) override;
	bool onDrop(CDragContainer* drag, const CPoint& where) override;
	void onDragEnter(CDragContainer* drag, const CPoint& where) override;
	void onDragLeave(CDragContainer* drag, const CPoint& where) override;
	void onDragMove(CDragContainer* drag, const CPoint& where) override;
	void setViewSize(const CRect& rect, bool invalid = true) override;
	CRect getVisibleSize() const override { return CView::getVisibleSize(); }
	void parentSizeChanged() override;
	CPoint& frameToLocal(CPoint& point) const override;
	CPoint& localToFrame(CPoint& point) const override;
	bool sizeToFit() override;
	void looseFocus() override;
	void takeFocus() override;
	bool removed(CView* parent) override;
	bool attached(CView* parent) override;

protected:
	// The children, back-most first; each entry holds one reference.
	using ChildList = std::vector<CView*>;
	// A referenced copy of the list, front-most first, for walks that call
	// out to children which may change the list or release each other.
	class FrontToBackSnapshot;

	bool insertView(CView* view, size_t index);
	bool drawChildren(CDrawContext* context, const CRect& clientRect, const CRect& clip, CView* focusView);
	void drawFocusIndicator(CDrawContext* context, CView* focusView);
	CView* focusViewForDrawing() const;
	bool drawFocusBeneath(CDrawContext* context, CView* child, const CRect& clip);
	MouseEventResult mouseDownOnChild(CView* child, CPoint& local, const CButtonState& buttons, bool& done);
	void autosizeChildren(const CRect& oldRect);
	bool advanceOver(CView* child, bool backwards);

	ChildList children;
	CColor backgroundColor{kBlackCColor};
	CPoint backgroundOffset;
	CRect focusBounds;
	CView* dragTarget{nullptr};
	CView* captureView{nullptr};
};

} // namespace VSTGUI
