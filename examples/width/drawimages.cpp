// Draws Corvane Width's pictures with the toolkit itself and writes them as
// PNG files into the folder given on the command line (at build time, the
// bundle's resources). The places come from widthlayout.h, which the editor
// uses too.
#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cgradient.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/platform/linux/drawing/imagefile.h"
#include "gui/platform/linux/linuxplatform.h"
#include "widthlayout.h"

#include <cstdio>
#include <functional>
#include <string>

using namespace VSTGUI;
namespace layout = width::layout;

namespace
{

const CColor kInk{226, 232, 236, 255};
const CColor kDimInk{150, 166, 178, 255};
const CColor kPanelTop{46, 54, 64, 255};
const CColor kPanelBottom{24, 29, 35, 255};
const CColor kEdge{70, 84, 96, 255};
const CColor kGroove{12, 16, 20, 255};

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

void strokeRoundRect(CDrawContext* context, const CRect& rect, double radius, const CColor& colour)
{
	if (CGraphicsPath* path = context->createRoundRectGraphicsPath(rect, radius))
	{
		context->setFrameColor(colour);
		context->setLineWidth(1);
		context->drawGraphicsPath(path, CDrawContext::kPathModeStroke);
		path->forget();
	}
}

void text(CDrawContext* context, const char* string, const CRect& rect, double size, int32 style, const CColor& colour,
          CHoriTxtAlign align = kTextAlignCenter)
{
	auto* font = new CFontDesc("Arial", size, style);
	context->setFont(font);
	context->setFontColor(colour);
	context->drawString(string, rect, align);
	font->forget();
}

void caption(CDrawContext* context, const char* string, double centre, double top)
{
	text(context, string, CRect(centre - 60, top, centre + 60, top + 14), 10, kFontStyleBold, kDimInk);
}

double centreOf(const CRect& rect)
{
	return (rect.left + rect.right) / 2;
}

void drawWindow(CDrawContext* context)
{
	fillGradient(context, CRect(0, 0, layout::kWindowWidth, layout::kWindowHeight), 0, kPanelTop, kPanelBottom);
	text(context, "Corvane Width", CRect(14, 6, 220, 26), 16, kFontStyleBold, kInk, kTextAlignLeft);
	text(context, "Halvenor", CRect(250, 8, 366, 24), 10, kFontStyleNormal, kDimInk, kTextAlignRight);
	caption(context, "WIDTH", centreOf(layout::kKnob), layout::kCaptionTop);
	caption(context, "GAIN", centreOf(layout::kGainSlider), layout::kCaptionTop);
	caption(context, "MODE", centreOf(layout::kModeMenu), layout::kModeCaptionTop);
	caption(context, "MUTE", centreOf(layout::kMuteButton), layout::kMuteCaptionTop);
}

void drawKnob(CDrawContext* context)
{
	double size = layout::kKnob.getWidth();
	CRect disc(16, 16, size - 16, size - 16);
	if (CGraphicsPath* path = context->createGraphicsPath())
	{
		path->addEllipse(disc);
		if (CGradient* gradient = path->createGradient(0., 1., CColor{84, 96, 108, 255}, CColor{34, 40, 48, 255}))
		{
			context->fillLinearGradient(path, gradient, CPoint(0, disc.top), CPoint(0, disc.bottom));
			gradient->forget();
		}
		context->setFrameColor(kEdge);
		context->setLineWidth(1);
		context->drawGraphicsPath(path, CDrawContext::kPathModeStroke);
		path->forget();
	}
}

void drawTrack(CDrawContext* context)
{
	const CRect& s = layout::kGainSlider;
	double centre = s.getWidth() / 2;
	double half = layout::kHandleHeight / 2;
	fillGradient(context, CRect(centre - 3, half - 3, centre + 3, s.getHeight() - half + 3), 3, kGroove,
	             CColor{36, 44, 52, 255});
	context->setFrameColor(kDimInk);
	context->setLineWidth(1);
	// Ticks at +12, 0 and -24 dB: the handle's centre at the top, two
	// thirds of the way up, and at the bottom.
	for (double fraction : {0., 1. / 3., 1.})
	{
		double y = static_cast<int>(half + fraction * (s.getHeight() - layout::kHandleHeight - 1)) + 0.5;
		context->moveTo(CPoint(2, y));
		context->lineTo(CPoint(8, y));
		context->moveTo(CPoint(s.getWidth() - 8, y));
		context->lineTo(CPoint(s.getWidth() - 2, y));
	}
}

void drawHandle(CDrawContext* context)
{
	double w = layout::kGainSlider.getWidth();
	fillGradient(context, CRect(3, 1, w - 3, layout::kHandleHeight - 1), 3, CColor{236, 241, 244, 255},
	             CColor{160, 176, 188, 255});
	strokeRoundRect(context, CRect(3.5, 1.5, w - 3.5, layout::kHandleHeight - 1.5), 3, CColor{70, 88, 102, 255});
	context->setFillColor(CColor{255, 176, 72, 255});
	context->drawRect(CRect(6, layout::kHandleHeight / 2 - 1, w - 6, layout::kHandleHeight / 2 + 1), kShapeFilled);
}

// Off on top, on below, each as tall as the button.
void drawMute(CDrawContext* context)
{
	double w = layout::kMuteButton.getWidth(), h = layout::kMuteButton.getHeight();
	fillGradient(context, CRect(1, 1, w - 1, h - 1), 5, CColor{70, 80, 92, 255}, CColor{40, 46, 54, 255});
	strokeRoundRect(context, CRect(1.5, 1.5, w - 1.5, h - 1.5), 5, kEdge);
	text(context, "OFF", CRect(0, 0, w, h), 11, kFontStyleBold, kDimInk);
	fillGradient(context, CRect(1, h + 1, w - 1, 2 * h - 1), 5, CColor{232, 84, 64, 255}, CColor{170, 44, 34, 255});
	strokeRoundRect(context, CRect(1.5, h + 1.5, w - 1.5, 2 * h - 1.5), 5, CColor{255, 150, 130, 255});
	text(context, "ON", CRect(0, h, w, 2 * h), 11, kFontStyleBold, kInk);
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

// Each picture at its size and, for HiDPI screens, at twice the resolution
// from the same drawing, as "name@2x.png".
bool makeImages(const std::string& folder, const char* name, double width, double height,
                const std::function<void(CDrawContext*)>& draw)
{
	bool ok = makeImage(folder + name, width, height, 1., draw);
	return makeImage(folder + CBitmap::highResolutionName(name), width, height, 2., draw) && ok;
}

} // namespace

int main(int argc, char** argv)
{
	installLinuxPlatform();
	if (argc != 2)
	{
		std::fprintf(stderr, "usage: width-drawimages OUTPUT-FOLDER\n");
		return 2;
	}
	std::string folder = std::string(argv[1]) + "/";
	const CRect& slider = layout::kGainSlider;
	const CRect& mute = layout::kMuteButton;
	bool ok = makeImages(folder, layout::kWindowPicture, layout::kWindowWidth, layout::kWindowHeight, drawWindow);
	ok = makeImages(folder, layout::kKnobPicture, layout::kKnob.getWidth(), layout::kKnob.getHeight(), drawKnob) && ok;
	ok = makeImages(folder, layout::kTrackPicture, slider.getWidth(), slider.getHeight(), drawTrack) && ok;
	ok = makeImages(folder, layout::kHandlePicture, slider.getWidth(), layout::kHandleHeight, drawHandle) && ok;
	ok = makeImages(folder, layout::kMutePicture, mute.getWidth(), 2 * mute.getHeight(), drawMute) && ok;
	return ok ? 0 : 1;
}
