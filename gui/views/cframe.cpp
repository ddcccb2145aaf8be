#include "gui/views/cframe.h"

#include "gui/base/messageids.h"
#include "gui/drawing/cdrawcontext.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

namespace
{

// One focus change at a time across all frames: looseFocus and takeFocus
// handlers may ask for focus again while a change is under way.
bool gFocusChangeInProgress = false;

constexpr int32 kModifierBits = kAllModifiersMask;

CPoint frameToLocalOf(const CView* view, const CPoint& where)
{
	CPoint local(where);
	view->frameToLocal(local);
	return local;
}

} // namespace

CFrame::CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
: CViewContainer(size), editor(editor)
{
	setFlag(kFlagAttached, true);
	parentFrame = this;
	if (parentWindow)
		initFrame(parentWindow);
}

bool CFrame::initFrame(void* parentWindow)
{
	if (parentWindow == nullptr || platformFrame != nullptr)
		return false;
	platformFrame = IPlatformFrame::createPlatformFrame(this, viewRect, parentWindow);
	// The platform starts at the desktop's factor; a host's request replaces
	// it before anything is drawn.
	if (platformFrame && editor && editor->getRequestedScaleFactor() > 0.)
		platformFrame->setScaleFactor(editor->getRequestedScaleFactor());
	return platformFrame != nullptr;
}

double CFrame::getScaleFactor() const
{
	return platformFrame ? platformFrame->getScaleFactor() : 1.;
}

bool CFrame::setScaleFactor(double factor)
{
	return platformFrame && platformFrame->setScaleFactor(factor);
}

CFrame::~CFrame()
{
	mouseObservers.clear();
	clearMouseViews(CPoint(), 0, false);
	dropModalView();
	if (platformFrame)
		platformFrame->setMouseCursor(kCursorDefault);
	parentFrame = nullptr;
	focusView = nullptr;
	savedFocusView = nullptr;
	CViewContainer::removeAll(true);
	if (platformFrame)
		platformFrame->forget();
	platformFrame = nullptr;
}

void CFrame::close()
{
	clearMouseViews(CPoint(), 0, false);
	dropModalView();
	setCursor(kCursorDefault);
	// Late activation events from the platform are ignored from now on.
	parentFrame = nullptr;
	removeAll(true);
	if (platformFrame)
		platformFrame->forget();
	platformFrame = nullptr;
	forget();
}

bool CFrame::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CFrame") == 0 || CViewContainer::isTypeOf(className);
}

VSTGUIEditorInterface* CFrame::getEditor() const
{
	return editor;
}

void CFrame::idle()
{
	if (!kDirtyCallAlwaysOnMainThread)
		invalidateDirtyViews();
}

void CFrame::doIdleStuff()
{
	if (editor)
		editor->doIdleStuff();
}

uint32 CFrame::getTicks() const
{
	return platformFrame ? IPlatformFrame::getTicks() : 0xFFFFFFFFu;
}

int32 CFrame::getKnobMode() const
{
	return editor ? editor->getKnobMode() : 0;
}

void CFrame::beginEdit(int32 index)
{
	if (editor)
		editor->beginEdit(index);
}

void CFrame::endEdit(int32 index)
{
	if (editor)
		editor->endEdit(index);
}

// ---------------------------------------------------------------------------
// Window geometry and platform queries

bool CFrame::setPosition(double x, double y)
{
	if (platformFrame == nullptr)
		return false;
	CRect moved(viewRect);
	moved.moveTo(x, y);
	// The platform gets the moved rectangle; a refusal leaves ours as it was.
	if (!platformFrame->setSize(moved))
		return false;
	viewRect = moved;
	return true;
}

bool CFrame::getPosition(double& x, double& y) const
{
	CPoint position;
	if (platformFrame == nullptr || !platformFrame->getGlobalPosition(position))
		return false;
	x = position.x;
	y = position.y;
	return true;
}

bool CFrame::setSize(double width, double height)
{
	if (width == viewRect.getWidth() && height == viewRect.getHeight())
		return false;
	CRect newSize(viewRect.left, viewRect.top, viewRect.left + width, viewRect.top + height);
	if (editor && !editor->beforeSizeChange(newSize, viewRect))
		return false;
	if (platformFrame && !platformFrame->setSize(newSize))
		return false;
	CViewContainer::setViewSize(newSize, true);
	return true;
}

bool CFrame::getSize(CRect* size) const
{
	if (size == nullptr || platformFrame == nullptr)
		return false;
	return platformFrame->getSize(*size);
}

bool CFrame::getSize(CRect& size) const
{
	return getSize(&size);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const
{
	return platformFrame && platformFrame->getCurrentMousePosition(where);
}

CButtonState CFrame::getCurrentMouseButtons() const
{
	CButtonState buttons;
	if (platformFrame)
		platformFrame->getCurrentMouseButtons(buttons);
	return buttons;
}

void CFrame::setCursor(CCursorType type)
{
	if (platformFrame)
		platformFrame->setMouseCursor(type);
}

int32 CFrame::doDrag(CDropSource* source, const CPoint& offset, CBitmap* dragBitmap)
{
	return platformFrame ? platformFrame->doDrag(source, offset, dragBitmap) : kDragError;
}

void CFrame::scrollRect(const CRect& src, const CPoint& distance)
{
	if (platformFrame == nullptr || !platformFrame->scrollRect(src, distance))
		invalidRect(src);
}

// ---------------------------------------------------------------------------
// Drawing and invalidation

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
	if (context == nullptr || updateRect.getWidth() <= 0 || updateRect.getHeight() <= 0)
		return;
	CBaseObjectGuard guard(context);
	CRect savedClip;
	context->getClipRect(savedClip);
	CRect clip(updateRect);
	clip.bound(savedClip);
	context->setClipRect(clip);
	CViewContainer::drawRect(context, updateRect);
	context->setClipRect(savedClip);
}

void CFrame::invalidRect(const CRect& rect)
{
	if (isVisible() && platformFrame)
		platformFrame->invalidRect(rect);
}

void CFrame::invalid()
{
	invalidRect(viewRect);
	setDirty(false);
}

void CFrame::invalidate(const CRect& rect)
{
	for (size_t i = 0; i < children.size(); ++i)
	{
		if (children[i]->checkUpdate(rect))
			children[i]->setDirty(true);
	}
}

// ---------------------------------------------------------------------------
// Tree bookkeeping

bool CFrame::removeAll(bool alsoForget)
{
	// Everything is leaving: the hover chain is not rebuilt as it would be
	// by setModalView(nullptr).
	dropModalView();
	focusView = nullptr;
	savedFocusView = nullptr;
	clearMouseViews(CPoint(), 0, false);
	return CViewContainer::removeAll(alsoForget);
}

void CFrame::onViewAdded(CView* view)
{
	if (viewObserver)
		viewObserver->viewAddedToFrame(this, view);
}

void CFrame::onViewRemoved(CView* view)
{
	removeFromMouseViews(view);
	// A modal view taken out of the tree by other means than setModalView
	// must not stay the only receiver of events.
	if (modalView == view)
		modalView = nullptr;
	if (savedFocusView == view)
		savedFocusView = nullptr;
	CViewContainer* container = dynamic_cast<CViewContainer*>(view);
	auto holdsFocus = [&]
	{ return focusView && (focusView == view || (container && container->isChild(focusView, true))); };
	if (holdsFocus())
		setFocusView(nullptr);
	// A focus change under way refuses the nested request above; the focus
	// must still never point at a view that is leaving the tree.
	if (holdsFocus())
		focusView = nullptr;
	if (viewObserver)
		viewObserver->viewRemovedFromFrame(this, view);
}

IKeyboardHook* CFrame::getKeyboardHook() const
{
	return keyboardHook;
}

void CFrame::setKeyboardHook(IKeyboardHook* hook)
{
	keyboardHook = hook;
}

IViewAddedRemovedObserver* CFrame::getViewAddedRemovedObserver() const
{
	return viewObserver;
}

void CFrame::setViewAddedRemovedObserver(IViewAddedRemovedObserver* observer)
{
	viewObserver = observer;
}

void CFrame::registerMouseObserver(IMouseObserver* observer)
{
	mouseObservers.push_back(observer);
}

void CFrame::unregisterMouseObserver(IMouseObserver* observer)
{
	std::erase(mouseObservers, observer);
}

// ---------------------------------------------------------------------------
// Focus settings

template <typename T> T CFrame::readAttribute(CViewAttributeID id, T defaultValue) const
{
	int32 size = 0;
	if (!getAttributeSize(id, size) || size < 1 || size > static_cast<int32>(sizeof(T)))
		return defaultValue;
	T value = defaultValue;
	getAttribute(id, static_cast<int32>(sizeof(T)), &value, size);
	return value;
}

void CFrame::setFocusDrawingEnabled(bool state)
{
	if (state)
		setAttribute(kCViewFocusDrawingEnabledAttribute, 1, &state);
	else
		removeAttribute(kCViewFocusDrawingEnabledAttribute);
}

bool CFrame::focusDrawingEnabled() const
{
	int32 size = 0;
	return getAttributeSize(kCViewFocusDrawingEnabledAttribute, size);
}

void CFrame::setFocusColor(const CColor& color)
{
	setAttribute(kCViewFocusColorAttribute, sizeof(CColor), &color);
}

CColor CFrame::getFocusColor() const
{
	return readAttribute(kCViewFocusColorAttribute, kRedCColor);
}

void CFrame::setFocusWidth(double width)
{
	setAttribute(kCViewFocusWidthAttribute, sizeof(double), &width);
}

double CFrame::getFocusWidth() const
{
	return readAttribute(kCViewFocusWidthAttribute, 2.0);
}

// ---------------------------------------------------------------------------
// Platform callbacks: each keeps the frame alive, a handler may close it.

bool CFrame::platformDrawRect(CDrawContext* context, const CRect& updateRect)
{
	CBaseObjectGuard guard(this);
	drawRect(context, updateRect);
	return true;
}

MouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons)
{
	CBaseObjectGuard guard(this);
	return onMouseDown(where, buttons);
}

MouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons)
{
	CBaseObjectGuard guard(this);
	return onMouseMoved(where, buttons);
}

MouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons)
{
	CBaseObjectGuard guard(this);
	return onMouseUp(where, buttons);
}

MouseEventResult CFrame::platformOnMouseExited(CPoint& where, const CButtonState& buttons)
{
	CBaseObjectGuard guard(this);
	return onMouseExited(where, buttons);
}

bool CFrame::platformOnMouseWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                                  const CButtonState& buttons)
{
	CBaseObjectGuard guard(this);
	return onWheel(where, axis, distance, buttons);
}

bool CFrame::platformOnDrop(CDragContainer* drag, const CPoint& where)
{
	CBaseObjectGuard guard(this);
	return onDrop(drag, where);
}

void CFrame::platformOnDragEnter(CDragContainer* drag, const CPoint& where)
{
	CBaseObjectGuard guard(this);
	onDragEnter(drag, where);
}

void CFrame::platformOnDragLeave(CDragContainer* drag, const CPoint& where)
{
	CBaseObjectGuard guard(this);
	onDragLeave(drag, where);
}

void CFrame::platformOnDragMove(CDragContainer* drag, const CPoint& where)
{
	CBaseObjectGuard guard(this);
	onDragMove(drag, where);
}

bool CFrame::platformOnKeyDown(VstKeyCode& keyCode)
{
	CBaseObjectGuard guard(this);
	return onKeyDown(keyCode) == 1;
}

bool CFrame::platformOnKeyUp(VstKeyCode& keyCode)
{
	CBaseObjectGuard guard(this);
	return onKeyUp(keyCode) == 1;
}

void CFrame::platformOnActivate(bool state)
{
	CBaseObjectGuard guard(this);
	if (parentFrame)
		onActivate(state);
}

// ---------------------------------------------------------------------------
// Mouse

MouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	captureView = nullptr;
	if (focusView && focusView->isTypeOf("CTextEdit"))
		setFocusView(nullptr);
	bool observed = false;
	for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
		observed |= observer->mouseDownInFrame(this, where, buttons) == kMouseHandled;
	if (observed)
		return kMouseHandled;
	if (modalView)
		return modalMouseDown(where, buttons);
	return CViewContainer::onMouseDown(where, buttons);
}

MouseEventResult CFrame::modalMouseDown(CPoint& where, const CButtonState& buttons)
{
	CView* modal = modalView;
	CBaseObjectGuard guard(modal);
	if (!modal->isVisible() || !modal->getMouseEnabled() || !modal->hitTest(where, buttons))
		return kMouseNotHandled;
	if (modal->onMouseDown(where, buttons) != kMouseHandled)
		return kMouseNotHandled;
	if (isChild(modal))
		captureView = modal;
	return kMouseHandled;
}

MouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
	MouseEventResult result = CViewContainer::onMouseUp(where, buttons);
	checkMouseViews(where, buttons & kModifierBits);
	return result;
}

MouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	checkMouseViews(where, buttons);
	bool observed = false;
	for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
		observed |= observer->mouseMovedInFrame(this, where, buttons) == kMouseHandled;
	if (observed)
		return kMouseHandled;
	if (CView* modal = modalView)
	{
		CBaseObjectGuard guard(modal);
		return modal->onMouseMoved(where, buttons);
	}
	MouseEventResult result = CViewContainer::onMouseMoved(where, buttons);
	if (result != kMouseNotHandled)
		return result;
	return hoverMouseMoved(where, buttons & kModifierBits);
}

// Moves without a captured view go to the hover chain, innermost first.
MouseEventResult CFrame::hoverMouseMoved(const CPoint& where, const CButtonState& buttons)
{
	std::vector<CView*> chain(mouseViews);
	for (CView* view : chain)
		view->remember();
	MouseEventResult result = kMouseNotHandled;
	for (auto it = chain.rbegin(); it != chain.rend(); ++it)
	{
		CPoint local = frameToLocalOf(*it, where);
		result = (*it)->onMouseMoved(local, buttons);
		if (result == kMouseHandled)
			break;
	}
	for (CView* view : chain)
		view->forget();
	return result;
}

MouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons)
{
	if (captureView)
		return kMouseHandled;
	clearMouseViews(where, buttons, true);
	return kMouseHandled;
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
	return onWheel(where, kWheelAxisVertical, distance, buttons);
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons)
{
	if (captureView)
		return false;
	CView* target = getViewAt(where, false);
	if (target == nullptr)
		return false;
	CBaseObjectGuard guard(target);
	bool result = target->onWheel(where, axis, distance, buttons);
	checkMouseViews(where, buttons);
	return result;
}

// ---------------------------------------------------------------------------
// Hover tracking

void CFrame::checkMouseViews(const CPoint& where, const CButtonState& buttons)
{
	if (captureView)
		return;
	CView* target = getViewAt(where, true);
	if (target == nullptr)
		target = getContainerAt(where, true);
	CView* current = mouseViews.empty() ? nullptr : mouseViews.back();
	if (target == current)
		return;
	if (target == nullptr || target == this)
	{
		clearMouseViews(where, buttons, true);
		return;
	}
	if (current && dynamic_cast<CViewContainer*>(current) == nullptr)
		exitMouseView(current, where, buttons, true);
	if (dropHoverEntriesOutside(target, where, buttons))
		return;
	enterMouseViews(target, where, buttons);
}

// Exits the entries, innermost first, that do not lead to target. Answers
// true when target itself is already in the chain.
bool CFrame::dropHoverEntriesOutside(CView* target, const CPoint& where, const CButtonState& buttons)
{
	while (!mouseViews.empty())
	{
		CView* entry = mouseViews.back();
		if (entry == target)
			return true;
		CViewContainer* container = dynamic_cast<CViewContainer*>(entry);
		if (container && container->isChild(target, true))
			return false;
		exitMouseView(entry, where, buttons, true);
	}
	return false;
}

void CFrame::enterMouseViews(CView* target, const CPoint& where, const CButtonState& buttons)
{
	CView* deepest = mouseViews.empty() ? static_cast<CView*>(this) : mouseViews.back();
	std::vector<CView*> added;
	for (CView* view = target; view && view != deepest && view != this; view = view->getParentView())
		added.insert(added.begin(), view);
	for (CView* view : added)
	{
		view->remember();
		mouseViews.push_back(view);
	}
	for (CView* view : added)
	{
		CBaseObjectGuard guard(view);
		CPoint local = frameToLocalOf(view, where);
		view->onMouseEntered(local, buttons);
		for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
			observer->mouseEnteredView(view, this);
	}
}

// Takes view out of the chain before anyone hears of it, so that handlers
// which change the tree find a consistent chain; the chain's reference is
// given back last.
void CFrame::exitMouseView(CView* view, const CPoint& where, const CButtonState& buttons, bool callExit)
{
	auto count = std::erase(mouseViews, view);
	if (callExit)
	{
		CPoint local = frameToLocalOf(view, where);
		view->onMouseExited(local, buttons);
	}
	for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
		observer->mouseExitedView(view, this);
	for (; count > 0; --count)
		view->forget();
}

// Innermost first, as when the pointer moves from a nested view to a
// sibling: no container is exited while one of its children is still
// hovered.
void CFrame::clearMouseViews(const CPoint& where, const CButtonState& buttons, bool callExit)
{
	std::vector<CView*> leaving;
	leaving.swap(mouseViews);
	for (auto it = leaving.rbegin(); it != leaving.rend(); ++it)
	{
		CView* view = *it;
		if (callExit)
		{
			CPoint local = frameToLocalOf(view, where);
			view->onMouseExited(local, buttons);
		}
		for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
			observer->mouseExitedView(view, this);
		view->forget();
	}
}

bool CFrame::removeFromMouseViews(CView* view)
{
	auto found = std::find(mouseViews.begin(), mouseViews.end(), view);
	if (found == mouseViews.end())
		return false;
	std::vector<CView*> leaving(found, mouseViews.end());
	mouseViews.erase(found, mouseViews.end());
	for (CView* entry : leaving)
	{
		for (IMouseObserver* observer : std::vector<IMouseObserver*>(mouseObservers))
			observer->mouseExitedView(entry, this);
		entry->forget();
	}
	return true;
}

// ---------------------------------------------------------------------------
// Keys

int32 CFrame::onKeyDown(VstKeyCode& keyCode)
{
	if (keyboardHook)
	{
		if (int32 result = keyboardHook->hookKeyDown(keyCode, this); result != -1)
			return result;
	}
	if (int32 result = focusChainKeyDown(keyCode); result != -1)
		return result;
	if (CView* modal = modalView)
	{
		CBaseObjectGuard guard(modal);
		if (int32 result = modal->onKeyDown(keyCode); result != -1)
			return result;
	}
	if (keyCode.virt == VKEY_TAB)
		return advanceNextFocusView(focusView, (keyCode.modifier & MODIFIER_SHIFT) != 0) ? 1 : -1;
	return -1;
}

// The focus view first, then its enclosing containers up to the frame; a
// disabled one does not take keys.
int32 CFrame::focusChainKeyDown(VstKeyCode& keyCode)
{
	if (focusView == nullptr)
		return -1;
	CBaseObjectGuard focusGuard(focusView);
	for (CView* view = focusView; view && view != this; view = view->getParentView())
	{
		CBaseObjectGuard guard(view);
		int32 result = view->getMouseEnabled() ? view->onKeyDown(keyCode) : -1;
		if (result != -1)
			return result;
	}
	return -1;
}

int32 CFrame::onKeyUp(VstKeyCode& keyCode)
{
	if (keyboardHook)
	{
		if (int32 result = keyboardHook->hookKeyUp(keyCode, this); result != -1)
			return result;
	}
	for (CView* view = focusView; view && view != this; view = view->getParentView())
	{
		int32 result = view->getMouseEnabled() ? view->onKeyUp(keyCode) : -1;
		if (result != -1)
			return result;
	}
	if (modalView)
		return modalView->onKeyUp(keyCode);
	return -1;
}

// ---------------------------------------------------------------------------
// Focus, modal view, activation

void CFrame::setFocusView(CView* view)
{
	if (view == focusView || (gFocusChangeInProgress && focusView))
		return;
	if (!active)
	{
		savedFocusView = view;
		return;
	}
	gFocusChangeInProgress = true;
	CView* oldFocus = focusView;
	focusView = (view && view->isAttached()) ? view : nullptr;
	if (focusView && focusView->wantsFocus())
	{
		focusView->invalid();
		notifyFocusAncestors(focusView, kMsgNewFocusView);
	}
	if (oldFocus)
	{
		if (oldFocus->wantsFocus())
		{
			oldFocus->invalid();
			notifyFocusAncestors(oldFocus, kMsgOldFocusView);
		}
		oldFocus->looseFocus();
	}
	if (focusView && focusView->wantsFocus())
		focusView->takeFocus();
	gFocusChangeInProgress = false;
}

void CFrame::notifyFocusAncestors(CView* view, const char* message)
{
	for (CView* parent = view->getParentView(); parent && parent != this; parent = parent->getParentView())
		parent->notify(view, message);
	notify(view, message);
}

CView* CFrame::getFocusView() const
{
	return focusView;
}

// With a modal view only the modal view is found.
CView* CFrame::getViewAt(const CPoint& where, bool deep) const
{
	if (modalView == nullptr)
		return CViewContainer::getViewAt(where, deep);
	if (!modalView->getViewSize().pointInsideClosed(where))
		return nullptr;
	CViewContainer* container = deep ? dynamic_cast<CViewContainer*>(modalView) : nullptr;
	return container ? container->getViewAt(where, true) : modalView;
}

CViewContainer* CFrame::getContainerAt(const CPoint& where, bool deep) const
{
	if (modalView == nullptr)
		return CViewContainer::getContainerAt(where, deep);
	CViewContainer* container = dynamic_cast<CViewContainer*>(modalView);
	if (container == nullptr || !modalView->getViewSize().pointInsideClosed(where))
		return nullptr;
	return deep ? container->getContainerAt(where, true) : container;
}

bool CFrame::advanceNextFocusView(CView* oldFocus, bool backwards)
{
	if (modalView)
	{
		if (CViewContainer* container = dynamic_cast<CViewContainer*>(modalView))
			return container->advanceNextFocusView(oldFocus, backwards);
		if (oldFocus == modalView)
			return false;
		setFocusView(modalView);
		return true;
	}
	if (oldFocus == nullptr)
		oldFocus = focusView;
	if (oldFocus == nullptr)
		return CViewContainer::advanceNextFocusView(nullptr, backwards);
	if (isChild(oldFocus))
	{
		if (CViewContainer::advanceNextFocusView(oldFocus, backwards))
			return true;
		setFocusView(nullptr);
		return false;
	}
	CView* child = oldFocus;
	for (CView* parent = oldFocus->getParentView(); parent; parent = parent->getParentView())
	{
		if (static_cast<CViewContainer*>(parent)->advanceNextFocusView(child, backwards))
			return true;
		child = parent;
	}
	return false;
}

bool CFrame::setModalView(CView* view)
{
	if (view == nullptr)
	{
		// Without a modal view there is nothing to restore; rechecking the
		// hover chain here would enter views that are about to be removed.
		if (modalView == nullptr)
			return true;
		dropModalView();
		CPoint where;
		getCurrentMouseLocation(where);
		checkMouseViews(where, getCurrentMouseButtons());
		return true;
	}
	if (modalView || view->isAttached())
		return false;
	modalView = view;
	addView(view);
	clearMouseViews(CPoint(), 0, true);
	if (CViewContainer* container = dynamic_cast<CViewContainer*>(view))
		container->advanceNextFocusView(nullptr, false);
	else
		setFocusView(view->wantsFocus() ? view : nullptr);
	return true;
}

// The caller of setModalView keeps its reference; only the list's goes.
void CFrame::dropModalView()
{
	if (CView* modal = modalView)
	{
		removeView(modal, false);
		modalView = nullptr;
	}
}

CView* CFrame::getModalView() const
{
	return modalView;
}

void CFrame::onActivate(bool state)
{
	if (active == state)
		return;
	if (state)
	{
		active = true;
		if (CView* saved = savedFocusView)
		{
			savedFocusView = nullptr;
			setFocusView(saved);
		}
		else
			advanceNextFocusView(nullptr, false);
		return;
	}
	savedFocusView = focusView;
	setFocusView(nullptr);
	active = false;
}

} // namespace VSTGUI
