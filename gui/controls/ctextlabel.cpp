#include "gui/controls/ctextlabel.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/base/ifontpainter.h"

#include <cstring>

namespace VSTGUI
{

CTextLabel::CTextLabel(const CRect& size, const char* text, CBitmap* background, int32 style)
: CParamDisplay(size, background, style)
{
	setText(text);
}

void CTextLabel::setText(const char* newText)
{
	const char* wanted = newText ? newText : "";
	if (text == wanted)
		return;
	// assign copes with a text that lies inside the one it replaces.
	text.assign(wanted);
	setDirty(true);
}

const char* CTextLabel::getText() const
{
	return text.c_str();
}

void CTextLabel::draw(CDrawContext* context)
{
	drawBack(context, nullptr);
	drawText(context, text.c_str());
	setDirty(false);
}

bool CTextLabel::sizeToFit()
{
	IFontPainter* painter = fontID->getFontPainter();
	if (!painter)
		return false;
	CString measured(text.c_str());
	const double width = painter->getStringWidth(nullptr, measured, true);
	if (!(width > 0.))
		return false;
	CRect fitted(viewRect);
	fitted.right = fitted.left + width + 2. * textInset.x;
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

bool CTextLabel::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CTextLabel") == 0 || CParamDisplay::isTypeOf(className);
}

} // namespace VSTGUI
