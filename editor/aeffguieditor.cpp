#include "editor/aeffguieditor.h"

#include "gui/base/platformfactory.h"
#include "gui/drawing/pluginbundle.h"
#include "gui/views/cframe.h"
#include "gui/views/iplatformframe.h"
#include "host/audioeffectx.h"

#include <cmath>
#include <utility>

VstInt32 AEffGUIEditor::knobMode = 0;

namespace
{

AEffGUIEditor::TickSource gTickSource = nullptr;
AEffGUIEditor::EventLoopRunner gEventLoopRunner = nullptr;

} // namespace

AEffGUIEditor::AEffGUIEditor(void* effectPtr) : AEffEditor(static_cast<AudioEffect*>(effectPtr))
{
	if (effect)
		effect->setEditor(this);
	systemWindow = nullptr;
	lastTicks = getTicks();
	VSTGUI::gBundleRef = VSTGUI::GetPluginBundle();
	// The host opens the editor later, often much later: what the first
	// paint needs is begun now.
	VSTGUI::preparePlatform();
}

AEffGUIEditor::~AEffGUIEditor()
{
	// The variable keeps its value: another editor of the module may have
	// set it since, and the bundle object stays alive while any holds it.
	if (VSTGUI::gBundleRef)
		VSTGUI::gBundleRef->forget();
}

std::uint32_t AEffGUIEditor::getTicks()
{
	return gTickSource ? gTickSource() : VSTGUI::IPlatformFrame::getTicks();
}

void AEffGUIEditor::wait(std::uint32_t ms)
{
	if (gEventLoopRunner)
		gEventLoopRunner(ms);
	else
		VSTGUI::getPlatformEventLoop().runFor(ms);
}

void AEffGUIEditor::setTickSource(TickSource source)
{
	gTickSource = source;
}

void AEffGUIEditor::setEventLoopRunner(EventLoopRunner runner)
{
	gEventLoopRunner = runner;
}

namespace
{

std::int16_t scaledCoordinate(std::int16_t value, double factor)
{
	return static_cast<std::int16_t>(std::lround(value * factor));
}

} // namespace

ERect AEffGUIEditor::scaledRect(double factor) const
{
	return ERect{scaledCoordinate(rect.top, factor), scaledCoordinate(rect.left, factor),
	             scaledCoordinate(rect.bottom, factor), scaledCoordinate(rect.right, factor)};
}

double AEffGUIEditor::getScaleFactor() const
{
	if (frame && frame->getPlatformFrame())
		return frame->getScaleFactor();
	return requestedScale > 0. ? requestedScale : VSTGUI::getDesktopScaleFactor();
}

bool AEffGUIEditor::getRect(ERect** r)
{
	const double factor = getScaleFactor();
	if (!frame && factor != preparedScale)
	{
		preparedScale = factor;
		prepareForScaleFactor(factor);
	}
	reportedRect = scaledRect(factor);
	sizeReported = true;
	*r = &reportedRect;
	return true;
}

bool AEffGUIEditor::setContentScaleFactor(float factor)
{
	if (!(factor >= 1.f && factor <= 4.f))
		return false;
	requestedScale = factor;
	if (frame && frame->getPlatformFrame() && frame->getScaleFactor() != requestedScale)
	{
		frame->setScaleFactor(requestedScale);
		finishOpen();
	}
	return true;
}

void AEffGUIEditor::finishOpen()
{
	// A host that has not asked for the size yet asks after the open.
	ERect now = scaledRect(getScaleFactor());
	if (sizeReported && (now.right - now.left != reportedRect.right - reportedRect.left ||
	                     now.bottom - now.top != reportedRect.bottom - reportedRect.top))
	{
		reportedRect = now;
		requestHostSize(now.right - now.left, now.bottom - now.top);
	}
	VSTGUI::getPlatformEventLoop().paint();
}

bool AEffGUIEditor::requestHostSize(double width, double height)
{
	auto* fx = static_cast<AudioEffectX*>(effect);
	if (!fx || !fx->canHostDo(const_cast<char*>(HostCanDos::canDoSizeWindow)))
		return true;
	return fx->sizeWindow(static_cast<VstInt32>(width), static_cast<VstInt32>(height));
}

bool AEffGUIEditor::open(void* ptr)
{
	systemWindow = ptr;
	return false;
}

void AEffGUIEditor::idle()
{
	// The host's idle call is our only chance to run the window: native
	// events and due timers first, so the idle work sees their effects, and
	// painting last, so it shows them.
	VSTGUI::IPlatformEventLoop& loop = VSTGUI::getPlatformEventLoop();
	loop.dispatchEvents();
	if (!inIdle && frame)
		frame->idle();
	loop.paint();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
	return frame ? frame->onKeyDown(keyCode) > 0 : false;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
	return frame ? frame->onKeyUp(keyCode) > 0 : false;
}

bool AEffGUIEditor::onWheel(float distance)
{
	if (!frame)
		return false;
	VSTGUI::CPoint where(0, 0);
	frame->getCurrentMouseLocation(where);
	VSTGUI::CButtonState buttons = frame->getCurrentMouseButtons();
	return frame->onWheel(where, distance, buttons);
}

bool AEffGUIEditor::setKnobMode(VstInt32 val)
{
	knobMode = val;
	return true;
}

VSTGUI::int32 AEffGUIEditor::getKnobMode() const
{
	return knobMode;
}

void AEffGUIEditor::draw(ERect* area)
{
	if (!frame)
		return;
	VSTGUI::CRect r;
	if (area)
	{
		r = VSTGUI::CRect(area->left, area->top, area->right, area->bottom);
		if (r.left > r.right)
			std::swap(r.left, r.right);
		if (r.top > r.bottom)
			std::swap(r.top, r.bottom);
	}
	else
		frame->getViewSize(r);
	// The window draws through its back buffer: the area is invalidated and
	// painted now, which copies exactly that area to the screen.
	frame->invalidRect(r);
	VSTGUI::getPlatformEventLoop().paint();
}

void AEffGUIEditor::doIdleStuff()
{
	std::uint32_t t = getTicks();
	if (t < lastTicks)
	{
		wait(4);
		t += 4;
		if (t < lastTicks - 50)
			return;
	}
	idle();
	lastTicks = t + 100;
	inIdle = true;
	if (effect)
		effect->masterIdle();
	inIdle = false;
}

// The host sizes its window in device pixels.
bool AEffGUIEditor::beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect&)
{
	const double factor = getScaleFactor();
	const auto device = [factor](double extent) { return factor == 1. ? extent : std::round(extent * factor); };
	return requestHostSize(device(newSize.right - newSize.left), device(newSize.bottom - newSize.top));
}

// A gesture may bracket a nested edit (the default-value click inside a
// slider's press): the host hears only the outermost begin and end, so that
// one user gesture is one edit for its automation.
void AEffGUIEditor::beginEdit(VSTGUI::int32 index)
{
	if (editDepth[index]++ == 0 && effect)
		static_cast<AudioEffectX*>(effect)->beginEdit(index);
}

void AEffGUIEditor::endEdit(VSTGUI::int32 index)
{
	auto it = editDepth.find(index);
	if (it == editDepth.end())
		return; // an end without a begin is not passed on
	if (--it->second == 0)
	{
		editDepth.erase(it);
		if (effect)
			static_cast<AudioEffectX*>(effect)->endEdit(index);
	}
}
