#include "gui/controls/cparamdisplay.h"

#include "gui/base/cfontdesc.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace VSTGUI
{

namespace
{

constexpr int32 kDisplay3DEdges = kDisplaySunken | kDisplayRaised;
constexpr int32 kDisplayNoFrameRect = kDisplayNoFrame | kDisplay3DEdges;

// rect cut to bounds; edges that cross collapse onto the near one.
CRect boundedBy(CRect rect, const CRect& bounds)
{
	rect.left = std::max(rect.left, bounds.left);
	rect.top = std::max(rect.top, bounds.top);
	rect.right = std::min(rect.right, bounds.right);
	rect.bottom = std::min(rect.bottom, bounds.bottom);
	rect.right = std::max(rect.right, rect.left);
	rect.bottom = std::max(rect.bottom, rect.top);
	return rect;
}

} // namespace

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32 style)
: CControl(size, nullptr, -1, background), style(style), fontID(kNormalFont)
{
	fontID->remember();
	if (style & kDisplayNoDraw)
		setDirty(false);
}

CParamDisplay::CParamDisplay(const CParamDisplay& display)
: CControl(display), valueToString(display.valueToString), valueToStringUserData(display.valueToStringUserData),
  horiTxtAlign(display.horiTxtAlign), style(display.style), fontID(display.fontID), fontColor(display.fontColor),
  backColor(display.backColor), frameColor(display.frameColor), shadowColor(display.shadowColor),
  textInset(display.textInset), textTransparency(display.textTransparency), antialias(display.antialias)
{
	fontID->remember();
}

CParamDisplay::~CParamDisplay()
{
	fontID->forget();
}

bool CParamDisplay::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CParamDisplay") == 0 || CControl::isTypeOf(className);
}

void CParamDisplay::setFont(CFontDesc* font)
{
	if (!font)
		return;
	setDirty(true);
	font->remember();
	fontID->forget();
	fontID = font;
}

void CParamDisplay::setFontColor(CColor color)
{
	if (!(color == fontColor))
		setDirty(true);
	fontColor = color;
}

void CParamDisplay::setBackColor(CColor color)
{
	if (!(color == backColor))
		setDirty(true);
	backColor = color;
}

void CParamDisplay::setFrameColor(CColor color)
{
	if (!(color == frameColor))
		setDirty(true);
	frameColor = color;
}

void CParamDisplay::setShadowColor(CColor color)
{
	if (!(color == shadowColor))
		setDirty(true);
	shadowColor = color;
}

void CParamDisplay::setAntialias(bool state)
{
	antialias = state;
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
	if (align != horiTxtAlign)
		setDirty(true);
	horiTxtAlign = align;
}

void CParamDisplay::setTextInset(const CPoint& inset)
{
	textInset = inset;
}

void CParamDisplay::setValueToStringProc(CParamDisplayValueToStringProc procedure, void* userData)
{
	valueToString = procedure;
	valueToStringUserData = userData;
}

void CParamDisplay::setStyle(int32 newStyle)
{
	if (newStyle != style)
		setDirty(true);
	style = newStyle;
}

void CParamDisplay::setTextTransparency(bool state)
{
	textTransparency = state;
}

void CParamDisplay::formatValue(char (&text)[kTextBufferSize]) const
{
	text[0] = 0;
	if (!valueToString || !valueToString(value, text, valueToStringUserData))
		std::snprintf(text, kTextBufferSize, "%2.2f", static_cast<double>(value));
	// A procedure that filled the whole buffer may have left no terminator.
	text[kTextBufferSize - 1] = 0;
}

void CParamDisplay::draw(CDrawContext* context)
{
	if (style & kDisplayNoDraw)
	{
		// Nothing to show, but a value change must not keep it dirty.
		setDirty(false);
		return;
	}
	char text[kTextBufferSize];
	formatValue(text);
	drawBack(context, nullptr);
	drawText(context, text);
	setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack)
{
	context->setDrawMode(kDrawModeAliased);
	if (CBitmap* back = newBack ? newBack : pBackground)
		back->draw(context, viewRect, getBackOffset(), 1.f);
	else if (!getTransparency())
		drawFilledBack(context);
	if (style & kDisplay3DEdges)
		draw3DEdges(context);
}

void CParamDisplay::drawFilledBack(CDrawContext* context)
{
	context->setFillColor(backColor);
	context->drawRect(viewRect, kShapeFilled);
	if (style & kDisplayNoFrameRect)
		return;
	context->setLineStyle(kLineSolid);
	context->setLineWidth(1.);
	context->setFrameColor(frameColor);
	context->drawRect(viewRect, kShapeStroked);
}

void CParamDisplay::draw3DEdges(CDrawContext* context)
{
	context->setLineWidth(1.);
	context->setLineStyle(kLineSolid);
	const bool sunken = (style & kDisplaySunken) != 0;
	const CRect& r = viewRect;
	context->setFrameColor(sunken ? backColor : frameColor);
	context->moveTo(CPoint(r.left, r.bottom));
	context->lineTo(CPoint(r.left, r.top + 1.));
	context->lineTo(CPoint(r.right - 1., r.top + 1.));
	context->setFrameColor(sunken ? frameColor : backColor);
	context->moveTo(CPoint(r.right - 1., r.top + 1.));
	context->lineTo(CPoint(r.right - 1., r.bottom));
	context->lineTo(CPoint(r.left, r.bottom));
}

void CParamDisplay::drawText(CDrawContext* context, const char* string)
{
	if ((style & kDisplayNoText) || !string || !*string)
		return;
	CRect textRect(viewRect.left + textInset.x, viewRect.top + textInset.y, viewRect.right - textInset.x,
	               viewRect.bottom - textInset.y);
	CRect oldClip;
	context->getClipRect(oldClip);
	context->setClipRect(boundedBy(textRect, oldClip));
	context->setFont(fontID, 0., -1);
	if (style & kDisplayShadowText)
	{
		CRect shadowRect(textRect);
		context->setFontColor(shadowColor);
		context->drawString(string, shadowRect.offset(1., 1.), horiTxtAlign, antialias);
	}
	context->setFontColor(fontColor);
	context->drawString(string, textRect, horiTxtAlign, antialias);
	context->setClipRect(oldClip);
}

} // namespace VSTGUI
