// A parameter display that shows a fixed text instead of its value.
//
// Ownership: the label keeps its own copy of the text, never null (empty
// when none was given); the font is the display's. User-interface thread
// only.
#pragma once

#include "gui/controls/cparamdisplay.h"

#include <string>

namespace VSTGUI
{

class CTextLabel : public CParamDisplay
{
public:
	// text and background may be null.
	CTextLabel(const CRect& size, const char* text = nullptr, CBitmap* background = nullptr, int32 style = 0);
	CTextLabel(const CTextLabel& label) = default;

	// UTF-8; copied. Null stands for the empty text. The same text (byte for
	// byte) changes nothing; another one marks the label dirty. The text may
	// point into the label's own text.
	virtual void setText(const char* text);
	// Owned by the label; valid until the next setText.
	virtual const char* getText() const;

	void draw(CDrawContext* context) override;
	// Width of the text in the label's font plus the text inset on both
	// sides; left, top and bottom stay. false, and nothing changes, without
	// a font painter or for a text that measures nothing.
	bool sizeToFit() override;
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CTextLabel(*this); }

protected:
	std::string text;
};

} // namespace VSTGUI
