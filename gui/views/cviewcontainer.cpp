#include "gui/views/cviewcontainer.h"

#include "gui/base/messageids.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/views/cframe.h"
#include "gui/views/ifocusdrawing.h"
#include "gui/views/imodifierclicktarget.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

namespace
{

CViewContainer* asContainer(CView* view)
{
	return dynamic_cast<CViewContainer*>(view);
}

CPoint toLocal(const CPoint& where, const CRect& viewRect)
{
	return CPoint(where.x - viewRect.left, where.y - viewRect.top);
}

constexpr int32 kModifierClickMask = kButtonRight | kAllModifiersMask;

// A control's listener sees a click with modifiers (or the right button)
// before the control does; a non-zero answer consumes the click.
bool offerModifierClick(CView* child, const CButtonState& buttons)
{
	if (!(buttons & kModifierClickMask))
		return false;
	auto* target = dynamic_cast<IModifierClickTarget*>(child);
	return target && target->offerModifierClick(buttons);
}

} // namespace

// Holds a reference to every child for the length of a walk, so that event
// handlers may remove or release any of them without invalidating the walk.
class CViewContainer::FrontToBackSnapshot
{
public:
	explicit FrontToBackSnapshot(const ChildList& children) : views(children.rbegin(), children.rend())
	{
		for (CView* view : views)
			view->remember();
	}
	~FrontToBackSnapshot()
	{
		for (CView* view : views)
			view->forget();
	}
	FrontToBackSnapshot(const FrontToBackSnapshot&) = delete;
	FrontToBackSnapshot& operator=(const FrontToBackSnapshot&) = delete;

	std::vector<CView*>::const_iterator begin() const { return views.begin(); }
	std::vector<CView*>::const_iterator end() const { return views.end(); }

private:
	std::vector<CView*> views;
};

CViewContainer::CViewContainer(const CRect& size, CFrame*, CBitmap* background) : CView(size)
{
	if (background)
		setBackground(background);
	setFlag(kFlagAutosizingEnabled, true);
	setDirty(true);
}

CViewContainer::CViewContainer(const CViewContainer& container)
: CView(container), backgroundColor(container.backgroundColor), backgroundOffset(container.backgroundOffset)
{
	for (CView* child : container.children)
	{
		if (CView* copy = static_cast<CView*>(child->newCopy()))
			addView(copy);
	}
}

CViewContainer::~CViewContainer()
{
	CViewContainer::removeAll(true);
}

MessageResult CViewContainer::notify(CBaseObject* sender, const char* message)
{
	if (message == kMsgCheckIfViewContainer)
		return kMessageHandled;
	CFrame* frame = getFrame();
	if (message == kMsgNewFocusView)
	{
		CView* view = dynamic_cast<CView*>(sender);
		if (view && isChild(view) && frame && frame->focusDrawingEnabled())
		{
			double width = frame->getFocusWidth();
			invalidRect(CRect(view->getViewSize()).extend(width, width));
		}
	}
	else if (message == kMsgOldFocusView)
	{
		if (!focusBounds.isEmpty())
			invalidRect(focusBounds);
		focusBounds = CRect();
	}
	return kMessageIgnored;
}

bool CViewContainer::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CViewContainer") == 0 || CView::isTypeOf(className);
}

CBaseObject* CViewContainer::newCopy() const
{
	return new CViewContainer(*this);
}

bool CViewContainer::addView(CView* view)
{
	return insertView(view, children.size());
}

bool CViewContainer::addView(CView* view, const CRect& mouseableArea, bool mouseEnabled)
{
	if (!addView(view))
		return false;
	view->setMouseEnabled(mouseEnabled);
	view->setMouseableArea(mouseableArea);
	return true;
}

bool CViewContainer::addView(CView* view, CView* before)
{
	auto node = std::find(children.begin(), children.end(), before);
	size_t index = static_cast<size_t>(node - children.begin());
	if (node == children.end())
		index = children.empty() ? 0 : children.size() - 1;
	return insertView(view, index);
}

bool CViewContainer::insertView(CView* view, size_t index)
{
	// A view already in this list would hold two nodes and be released twice.
	if (view == nullptr || view->isAttached() || isChild(view))
		return false;
	children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), view);
	view->remember();
	if (isAttached())
	{
		view->attached(this);
		view->invalid();
	}
	return true;
}

bool CViewContainer::removeView(CView* view, bool alsoForget)
{
	if (captureView == view)
		captureView = nullptr;
	if (dragTarget == view)
		dragTarget = nullptr;
	if (!isChild(view))
		return false;
	view->invalid();
	if (isAttached())
		view->removed(this);
	if (alsoForget)
		view->forget();
	// Looked up again: removal callbacks may have reordered the list.
	auto node = std::find(children.begin(), children.end(), view);
	if (node != children.end())
		children.erase(node);
	view->forget();
	return true;
}

bool CViewContainer::removeAll(bool alsoForget)
{
	captureView = nullptr;
	dragTarget = nullptr;
	ChildList leaving;
	leaving.swap(children);
	for (CView* view : leaving)
	{
		if (isAttached())
			view->removed(this);
		if (alsoForget)
			view->forget();
		view->forget();
	}
	return true;
}

bool CViewContainer::isChild(CView* view) const
{
	return isChild(view, false);
}

bool CViewContainer::isChild(CView* view, bool deep) const
{
	for (CView* child : children)
	{
		if (child == view)
			return true;
		CViewContainer* container = deep ? asContainer(child) : nullptr;
		if (container && container->isChild(view, true))
			return true;
	}
	return false;
}

int32 CViewContainer::getNbViews() const
{
	return static_cast<int32>(children.size());
}

CView* CViewContainer::getView(int32 index) const
{
	if (index < 0 || index >= getNbViews())
		return nullptr;
	return children[static_cast<size_t>(index)];
}

bool CViewContainer::changeViewZOrder(CView* view, int32 position)
{
	auto node = std::find(children.begin(), children.end(), view);
	if (children.size() < 2 || node == children.end())
		return false;
	children.erase(node);
	size_t index = static_cast<size_t>(std::max<int32>(position, 0));
	children.insert(children.begin() + static_cast<std::ptrdiff_t>(std::min(index, children.size())), view);
	return true;
}

void CViewContainer::setAutosizingEnabled(bool state)
{
	setFlag(kFlagAutosizingEnabled, state);
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
	backgroundColor = color;
	setDirty(true);
}

CColor CViewContainer::getBackgroundColor() const
{
	return backgroundColor;
}

void CViewContainer::setBackgroundOffset(const CPoint& offset)
{
	backgroundOffset = offset;
}

const CPoint& CViewContainer::getBackgroundOffset() const
{
	return backgroundOffset;
}

CPoint& CViewContainer::localToFrame(CPoint& point) const
{
	point.offset(viewRect.left, viewRect.top);
	return parentView ? parentView->localToFrame(point) : point;
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const
{
	point.offset(-viewRect.left, -viewRect.top);
	return parentView ? parentView->frameToLocal(point) : point;
}

CRect CViewContainer::getVisibleSize(const CRect rect) const
{
	CRect result(rect);
	result.offset(viewRect.left, viewRect.top);
	result.bound(viewRect);
	if (getFrame() != static_cast<const CView*>(this))
	{
		if (parentView)
			result = static_cast<CViewContainer*>(parentView)->getVisibleSize(result);
		else if (parentFrame)
			result = parentFrame->getVisibleSize(result);
	}
	result.offset(-viewRect.left, -viewRect.top);
	return result;
}

void CViewContainer::parentSizeChanged()
{
	for (size_t i = 0; i < children.size(); ++i)
		children[i]->parentSizeChanged();
}

void CViewContainer::looseFocus()
{
	for (size_t i = 0; i < children.size(); ++i)
		children[i]->looseFocus();
}

void CViewContainer::takeFocus()
{
	for (size_t i = 0; i < children.size(); ++i)
		children[i]->takeFocus();
}

bool CViewContainer::attached(CView* parent)
{
	if (!CView::attached(parent))
		return false;
	for (size_t i = 0; i < children.size(); ++i)
		children[i]->attached(this);
	return true;
}

bool CViewContainer::removed(CView* parent)
{
	if (!isAttached())
		return false;
	for (size_t i = 0; i < children.size(); ++i)
		children[i]->removed(this);
	return CView::removed(parent);
}

// ---------------------------------------------------------------------------
// Drawing and invalidation

void CViewContainer::modifyDrawContext(CPoint& savedOffset, CDrawContext* context)
{
	savedOffset = context->getOffset();
	context->setOffset(CPoint(savedOffset.x + viewRect.left, savedOffset.y + viewRect.top));
}

void CViewContainer::restoreDrawContext(CDrawContext* context, const CPoint& savedOffset)
{
	context->setOffset(savedOffset);
}

void CViewContainer::draw(CDrawContext* context)
{
	drawRect(context, viewRect);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
	CPoint savedOffset;
	modifyDrawContext(savedOffset, context);
	CRect clientRect(updateRect);
	clientRect.bound(viewRect);
	clientRect.offset(-viewRect.left, -viewRect.top);
	CRect savedClip;
	context->getClipRect(savedClip);
	CRect clip(clientRect);
	clip.bound(savedClip);
	context->setClipRect(clip);
	drawBackgroundRect(context, clientRect);
	CView* focusView = focusViewForDrawing();
	if (drawChildren(context, clientRect, clip, focusView))
		focusView = nullptr;
	context->setClipRect(savedClip);
	if (focusView)
		drawFocusIndicator(context, focusView);
	restoreDrawContext(context, savedOffset);
	setDirty(false);
}

bool CViewContainer::drawChildren(CDrawContext* context, const CRect& clientRect, const CRect& clip, CView* focusView)
{
	bool focusDrawn = false;
	for (size_t i = 0; i < children.size(); ++i)
	{
		CView* child = children[i];
		if (!child->isVisible())
			continue;
		if (child == focusView)
			focusDrawn = drawFocusBeneath(context, child, clip);
		if (!checkUpdateRect(child, clientRect))
			continue;
		CRect childClip(child->getViewSize());
		childClip.bound(clip);
		if (childClip.getWidth() == 0 || childClip.getHeight() == 0)
			continue;
		context->setClipRect(childClip);
		float globalAlpha = context->getGlobalAlpha();
		context->setGlobalAlpha(globalAlpha * child->getAlphaValue());
		child->drawRect(context, clientRect);
		context->setGlobalAlpha(globalAlpha);
	}
	return focusDrawn;
}

CView* CViewContainer::focusViewForDrawing() const
{
	CFrame* frame = getFrame();
	if (frame == nullptr || !frame->focusDrawingEnabled())
		return nullptr;
	CView* focusView = frame->getFocusView();
	if (focusView && isChild(focusView) && focusView->isVisible() && focusView->wantsFocus())
		return focusView;
	return nullptr;
}

namespace
{

// Paints the focus outline in path with the frame's colour; answers the
// outline's bounds.
CRect fillFocusPath(CDrawContext* context, CGraphicsPath* path, CFrame* frame)
{
	CRect bounds = path->getBoundingBox();
	if (bounds.isEmpty())
		return bounds;
	context->setDrawMode(kDrawModeAntialiased);
	context->setFillColor(frame->getFocusColor());
	context->drawGraphicsPath(path, CDrawContext::kPathModeFillEvenOdd);
	return bounds;
}

} // namespace

// A focus drawer that does not draw on top gets its outline painted before
// the view itself; answers whether it was, so that it is not drawn twice.
bool CViewContainer::drawFocusBeneath(CDrawContext* context, CView* child, const CRect& clip)
{
	IFocusDrawing* drawer = dynamic_cast<IFocusDrawing*>(child);
	if (drawer == nullptr || drawer->drawFocusOnTop())
		return false;
	CGraphicsPath* path = context->createGraphicsPath();
	if (path == nullptr)
		return false;
	bool painted = false;
	if (drawer->getFocusPath(*path))
	{
		context->setClipRect(clip);
		focusBounds = fillFocusPath(context, path, getFrame());
		painted = !focusBounds.isEmpty();
	}
	path->forget();
	return painted;
}

void CViewContainer::drawFocusIndicator(CDrawContext* context, CView* focusView)
{
	CGraphicsPath* path = context->createGraphicsPath();
	if (path == nullptr)
		return;
	CFrame* frame = getFrame();
	IFocusDrawing* drawer = dynamic_cast<IFocusDrawing*>(focusView);
	if (drawer)
		drawer->getFocusPath(*path);
	else
	{
		CRect visible = focusView->getVisibleSize();
		if (!visible.isEmpty())
		{
			double width = frame->getFocusWidth();
			path->addRect(visible);
			path->addRect(visible.extend(width, width));
		}
	}
	focusBounds = fillFocusPath(context, path, frame);
	path->forget();
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
	CRect localRect(0, 0, viewRect.getWidth(), viewRect.getHeight());
	if (pBackground)
	{
		CRect oldClip;
		context->getClipRect(oldClip);
		CRect newClip(rect);
		newClip.bound(oldClip);
		context->setClipRect(newClip);
		pBackground->draw(context, localRect, backgroundOffset, 1.f);
		context->setClipRect(oldClip);
		return;
	}
	// A transparent container still paints a translucent colour, but never
	// an opaque one.
	if (getTransparency() && backgroundColor.alpha == 255)
		return;
	context->setDrawMode(kDrawModeAliased);
	context->setLineWidth(1);
	context->setFillColor(backgroundColor);
	context->setFrameColor(backgroundColor);
	context->setLineStyle(kLineSolid);
	context->drawRect(localRect, kShapeFilledAndStroked);
}

bool CViewContainer::checkUpdateRect(CView* view, const CRect& updateRect)
{
	return view->checkUpdate(updateRect) && view->isVisible();
}

bool CViewContainer::isDirty() const
{
	if (CView::isDirty())
		return true;
	CRect localRect(0, 0, viewRect.getWidth(), viewRect.getHeight());
	for (CView* child : children)
	{
		if (!child->isVisible() || !child->isDirty())
			continue;
		CRect visible(child->getViewSize());
		visible.bound(localRect);
		if (visible.getWidth() > 0 && visible.getHeight() > 0)
			return true;
	}
	return false;
}

void CViewContainer::invalidRect(const CRect& rect)
{
	if (!isVisible())
		return;
	CRect parentRect(rect);
	parentRect.offset(viewRect.left, viewRect.top);
	parentRect.bound(viewRect);
	if (parentRect.isEmpty())
		return;
	if (parentView)
		parentView->invalidRect(parentRect);
	else if (parentFrame)
		parentFrame->invalidRect(parentRect);
}

void CViewContainer::invalid()
{
	if (!isVisible())
		return;
	if (parentView)
		parentView->invalidRect(viewRect);
	else if (parentFrame)
		parentFrame->invalidRect(viewRect);
}

bool CViewContainer::invalidateDirtyViews()
{
	if (!isVisible())
		return true;
	if (CView::isDirty())
	{
		if (parentView)
			parentView->invalidRect(viewRect);
		else if (parentFrame)
			parentFrame->invalidRect(viewRect);
		return true;
	}
	for (size_t i = 0; i < children.size(); ++i)
	{
		CView* child = children[i];
		if (!child->isDirty() || !child->isVisible())
			continue;
		if (CViewContainer* container = asContainer(child))
			container->invalidateDirtyViews();
		else
			child->invalid();
	}
	return true;
}

// ---------------------------------------------------------------------------
// Hit testing

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
	CPoint local = toLocal(where, viewRect);
	for (auto it = children.rbegin(); it != children.rend(); ++it)
	{
		CView* child = *it;
		if (!child->isVisible() || !child->getMouseableArea().pointInsideClosed(local))
			continue;
		CViewContainer* container = deep ? asContainer(child) : nullptr;
		return container ? container->getViewAt(local, true) : child;
	}
	return nullptr;
}

CViewContainer* CViewContainer::getContainerAt(const CPoint& where, bool deep) const
{
	CPoint local = toLocal(where, viewRect);
	for (auto it = children.rbegin(); it != children.rend(); ++it)
	{
		CView* child = *it;
		if (!child->isVisible() || !child->getMouseableArea().pointInsideClosed(local))
			continue;
		CViewContainer* container = deep ? asContainer(child) : nullptr;
		if (container)
			return container->getContainerAt(local, true);
		break;
	}
	return const_cast<CViewContainer*>(this);
}

bool CViewContainer::getViewsAt(const CPoint& where, std::list<CView*>& views, bool deep) const
{
	CPoint local = toLocal(where, viewRect);
	bool found = false;
	for (auto it = children.rbegin(); it != children.rend(); ++it)
	{
		CView* child = *it;
		if (!child->isVisible() || !child->getMouseableArea().pointInsideClosed(local))
			continue;
		if (CViewContainer* container = deep ? asContainer(child) : nullptr)
			container->getViewsAt(local, views, true);
		views.push_back(child);
		found = true;
	}
	return found;
}

bool CViewContainer::hitTest(const CPoint& where, const CButtonState& buttons)
{
	return CView::hitTest(where, buttons);
}

bool CViewContainer::hitTestSubViews(const CPoint& where, const CButtonState buttons)
{
	CPoint local = toLocal(where, viewRect);
	for (auto it = children.rbegin(); it != children.rend(); ++it)
	{
		CView* child = *it;
		if (child->isVisible() && child->getMouseEnabled() && child->hitTest(local, buttons))
			return true;
	}
	return false;
}

// ---------------------------------------------------------------------------
// Mouse, wheel and drag routing

MouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	CPoint local = toLocal(where, viewRect);
	FrontToBackSnapshot snapshot(children);
	for (CView* child : snapshot)
	{
		// Earlier handlers may have removed this child already.
		if (!isChild(child) || !child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
			continue;
		if (offerModifierClick(child, buttons))
			return kMouseHandled;
		bool done = false;
		CPoint childPoint(local);
		MouseEventResult result = mouseDownOnChild(child, childPoint, buttons, done);
		if (done)
			return result;
	}
	return kMouseNotHandled;
}

MouseEventResult CViewContainer::mouseDownOnChild(CView* child, CPoint& local, const CButtonState& buttons, bool& done)
{
	CFrame* frame = getFrame();
	if (frame && child->wantsFocus())
		frame->setFocusView(child);
	MouseEventResult result = child->onMouseDown(local, buttons);
	if (result != kMouseNotHandled && result != kMouseNotImplemented)
	{
		// A child that left the tree inside its own handler is not captured.
		if (result == kMouseHandled && isChild(child))
			captureView = child;
		done = true;
		return result;
	}
	done = !child->getTransparency();
	return result;
}

MouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	CView* view = captureView;
	if (view == nullptr)
		return kMouseNotHandled;
	CBaseObjectGuard guard(view);
	CPoint local = toLocal(where, viewRect);
	if (view->onMouseMoved(local, buttons) == kMouseHandled)
		return kMouseHandled;
	if (captureView == view)
		captureView = nullptr;
	return kMouseNotHandled;
}

MouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
	CView* view = captureView;
	if (view == nullptr)
		return kMouseNotHandled;
	CBaseObjectGuard guard(view);
	CPoint local = toLocal(where, viewRect);
	view->onMouseUp(local, buttons);
	if (captureView == view)
		captureView = nullptr;
	return kMouseHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
	return onWheel(where, kWheelAxisVertical, distance, buttons);
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
	CPoint local = toLocal(where, viewRect);
	FrontToBackSnapshot snapshot(children);
	for (CView* child : snapshot)
	{
		if (!isChild(child) || !child->isVisible() || !child->getMouseableArea().pointInsideClosed(local))
			continue;
		if (child->onWheel(local, axis, distance, buttons))
			return true;
		if (!child->getTransparency())
			return false;
	}
	return false;
}

void CViewContainer::onDragEnter(CDragContainer* drag, const CPoint& where)
{
	if (getFrame() == nullptr)
		return;
	CPoint local = toLocal(where, viewRect);
	if (dragTarget)
		dragTarget->onDragLeave(drag, local);
	dragTarget = getViewAt(where);
	if (dragTarget)
		dragTarget->onDragEnter(drag, local);
}

void CViewContainer::onDragMove(CDragContainer* drag, const CPoint& where)
{
	if (getFrame() == nullptr)
		return;
	CPoint local = toLocal(where, viewRect);
	CView* view = getViewAt(where);
	if (view == dragTarget)
	{
		if (view)
			view->onDragMove(drag, local);
		return;
	}
	if (dragTarget)
		dragTarget->onDragLeave(drag, local);
	dragTarget = view;
	if (dragTarget)
		dragTarget->onDragEnter(drag, local);
}

void CViewContainer::onDragLeave(CDragContainer* drag, const CPoint& where)
{
	if (getFrame() == nullptr)
		return;
	if (dragTarget)
		dragTarget->onDragLeave(drag, toLocal(where, viewRect));
	dragTarget = nullptr;
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where)
{
	if (getFrame() == nullptr)
		return false;
	CPoint local = toLocal(where, viewRect);
	CView* view = getViewAt(where);
	if (view != dragTarget && dragTarget)
		dragTarget->onDragLeave(drag, local);
	dragTarget = view;
	if (view == nullptr)
		return false;
	CBaseObjectGuard guard(view);
	bool result = view->onDrop(drag, local);
	view->onDragLeave(drag, local);
	dragTarget = nullptr;
	return result;
}

// ---------------------------------------------------------------------------
// Focus traversal, resizing

bool CViewContainer::advanceNextFocusView(CView* oldFocus, bool backwards)
{
	ChildList order(children);
	if (backwards)
		std::reverse(order.begin(), order.end());
	bool passed = oldFocus == nullptr;
	for (CView* child : order)
	{
		if (!passed)
		{
			passed = child == oldFocus;
			continue;
		}
		if (advanceOver(child, backwards))
			return true;
	}
	return false;
}

bool CViewContainer::advanceOver(CView* child, bool backwards)
{
	CFrame* frame = getFrame();
	if (child->wantsFocus() && child->getMouseEnabled() && child->isVisible())
	{
		if (frame == nullptr)
			return false;
		frame->setFocusView(child);
		return true;
	}
	CViewContainer* container = asContainer(child);
	return container && container->advanceNextFocusView(nullptr, backwards);
}

void CViewContainer::setViewSize(const CRect& rect, bool invalid)
{
	if (rect == viewRect)
		return;
	CRect oldRect(viewRect);
	CView::setViewSize(rect, invalid);
	if (getAutosizingEnabled())
		autosizeChildren(oldRect);
	parentSizeChanged();
}

namespace
{

// How one axis of the container changed, and how children follow it.
struct AxisChange
{
	double delta;
	// Columns or rows: each child takes an equal share at its position.
	bool shared;
	int32 nearAnchor;
	int32 farAnchor;
};

// Otherwise a child anchored at the far edge moves, one anchored at both
// edges stretches, and any other stays.
void followAxis(const AxisChange& axis, double& nearEdge, double& farEdge, int32 flags, double index, double count)
{
	if (axis.shared)
	{
		double share = axis.delta / count;
		nearEdge += index * share;
		farEdge += index * share + share;
		return;
	}
	if (axis.delta == 0 || !(flags & axis.farAnchor))
		return;
	farEdge += axis.delta;
	if (!(flags & axis.nearAnchor))
		nearEdge += axis.delta;
}

} // namespace

void CViewContainer::autosizeChildren(const CRect& oldRect)
{
	const AxisChange horizontal{viewRect.getWidth() - oldRect.getWidth(), (autosizeFlags & kAnchorColumns) != 0,
	                            kAnchorLeft, kAnchorRight};
	const AxisChange vertical{viewRect.getHeight() - oldRect.getHeight(), (autosizeFlags & kAnchorRows) != 0,
	                          kAnchorTop, kAnchorBottom};
	if ((horizontal.delta == 0 && vertical.delta == 0) || children.empty())
		return;
	ChildList order(children);
	double count = static_cast<double>(order.size());
	for (size_t i = 0; i < order.size(); ++i)
	{
		CView* child = order[i];
		CRect size(child->getViewSize());
		CRect mouse(child->getMouseableArea());
		for (CRect* r : {&size, &mouse})
		{
			int32 flags = child->getAutosizeFlags();
			followAxis(horizontal, r->left, r->right, flags, static_cast<double>(i), count);
			followAxis(vertical, r->top, r->bottom, flags, static_cast<double>(i), count);
		}
		if (size != child->getViewSize())
		{
			child->setViewSize(size, true);
			child->setMouseableArea(mouse);
		}
	}
}

bool CViewContainer::sizeToFit()
{
	if (autosizeFlags & (kAnchorColumns | kAnchorRows))
		return false;
	CRect bounds(50000, 50000, -50000, -50000);
	bool any = false;
	for (CView* child : children)
	{
		if (!child->isVisible())
			continue;
		const CRect& r = child->getViewSize();
		bounds = CRect(std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
		               std::max(bounds.bottom, r.bottom));
		any = true;
	}
	// Nothing shown: nothing to fit, and the sentinels would give a
	// meaningless size.
	if (!any)
		return false;
	CRect fitted(viewRect.left, viewRect.top, viewRect.left + bounds.right + bounds.left,
	             viewRect.top + bounds.bottom + bounds.top);
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

} // namespace VSTGUI
