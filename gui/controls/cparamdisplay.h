// A passive control that shows its value as text: a value-to-text procedure
// supplied by the owner (or "%2.2f" when there is none or it declines) gives
// the text, drawn over the background bitmap or a filled rectangle, with an
// optional frame, 3D edges and a shadow. It takes no mouse or key input.
//
// Ownership: the font is remembered while set and forgotten by the
// destructor; the procedure's user data belongs to the owner, who keeps it
// alive while the procedure is installed. User-interface thread only.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/textconstants.h"
#include "gui/controls/ccontrol.h"

#include <cstddef>

namespace VSTGUI
{

class CFontDesc;

// Style bits; others are not tested.
enum CParamDisplayStyle : int32
{
	kDisplayShadowText = 0x4,
	kDisplaySunken = 0x80,
	kDisplayRaised = 0x100,
	kDisplayNoText = 0x800,
	kDisplayNoDraw = 0x1000,
	kDisplayNoFrame = 0x4000
};

// Writes the UTF-8 text for value into text, a buffer of
// CParamDisplay::kTextBufferSize bytes (terminator included), and answers
// true; false leaves the display to its own formatting.
using CParamDisplayValueToStringProc = bool (*)(float value, char* text, void* userData);

class CParamDisplay : public CControl
{
public:
	static constexpr std::size_t kTextBufferSize = 256;

	// No listener, tag -1. background may be null. With kDisplayNoDraw the
	// display is not dirty after construction.
	CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32 style = 0);
	// Copies every field and remembers the font.
	CParamDisplay(const CParamDisplay& display);
	~CParamDisplay() override;

	// Remembers the new font and forgets the old one; a null font is refused.
	virtual void setFont(CFontDesc* font);
	// The colour setters mark the display dirty when the colour differs.
	virtual void setFontColor(CColor color);
	virtual void setBackColor(CColor color);
	virtual void setFrameColor(CColor color);
	virtual void setShadowColor(CColor color);
	// Stored only.
	virtual void setAntialias(bool state);
	// Marks the display dirty when the value differs.
	virtual void setHoriAlign(CHoriTxtAlign align);
	// Distance of the text from the left and right (x) and the top and bottom
	// (y) edges, in pixels. Stored only.
	virtual void setTextInset(const CPoint& inset);
	// procedure may be null; nothing is redrawn.
	virtual void setValueToStringProc(CParamDisplayValueToStringProc procedure, void* userData = nullptr);
	// Marks the display dirty when the value differs.
	virtual void setStyle(int32 style);
	// Stored and copied only; the view's own transparency decides the fill.
	virtual void setTextTransparency(bool state);
	// newBack, when given, is drawn instead of the background bitmap.
	virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
	// Nothing for a null or empty text or with kDisplayNoText.
	virtual void drawText(CDrawContext* context, const char* string);

	// Not owned by the caller.
	CFontDesc* getFont() const { return fontID; }
	CColor getFontColor() const { return fontColor; }
	CColor getBackColor() const { return backColor; }
	CColor getFrameColor() const { return frameColor; }
	CColor getShadowColor() const { return shadowColor; }
	CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
	int32 getStyle() const { return style; }
	CPoint getTextInset() const { return textInset; }
	bool getAntialias() const { return antialias; }
	bool getTextTransparency() const { return textTransparency; }
	CParamDisplayValueToStringProc getValueToStringProc() const { return valueToString; }
	void* getValueToStringUserData() const { return valueToStringUserData; }

	void draw(CDrawContext* context) override;
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CParamDisplay(*this); }

protected:
	// The text for the current value, always terminated within the buffer.
	void formatValue(char (&text)[kTextBufferSize]) const;
	void drawFilledBack(CDrawContext* context);
	void draw3DEdges(CDrawContext* context);

	CParamDisplayValueToStringProc valueToString{nullptr};
	void* valueToStringUserData{nullptr};
	CHoriTxtAlign horiTxtAlign{kTextAlignCenter};
	int32 style;
	CFontDesc* fontID{nullptr};
	CColor fontColor{kWhiteCColor};
	CColor backColor{kBlackCColor};
	CColor frameColor{kBlackCColor};
	CColor shadowColor{kRedCColor};
	CPoint textInset;
	bool textTransparency{true};
	bool antialias{true};
};

} // namespace VSTGUI
