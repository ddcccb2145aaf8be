#include "gui/drawing/cdrawcontext.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/base/ifontpainter.h"
#include "gui/base/iplatformfont.h"
#include "gui/drawing/cgraphicspath.h"

#include <cstring>

namespace VSTGUI
{

CDrawContext::CDrawContext(const CRect& surfaceRect) : surfaceRect(surfaceRect) {}

CDrawContext::~CDrawContext()
{
	for (auto& state : stateStack)
	{
		if (state.font)
			state.font->forget();
	}
	stateStack.clear();
	if (currentState.font)
		currentState.font->forget();
	if (drawStringObject)
		drawStringObject->forget();
}

bool CDrawContext::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CDrawContext") == 0) || CBaseObject::isTypeOf(className);
}

void CDrawContext::init()
{
	setFrameColor(kWhiteCColor);
	setLineStyle(kLineSolid);
	setLineWidth(1.);
	setFillColor(kBlackCColor);
	setFontColor(kWhiteCColor);
	setFont(kSystemFont, 0., -1);
	setDrawMode(kDrawModeAliased);
	setClipRect(surfaceRect);
}

void CDrawContext::moveTo(const CPoint& point)
{
	currentState.penLoc = point;
}

void CDrawContext::setLineStyle(const CLineStyle& style)
{
	currentState.lineStyle = style;
}

void CDrawContext::setLineWidth(double width)
{
	currentState.frameWidth = width;
}

void CDrawContext::setDrawMode(CDrawMode mode)
{
	currentState.drawMode = mode;
}

void CDrawContext::setClipRect(const CRect& clip)
{
	currentState.clipRect = clip;
	currentState.clipRect.offset(currentState.offset);
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
	clip = currentState.clipRect;
	clip.offsetInverse(currentState.offset);
	return clip;
}

void CDrawContext::resetClipRect()
{
	currentState.clipRect = surfaceRect;
}

void CDrawContext::setFillColor(const CColor& color)
{
	currentState.fillColor = color;
}

void CDrawContext::setFrameColor(const CColor& color)
{
	currentState.frameColor = color;
}

void CDrawContext::setFontColor(const CColor& color)
{
	currentState.fontColor = color;
}

void CDrawContext::setFont(CFontDesc* font, const double& size, const int32& style)
{
	if (!font)
		return;
	CFontDesc* held = nullptr;
	const bool otherSize = size > 0. && size != font->getSize();
	const bool otherStyle = style != -1 && style != font->getStyle();
	if (otherSize || otherStyle)
		held = dynamic_cast<CFontDesc*>(font->newCopy());
	if (held)
	{
		if (size > 0.)
			held->setSize(size);
		if (style != -1)
			held->setStyle(style);
	}
	else
	{
		held = font;
		held->remember();
	}
	if (currentState.font)
		currentState.font->forget();
	currentState.font = held;
}

void CDrawContext::setGlobalAlpha(float newAlpha)
{
	currentState.globalAlpha = newAlpha;
}

void CDrawContext::saveGlobalState()
{
	stateStack.push_back(currentState);
	if (currentState.font)
		currentState.font->remember();
}

void CDrawContext::restoreGlobalState()
{
	if (stateStack.empty())
		return;
	if (currentState.font)
		currentState.font->forget();
	// The saved record's font reference passes to the current state.
	currentState = std::move(stateStack.back());
	stateStack.pop_back();
}

void CDrawContext::setOffset(const CPoint& offset)
{
	currentState.offset = offset;
}

CString* CDrawContext::getDrawString(const char* string)
{
	if (drawStringObject)
		drawStringObject->setUTF8String(string);
	else
		drawStringObject = new CString(string);
	return drawStringObject;
}

void CDrawContext::clearDrawString()
{
	if (drawStringObject)
		drawStringObject->setUTF8String(nullptr);
}

double CDrawContext::getStringWidth(const char* string)
{
	IFontPainter* painter = (string && currentState.font) ? currentState.font->getFontPainter() : nullptr;
	if (!painter)
		return -1.;
	const double width = painter->getStringWidth(this, *getDrawString(string), true);
	clearDrawString();
	return width;
}

namespace
{

double baselineIn(const CRect& rect, CFontDesc& font)
{
	auto* platformFont = font.getPlatformFont();
	const double capHeight = platformFont ? platformFont->getCapHeight() : 0.;
	if (capHeight > 0.)
		return rect.bottom - (rect.getHeight() / 2. - capHeight / 2.);
	return rect.bottom - (rect.getHeight() / 2. - font.getSize() / 2. + 1.);
}

} // namespace

void CDrawContext::drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign, bool antialias)
{
	CFontDesc* font = currentState.font;
	IFontPainter* painter = (string && font) ? font->getFontPainter() : nullptr;
	if (!painter)
		return;
	CString* text = getDrawString(string);
	const double y = baselineIn(rect, *font);
	double x = rect.left;
	if (hAlign != kTextAlignLeft)
	{
		const double width = painter->getStringWidth(this, *text, antialias);
		x = hAlign == kTextAlignRight ? rect.right - width : rect.left + rect.getWidth() / 2. - width / 2.;
	}
	const CRect savedSurfaceClip = currentState.clipRect;
	CRect oldClip;
	getClipRect(oldClip);
	CRect textClip(rect);
	setClipRect(textClip.bound(oldClip));
	painter->drawString(this, *text, CPoint(x, y), antialias);
	setClipRect(oldClip);
	// Subtracting and re-adding the offset may round; the clip must come back
	// bit for bit.
	currentState.clipRect = savedSurfaceClip;
	clearDrawString();
}

void CDrawContext::drawString(const char* string, const CPoint& point, bool antialias)
{
	IFontPainter* painter = (string && currentState.font) ? currentState.font->getFontPainter() : nullptr;
	if (!painter)
		return;
	painter->drawString(this, *getDrawString(string), point, antialias);
	clearDrawString();
}

CGraphicsPath* CDrawContext::createRoundRectGraphicsPath(const CRect& rect, double radius)
{
	CGraphicsPath* path = createGraphicsPath();
	if (path)
		path->addRoundRect(rect, radius);
	return path;
}

} // namespace VSTGUI
