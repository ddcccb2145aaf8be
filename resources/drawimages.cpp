// Draws the four pictures of Corvane's editor with the toolkit itself and
// writes them as PNG files into the folder given on the command line (the
// bundle's Resources folder at build time). Each is drawn twice from the
// same code: at its size, and at twice the resolution ("name@2x.png") for
// screens with a scale factor, so that text and edges are drawn, not
// enlarged.
//
// The layout they serve is fixed by the editor: a slider at (73, 94, 323,
// 154) whose 20-pixel handle travels 229 pixels from x = 73, and a read-out
// at (222, 70, 262, 94). The window picture's distance scale is computed
// from that travel, so every tick stands under the handle's centre at that
// distance.
#include "effect/distance.h"
#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cgradient.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/platform/linux/drawing/imagefile.h"
#include "gui/platform/linux/linuxplatform.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace VSTGUI;

namespace
{

constexpr double kWindowWidth = 400;
constexpr double kWindowHeight = 196;
constexpr double kSliderLeft = 73;
constexpr double kTrackWidth = 250;
constexpr double kTrackHeight = 60;
constexpr double kHandleWidth = 20;
// (int)(track width + 73 - handle width - 1) - 73: the handle's travel.
constexpr double kTravel = kTrackWidth - kHandleWidth - 1;

const CColor kInk{232, 238, 242, 255};
const CColor kDimInk{159, 179, 192, 255};
const CColor kFaintInk{111, 133, 148, 255};
const CColor kPanel{42, 56, 68, 255};
const CColor kPanelEdge{61, 80, 96, 255};
const CColor kGroove{13, 20, 24, 255};
const CColor kGrooveLight{88, 108, 122, 255};

// x of the handle's centre in the window at a distance in metres.
double handleCentre(double metres)
{
	return kSliderLeft + kHandleWidth / 2 + std::floor(valueOfMetres(metres) * kTravel);
}

void fillGradient(CDrawContext* context, const CRect& rect, double radius, const CColor& top, const CColor& bottom)
{
	CGraphicsPath* path = context->createRoundRectGraphicsPath(rect, radius);
	if (!path)
		return;
	if (CGradient* gradient = path->createGradient(0., 1., top, bottom))
	{
		context->fillLinearGradient(path, gradient, CPoint(rect.left, rect.top), CPoint(rect.left, rect.bottom));
		gradient->forget();
	}
	path->forget();
}

void text(CDrawContext* context, const char* string, const CRect& rect, double size, int32 style, const CColor& colour,
          CHoriTxtAlign align)
{
	auto* font = new CFontDesc("Arial", size, style);
	context->setFont(font);
	context->setFontColor(colour);
	context->drawString(string, rect, align);
	font->forget();
}

void drawScale(CDrawContext* context)
{
	context->setFrameColor(kDimInk);
	context->setLineWidth(1);
	for (int half = 1; half <= 10; half++)
	{
		double metres = half * 0.5;
		double x = std::floor(handleCentre(metres)) + 0.5;
		bool major = half == 1 || half % 2 == 0;
		context->moveTo(CPoint(x, 157));
		context->lineTo(CPoint(x, major ? 164 : 161));
		if (!major)
			continue;
		char label[8];
		std::snprintf(label, sizeof(label), half == 1 ? "%.1f" : "%.0f", metres);
		text(context, label, CRect(x - 15, 165, x + 15, 177), 9, kFontStyleNormal, kDimInk, kTextAlignCenter);
	}
	text(context, "metres", CRect(kSliderLeft, 179, kSliderLeft + kTrackWidth, 191), 9, kFontStyleNormal, kFaintInk,
	     kTextAlignCenter);
}

void drawWindow(CDrawContext* context)
{
	fillGradient(context, CRect(0, 0, kWindowWidth, kWindowHeight), 0, CColor{34, 46, 56, 255},
	             CColor{17, 24, 30, 255});
	text(context, "Corvane", CRect(20, 12, 220, 40), 24, kFontStyleBold, kInk, kTextAlignLeft);
	text(context, "near-field compensation", CRect(22, 40, 220, 54), 11, kFontStyleNormal, kDimInk, kTextAlignLeft);
	text(context, "Halvenor", CRect(260, 18, 380, 32), 10, kFontStyleNormal, kFaintInk, kTextAlignRight);

	CRect panel(56, 62, 340, 194);
	fillGradient(context, panel, 6, kPanel, CColor{33, 45, 55, 255});
	if (CGraphicsPath* edge = context->createRoundRectGraphicsPath(CRect(56.5, 62.5, 339.5, 193.5), 6))
	{
		context->setFrameColor(kPanelEdge);
		context->setLineWidth(1);
		context->drawGraphicsPath(edge, CDrawContext::kPathModeStroke);
		edge->forget();
	}
	text(context, "Loudspeaker Distance", CRect(73, 70, 218, 94), 11, kFontStyleBold, kInk, kTextAlignLeft);
	text(context, "m", CRect(266, 70, 290, 94), 11, kFontStyleNormal, kInk, kTextAlignLeft);
	drawScale(context);
}

void drawTrack(CDrawContext* context)
{
	double left = kHandleWidth / 2 - 3, right = kHandleWidth / 2 + kTravel + 3;
	fillGradient(context, CRect(left, 26, right, 34), 4, kGroove, CColor{30, 40, 47, 255});
	context->setFrameColor(kGrooveLight);
	context->setLineWidth(1);
	context->moveTo(CPoint(left + 3, 35));
	context->lineTo(CPoint(right - 3, 35));
}

void drawHandle(CDrawContext* context)
{
	fillGradient(context, CRect(2, 12, kHandleWidth - 2, kTrackHeight - 12), 4, CColor{236, 241, 244, 255},
	             CColor{160, 176, 188, 255});
	if (CGraphicsPath* edge = context->createRoundRectGraphicsPath(CRect(2.5, 12.5, kHandleWidth - 2.5, 47.5), 4))
	{
		context->setFrameColor(CColor{70, 88, 102, 255});
		context->setLineWidth(1);
		context->drawGraphicsPath(edge, CDrawContext::kPathModeStroke);
		edge->forget();
	}
	context->setFillColor(CColor{70, 88, 102, 255});
	context->drawRect(CRect(kHandleWidth / 2 - 1, 20, kHandleWidth / 2 + 1, 40), kShapeFilled);
}

void drawReadout(CDrawContext* context)
{
	fillGradient(context, CRect(0, 0, 40, 24), 4, CColor{214, 232, 214, 255}, CColor{190, 214, 192, 255});
	if (CGraphicsPath* edge = context->createRoundRectGraphicsPath(CRect(0.5, 0.5, 39.5, 23.5), 4))
	{
		context->setFrameColor(CColor{110, 138, 114, 255});
		context->setLineWidth(1);
		context->drawGraphicsPath(edge, CDrawContext::kPathModeStroke);
		edge->forget();
	}
}

bool makeImage(const std::string& path, double width, double height, double scaleFactor,
               const std::function<void(CDrawContext*)>& draw)
{
	COffscreenContext* context = createImageContext(width, height, scaleFactor);
	if (!context)
		return false;
	context->beginDraw();
	draw(context);
	context->endDraw();
	bool saved = savePNG(context->getBitmap(), path);
	context->forget();
	if (!saved)
		std::fprintf(stderr, "drawimages: cannot write %s\n", path.c_str());
	return saved;
}

} // namespace

int main(int argc, char** argv)
{
	VSTGUI::installLinuxPlatform();
	if (argc != 2)
	{
		std::fprintf(stderr, "usage: drawimages OUTPUT-FOLDER\n");
		return 2;
	}
	const std::string folder = argv[1];
	struct Picture
	{
		const char* name;
		double width;
		double height;
		void (*draw)(CDrawContext*);
	};
	const Picture pictures[] = {
	    {"bmp00128.png", kWindowWidth, kWindowHeight, drawWindow},
	    {"sliderbackground.png", kTrackWidth, kTrackHeight, drawTrack},
	    {"SliderHandle.png", kHandleWidth, kTrackHeight, drawHandle},
	    {"bmp00134.png", 40, 24, drawReadout},
	};
	bool ok = true;
	for (const Picture& picture : pictures)
	{
		ok = makeImage(folder + "/" + picture.name, picture.width, picture.height, 1., picture.draw) && ok;
		ok = makeImage(folder + "/" + CBitmap::highResolutionName(picture.name), picture.width, picture.height, 2.,
		               picture.draw) &&
		     ok;
	}
	return ok ? 0 : 1;
}
