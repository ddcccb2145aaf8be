#include "viewtestsupport.h"

#include "gui/views/cdragcontainer.h"

#include "gui/drawing/cbitmap.h"

#include "tests/support/testplatform.h"

namespace {

// The window layer is not part of these tests: the frame opens on a
// recording stand-in.
[[maybe_unused]] const bool kPlatformInstalled = VSTGUI::test::installLinuxPlatformWith(
    [](VSTGUI::IPlatformFrameCallback*, const VSTGUI::CRect& size, void*) -> VSTGUI::IPlatformFrame* {
	    VSTGUI::test::TestPlatformFrame::lastCreated = new VSTGUI::test::TestPlatformFrame(size);
	    return VSTGUI::test::TestPlatformFrame::lastCreated;
    },
    [] { return VSTGUI::uint32{4242}; });

} // namespace

namespace VSTGUI::test {

namespace {

std::string describe(const CPoint& p)
{
	return std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y));
}

void log(const std::string& who, const std::string& what)
{
	eventLog().push_back(who + ":" + what);
}

std::string controlName(CControl* control)
{
	return "control" + std::to_string(control->getTag());
}

} // namespace

std::vector<std::string>& eventLog()
{
	static std::vector<std::string> entries;
	return entries;
}

void clearLog()
{
	eventLog().clear();
}

int& liveObjects()
{
	static int count = 0;
	return count;
}

TestPlatformFrame* TestPlatformFrame::lastCreated = nullptr;

bool TestPlatformFrame::getGlobalPosition(CPoint& position) const
{
	position = CPoint(100, 200);
	return true;
}

bool TestPlatformFrame::setSize(const CRect& newSize)
{
	setSizeCalls.push_back(newSize);
	if (acceptSize)
		size = newSize;
	return acceptSize;
}

bool TestPlatformFrame::getSize(CRect& result) const
{
	result = size;
	return true;
}

bool TestPlatformFrame::getCurrentMousePosition(CPoint& position) const
{
	position = mousePosition;
	return true;
}

bool TestPlatformFrame::getCurrentMouseButtons(CButtonState& buttons) const
{
	buttons |= mouseButtons;
	return true;
}

bool TestPlatformFrame::setMouseCursor(CCursorType type)
{
	lastCursor = type;
	return true;
}

bool TestPlatformFrame::invalidRect(const CRect& rect)
{
	invalidRects.push_back(rect);
	return true;
}

CFrame* makeFrame(const CRect& size, VSTGUIEditorInterface* editor)
{
	static int parentWindow = 0;
	return new CFrame(size, &parentWindow, editor);
}

TestPlatformFrame* platformOf(CFrame* frame)
{
	return static_cast<TestPlatformFrame*>(frame->getPlatformFrame());
}

MouseEventResult RecordingView::onMouseDown(CPoint& where, const CButtonState&)
{
	lastPoint = where;
	log(name, "down " + describe(where));
	if (onDown)
		onDown();
	return downAnswer;
}

MouseEventResult RecordingView::onMouseUp(CPoint& where, const CButtonState&)
{
	lastPoint = where;
	log(name, "up " + describe(where));
	return kMouseHandled;
}

MouseEventResult RecordingView::onMouseMoved(CPoint& where, const CButtonState&)
{
	lastPoint = where;
	log(name, "moved " + describe(where));
	return moveAnswer;
}

MouseEventResult RecordingView::onMouseEntered(CPoint&, const CButtonState&)
{
	log(name, "entered");
	return kMouseHandled;
}

MouseEventResult RecordingView::onMouseExited(CPoint&, const CButtonState&)
{
	log(name, "exited");
	return kMouseHandled;
}

bool RecordingView::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
	log(name, "wheel " + std::to_string(static_cast<int>(distance)));
	return wheelAnswer;
}

int32 RecordingView::onKeyDown(VstKeyCode&)
{
	log(name, "key");
	return keyAnswer;
}

void RecordingView::takeFocus()
{
	log(name, "takeFocus");
}

void RecordingView::looseFocus()
{
	log(name, "looseFocus");
}

void RecordingView::onIdle()
{
	++idleCalls;
	log(name, "idle");
	if (idleAction)
		idleAction();
}

bool RecordingView::onDrop(CDragContainer* drag, const CPoint& where)
{
	std::string what;
	int32 size = 0;
	int32 type = CDragContainer::kError;
	if (drag)
	{
		for (void* item = drag->first(size, type); item; item = drag->next(size, type))
			what += " " + std::to_string(type) + ":" + std::string(static_cast<const char*>(item), size);
	}
	log(name, "drop " + describe(where) + what);
	return true;
}

void RecordingView::onDragEnter(CDragContainer*, const CPoint& where)
{
	log(name, "dragEnter " + describe(where));
}

void RecordingView::onDragLeave(CDragContainer*, const CPoint&)
{
	log(name, "dragLeave");
}

void RecordingView::onDragMove(CDragContainer*, const CPoint& where)
{
	log(name, "dragMove " + describe(where));
}

void RecordingView::draw(CDrawContext* context)
{
	if (drawColor.alpha > 0)
	{
		context->setFillColor(drawColor);
		context->drawRect(viewRect, kShapeFilled);
	}
	CView::draw(context);
}

MouseEventResult RecordingContainer::onMouseEntered(CPoint&, const CButtonState&)
{
	log(name, "entered");
	return kMouseHandled;
}

MouseEventResult RecordingContainer::onMouseExited(CPoint&, const CButtonState&)
{
	log(name, "exited");
	return kMouseHandled;
}

int32 RecordingContainer::onKeyDown(VstKeyCode&)
{
	log(name, "key");
	return keyAnswer;
}

void TestControl::draw(CDrawContext* context)
{
	if (drawColor.alpha > 0)
	{
		context->setFillColor(drawColor);
		context->drawRect(viewRect, kShapeFilled);
	}
	setDirty(false);
}

void RecordingListener::valueChanged(CControl* control)
{
	log(controlName(control), "valueChanged " + std::to_string(control->getValue()));
}

int32 RecordingListener::controlModifierClicked(CControl* control, CButtonState buttons)
{
	log(controlName(control), "modifierClicked " + std::to_string(buttons()));
	return modifierClickAnswer;
}

void RecordingListener::controlBeginEdit(CControl* control)
{
	log(controlName(control), "beginEdit");
}

void RecordingListener::controlEndEdit(CControl* control)
{
	log(controlName(control), "endEdit");
}

void RecordingListener::controlTagWillChange(CControl* control)
{
	log(controlName(control), "tagWillChange");
}

void RecordingListener::controlTagDidChange(CControl* control)
{
	log(controlName(control), "tagDidChange");
}

bool RecordingEditor::beforeSizeChange(const CRect&, const CRect&)
{
	eventLog().push_back("editor:beforeSizeChange");
	return allowResize;
}

CRect RecordingPath::getBoundingBox()
{
	bool first = true;
	CRect bounds;
	for (const Element& element : elements)
	{
		if (element.type != Element::kRect)
			continue;
		if (first)
			bounds = element.rect;
		else
			bounds.unite(element.rect);
		first = false;
	}
	return bounds;
}

CRect RecordingContext::toSurface(const CRect& rect) const
{
	CRect result(rect);
	return result.offset(getOffset());
}

void RecordingContext::drawRect(const CRect& rect, const CDrawStyle)
{
	fills.push_back({"rect", toSurface(rect), getFillColor(), getGlobalAlpha()});
	CRect clip;
	clipsAtDraw.push_back(toSurface(getClipRect(clip)));
}

void RecordingContext::drawBitmap(CBitmap*, const CRect& dest, const CPoint&, float alpha)
{
	fills.push_back({"bitmap", toSurface(dest), kTransparentCColor, alpha * getGlobalAlpha()});
}

void RecordingContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode, CGraphicsTransform*)
{
	fills.push_back({"path", toSurface(path->getBoundingBox()), getFillColor(), getGlobalAlpha()});
}

} // namespace VSTGUI::test
