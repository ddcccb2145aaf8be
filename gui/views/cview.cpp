#include "gui/views/cview.h"

#include "gui/base/messageids.h"
#include "gui/drawing/cbitmap.h"
#include "gui/views/cframe.h"
#include "gui/views/idleviewupdater.h"

#include <cstring>

namespace VSTGUI
{

int32 CView::idleRate = 30;
bool CView::kDirtyCallAlwaysOnMainThread = false;

CView::CView(const CRect& size) : viewRect(size), mouseRect(size) {}

CView::CView(const CView& view)
: CBaseObject(view), viewRect(view.viewRect), mouseRect(view.mouseRect),
  viewFlags(view.viewFlags & ~(kFlagAttached | kFlagDirty)), autosizeFlags(view.autosizeFlags),
  alphaValue(view.alphaValue), pBackground(view.pBackground), attributes(view.attributes)
{
	if (pBackground)
		pBackground->remember();
}

CView::~CView()
{
	// A view released while still registered must not leave a dangling
	// entry behind for the next idle tick.
	if (isAttached() && wantsIdle())
		IdleViewUpdater::removeView(this);
	if (pBackground)
		pBackground->forget();
}

bool CView::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CView") == 0 || CBaseObject::isTypeOf(className);
}

CBaseObject* CView::newCopy() const
{
	return new CView(*this);
}

void CView::setFlag(Flag flag, bool state)
{
	if (state)
		viewFlags |= flag;
	else
		viewFlags &= ~static_cast<uint32>(flag);
}

bool CView::isVisible() const
{
	return hasFlag(kFlagVisible) && alphaValue > 0.f;
}

CRect& CView::getViewSize(CRect& rect) const
{
	rect = viewRect;
	return rect;
}

void CView::draw(CDrawContext* context)
{
	if (pBackground)
		pBackground->draw(context, viewRect, CPoint(0, 0), 1.f);
	setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
	draw(context);
}

bool CView::checkUpdate(const CRect& updateRect) const
{
	return !(viewRect.left > updateRect.right || updateRect.left > viewRect.right || viewRect.top > updateRect.bottom ||
	         updateRect.top > viewRect.bottom);
}

bool CView::isDirty() const
{
	return hasFlag(kFlagDirty);
}

void CView::setDirty(bool state)
{
	if (kDirtyCallAlwaysOnMainThread && state)
	{
		setFlag(kFlagDirty, false);
		invalidRect(viewRect);
		return;
	}
	setFlag(kFlagDirty, state);
}

void CView::invalidRect(const CRect& rect)
{
	if (!isAttached() || !hasFlag(kFlagVisible))
		return;
	if (parentView)
		parentView->invalidRect(rect);
	else if (parentFrame)
		parentFrame->invalidRect(rect);
}

void CView::invalid()
{
	setDirty(false);
	invalidRect(viewRect);
}

void CView::setVisible(bool state)
{
	if (state)
	{
		setFlag(kFlagVisible, true);
		invalid();
	}
	else if (hasFlag(kFlagVisible))
	{
		invalid();
		setFlag(kFlagVisible, false);
	}
}

MouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
	return kMouseNotImplemented;
}

MouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
	return kMouseNotImplemented;
}

MouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
	return kMouseNotImplemented;
}

MouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&)
{
	return kMouseNotImplemented;
}

MouseEventResult CView::onMouseExited(CPoint&, const CButtonState&)
{
	return kMouseNotImplemented;
}

bool CView::hitTest(const CPoint& where, const CButtonState&)
{
	return mouseRect.pointInsideClosed(where);
}

bool CView::onWheel(const CPoint&, const float&, const CButtonState&)
{
	return false;
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons)
{
	if (axis == kWheelAxisHorizontal && !(buttons & kModifierShift))
		return onWheel(where, -distance, buttons);
	return onWheel(where, distance, buttons);
}

void CView::setMouseEnabled(bool state)
{
	setFlag(kFlagMouseEnabled, state);
}

bool CView::getMouseEnabled() const
{
	return hasFlag(kFlagMouseEnabled);
}

void CView::setMouseableArea(const CRect& rect)
{
	mouseRect = rect;
}

CRect& CView::getMouseableArea(CRect& rect) const
{
	rect = mouseRect;
	return rect;
}

const CRect& CView::getMouseableArea() const
{
	return mouseRect;
}

int32 CView::doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap)
{
	if (parentFrame == nullptr)
		return kDragError;
	CPoint frameOffset(offset);
	localToFrame(frameOffset);
	return parentFrame->doDrag(source, frameOffset, dragBitmap);
}

bool CView::onDrop(CDragContainer*, const CPoint&)
{
	return false;
}

void CView::onDragEnter(CDragContainer*, const CPoint&) {}

void CView::onDragLeave(CDragContainer*, const CPoint&) {}

void CView::onDragMove(CDragContainer*, const CPoint&) {}

int32 CView::onKeyDown(VstKeyCode&)
{
	return -1;
}

int32 CView::onKeyUp(VstKeyCode&)
{
	return -1;
}

void CView::setViewSize(const CRect& rect, bool invalid)
{
	if (rect == viewRect)
		return;
	viewRect = rect;
	if (invalid)
		setDirty(true);
	if (parentView)
		parentView->notify(this, kMsgViewSizeChanged);
}

CRect CView::getVisibleSize() const
{
	if (parentView)
		return static_cast<CViewContainer*>(parentView)->getVisibleSize(viewRect);
	if (parentFrame)
		return parentFrame->getVisibleSize(viewRect);
	return CRect();
}

void CView::parentSizeChanged() {}

CPoint& CView::frameToLocal(CPoint& point) const
{
	return parentView ? parentView->frameToLocal(point) : point;
}

CPoint& CView::localToFrame(CPoint& point) const
{
	return parentView ? parentView->localToFrame(point) : point;
}

void CView::setAutosizeFlags(int32 flags)
{
	autosizeFlags = flags;
}

int32 CView::getAutosizeFlags() const
{
	return autosizeFlags;
}

bool CView::sizeToFit()
{
	return false;
}

void CView::looseFocus() {}

void CView::takeFocus() {}

bool CView::wantsFocus() const
{
	return hasFlag(kFlagWantsFocus);
}

void CView::setWantsFocus(bool state)
{
	setFlag(kFlagWantsFocus, state);
}

void CView::setBackground(CBitmap* background)
{
	if (pBackground)
		pBackground->forget();
	pBackground = background;
	if (pBackground)
		pBackground->remember();
	setDirty(true);
}

CBitmap* CView::getBackground() const
{
	return pBackground;
}

void CView::setTransparency(bool state)
{
	setFlag(kFlagTransparent, state);
}

bool CView::getTransparency() const
{
	return hasFlag(kFlagTransparent);
}

void CView::setAlphaValue(float alpha)
{
	if (alpha == alphaValue)
		return;
	alphaValue = alpha;
	if (parentView)
		parentView->invalidRect(viewRect);
}

bool CView::attached(CView* parent)
{
	if (isAttached())
		return false;
	parentView = parent;
	parentFrame = parent ? parent->getFrame() : nullptr;
	setFlag(kFlagAttached, true);
	if (parentFrame)
		parentFrame->onViewAdded(this);
	if (wantsIdle())
		IdleViewUpdater::addView(this);
	return true;
}

bool CView::removed(CView*)
{
	if (!isAttached())
		return false;
	if (wantsIdle())
		IdleViewUpdater::removeView(this);
	if (parentFrame)
		parentFrame->onViewRemoved(this);
	parentView = nullptr;
	parentFrame = nullptr;
	setFlag(kFlagAttached, false);
	return true;
}

VSTGUIEditorInterface* CView::getEditor() const
{
	return parentFrame ? parentFrame->getEditor() : nullptr;
}

void CView::onIdle() {}

void CView::setWantsIdle(bool state)
{
	if (wantsIdle() == state)
		return;
	setFlag(kFlagWantsIdle, state);
	if (!isAttached())
		return;
	if (state)
		IdleViewUpdater::addView(this);
	else
		IdleViewUpdater::removeView(this);
}

bool CView::setAttribute(CViewAttributeID id, int32 inSize, const void* inData)
{
	if (inData == nullptr || inSize <= 0)
		return false;
	const char* bytes = static_cast<const char*>(inData);
	attributes[id].assign(bytes, bytes + inSize);
	return true;
}

bool CView::getAttributeSize(CViewAttributeID id, int32& outSize) const
{
	auto it = attributes.find(id);
	if (it == attributes.end())
		return false;
	outSize = static_cast<int32>(it->second.size());
	return true;
}

bool CView::getAttribute(CViewAttributeID id, int32 inSize, void* outData, int32& outSize) const
{
	auto it = attributes.find(id);
	if (it == attributes.end() || inSize < static_cast<int32>(it->second.size()) || outData == nullptr)
		return false;
	std::memcpy(outData, it->second.data(), it->second.size());
	outSize = static_cast<int32>(it->second.size());
	return true;
}

bool CView::removeAttribute(CViewAttributeID id)
{
	return attributes.erase(id) > 0;
}

} // namespace VSTGUI
