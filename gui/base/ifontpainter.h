// Draws and measures text with one realised font. Implemented by the
// platform library; one object may be both IPlatformFont and IFontPainter.
#pragma once

namespace VSTGUI
{

class CDrawContext;
class CString;
struct CPoint;

class IFontPainter
{
public:
	virtual ~IFontPainter() = default;
	// Draws in the context's current font colour with the baseline starting at
	// point (context coordinates, y down); honours underline and strikethrough.
	virtual void drawString(CDrawContext* context, const CString& string, const CPoint& point,
	                        bool antialias = true) = 0;
	// The advance width of the whole text in points. context may be null; the
	// width never depends on it. Text without platform form measures 0.
	virtual double getStringWidth(CDrawContext* context, const CString& string, bool antialias = true) = 0;
};

} // namespace VSTGUI
