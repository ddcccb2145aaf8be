// corvane-gallery: draws every control of the toolkit in a few states into
// one PNG image, offscreen, with pictures it paints itself at run time.
//
// Usage: corvane-gallery [--scale F] OUTPUT.png | [--scale F] --window
// F (1 to 4, 1.5 say) draws at that many device pixels per unit, as on a
// HiDPI screen.
// Exit status: 0 written, 1 the image could not be drawn or written, 2 usage.
#include "gallerylayout.h"

#include "gui/controls/canimknob.h"
#include "gui/controls/chorizontalswitch.h"
#include "gui/controls/ckickbutton.h"
#include "gui/controls/cknob.h"
#include "gui/controls/conoffbutton.h"
#include "gui/controls/coptionmenu.h"
#include "gui/controls/cparamdisplay.h"
#include "gui/controls/cslider.h"
#include "gui/controls/ctextedit.h"
#include "gui/controls/ctextlabel.h"
#include "gui/controls/cverticalswitch.h"
#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "gui/platform/linux/linuxplatform.h"
#include "gui/platform/linux/window/x11hostwindow.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "gui/views/cframe.h"
#include "gui/views/iplatformframe.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

namespace
{

using namespace VSTGUI;
using namespace CorvaneGallery;

const CColor kInk(235, 235, 235, 255);

// The bitmap a painting context drew on; the caller owns the reference.
CBitmap* finish(CairoDrawContext* context)
{
	context->endDraw();
	CBitmap* bitmap = context->getBitmap();
	bitmap->remember();
	context->forget();
	return bitmap;
}

void fill(CDrawContext* context, const CRect& rect, const CColor& color)
{
	context->setFillColor(color);
	context->drawRect(rect, kShapeFilled);
}

// A dial face with a pointer at angle (radians, y down).
void paintDial(CDrawContext* context, const CRect& rect, double angle)
{
	CRect face(rect);
	face.inset(6, 6);
	context->setDrawMode(kDrawModeAntialiased);
	context->setFrameColor(kInk);
	context->setLineWidth(3.);
	context->drawEllipse(face, kShapeStroked);
	const CPoint centre(face.left + face.getWidth() / 2., face.top + face.getHeight() / 2.);
	const double reach = face.getWidth() / 2. - 4.;
	context->moveTo(centre);
	context->lineTo(CPoint(centre.x + std::cos(angle) * reach, centre.y + std::sin(angle) * reach));
}

CBitmap* makeFilmStrip()
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(kCell, kCell * kAnimFrames);
	for (int frame = 0; frame < kAnimFrames; ++frame)
	{
		const CRect image(0, frame * kCell, kCell, (frame + 1) * kCell);
		fill(context, image, animFrameColor(frame));
		const double angle = (135. + 270. * frame / (kAnimFrames - 1)) * std::numbers::pi / 180.;
		paintDial(context, image, angle);
	}
	return finish(context);
}

// count images of one cell each, in a row or a column, with a dot per
// position number so that the images also differ in shape.
CBitmap* makeStrip(int count, const CColor* colors, bool sideBySide)
{
	CairoDrawContext* context =
	    CairoDrawContext::createOffscreen(sideBySide ? kCell * count : kCell, sideBySide ? kCell : kCell * count);
	for (int index = 0; index < count; ++index)
	{
		const CRect image = sideBySide ? CRect(index * kCell, 0, (index + 1) * kCell, kCell)
		                               : CRect(0, index * kCell, kCell, (index + 1) * kCell);
		fill(context, image, colors[index]);
		for (int dot = 0; dot <= index; ++dot)
			fill(context,
			     CRect(image.left + 8 + dot * 10, image.bottom - 14, image.left + 14 + dot * 10, image.bottom - 8),
			     kInk);
	}
	return finish(context);
}

CBitmap* makeKnobFace()
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(kCell, kCell);
	context->setDrawMode(kDrawModeAntialiased);
	context->setFillColor(CColor(70, 80, 100, 255));
	context->drawEllipse(CRect(2, 2, kCell - 2, kCell - 2), kShapeFilled);
	return finish(context);
}

CBitmap* makeDot(int size, const CColor& color)
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(size, size);
	context->setDrawMode(kDrawModeAntialiased);
	context->setFillColor(color);
	context->drawEllipse(CRect(0, 0, size, size), kShapeFilled);
	return finish(context);
}

// The frame takes over the view's reference.
template <typename T> T* place(CFrame* frame, T* view)
{
	frame->addView(view);
	return view;
}

void addKnobs(CFrame* frame, CBitmap* face, CBitmap* handle)
{
	const float values[] = {0.f, 0.5f, 1.f};
	for (int column = 0; column < 3; ++column)
		place(frame, new CKnob(cellRect(kRowKnobs, column), nullptr, 0, nullptr, nullptr))->setValue(values[column]);
	place(frame, new CKnob(cellRect(kRowKnobs, 3), nullptr, 0, face, handle))->setValue(0.25f);
	auto* thick = place(frame, new CKnob(cellRect(kRowKnobs, 4), nullptr, 0, face, nullptr));
	thick->setHandleLineWidth(3.);
	thick->setValue(0.75f);
}

void addKnobStyles(CFrame* frame)
{
	struct Style
	{
		int32 bits;
		float value;
	};
	const Style styles[] = {{kKnobCorona, 0.6f},
	                        {kKnobCorona | kKnobCoronaFromCenter, 0.3f},
	                        {kKnobCorona | kKnobCoronaInverted | kKnobCoronaOutline, 0.4f},
	                        {kKnobCorona | kKnobCoronaDashed | kKnobCoronaOutline, 0.7f},
	                        {kKnobHandleCircle | kKnobCoronaOutline, 0.8f}};
	for (int column = 0; column < kColumns; ++column)
	{
		auto* knob = place(frame, new CKnob(cellRect(kRowKnobStyles, column), nullptr, 0, nullptr, nullptr, CPoint(),
		                                    styles[column].bits));
		knob->setCoronaInset(4.);
		knob->setHandleLineWidth(3.);
		knob->setCoronaColor(kOnColor);
		knob->setValue(styles[column].value);
	}
}

void addAnimKnobs(CFrame* frame, CBitmap* filmStrip)
{
	const float values[] = {0.f, 0.5f, 1.f, 0.25f};
	for (int column = 0; column < 4; ++column)
	{
		auto* knob = place(frame, new CAnimKnob(cellRect(kRowAnimKnobs, column), nullptr, 0, filmStrip));
		knob->setInverseBitmap(column == 3);
		knob->setValue(values[column]);
	}
}

void addButtons(CFrame* frame, CBitmap* twoImages)
{
	place(frame, new COnOffButton(cellRect(kRowButtons, 0), nullptr, 0, twoImages))->setValue(0.f);
	place(frame, new COnOffButton(cellRect(kRowButtons, 1), nullptr, 0, twoImages))->setValue(1.f);
	place(frame, new CKickButton(cellRect(kRowButtons, 2), nullptr, 0, twoImages))->setValue(0.f);
	place(frame, new CKickButton(cellRect(kRowButtons, 3), nullptr, 0, twoImages))->setValue(1.f);
}

void addSwitches(CFrame* frame, CBitmap* column, CBitmap* row)
{
	for (int position = 0; position < kSwitchPositions; ++position)
	{
		const float value = static_cast<float>(position) / (kSwitchPositions - 1);
		place(frame, new CVerticalSwitch(cellRect(kRowVerticalSwitches, position), nullptr, 0, column))
		    ->setValue(value);
		place(frame, new CHorizontalSwitch(cellRect(kRowHorizontalSwitches, position), nullptr, 0, row))
		    ->setValue(value);
	}
}

void addSliders(CFrame* frame, CBitmap* handle)
{
	const float values[] = {0.25f, 0.75f};
	for (int column = 0; column < 2; ++column)
	{
		CRect rect = cellRect(kRowSliders, column);
		rect.inset(0, 22);
		auto* slider = place(frame, new CHorizontalSlider(rect, nullptr, 0, static_cast<int32>(rect.left),
		                                                  static_cast<int32>(rect.right), nullptr, nullptr));
		slider->setDrawStyle(kSliderDrawFrame | kSliderDrawBack | kSliderDrawValue);
		slider->setFrameColor(kInk);
		slider->setBackColor(kOffColor);
		slider->setValueColor(kOnColor);
		slider->setValue(values[column]);
	}
	CRect rect = cellRect(kRowSliders, 2);
	rect.inset(22, 0);
	auto* vertical =
	    place(frame, new CVerticalSlider(rect, nullptr, 0, static_cast<int32>(rect.top),
	                                     static_cast<int32>(rect.bottom - handle->getHeight()), handle, nullptr));
	vertical->setValue(0.5f);
}

void addText(CFrame* frame)
{
	auto* display = place(frame, new CParamDisplay(cellRect(kRowText, 0)));
	display->setValue(0.5f);
	CRect wide = cellRect(kRowText, 1);
	wide.right = cellRect(kRowText, 2).right;
	place(frame, new CTextLabel(wide, "Corvane"));

	CRect field = cellRect(kRowText, 3);
	field.top += kCell / 3;
	field.bottom -= kCell / 3;
	auto* edit = place(frame, new CTextEdit(field, nullptr, 0, "2.75"));
	edit->setBackColor(CColor(250, 250, 246, 255));
	edit->setFontColor(CColor(20, 30, 40, 255));

	CRect choice = cellRect(kRowText, 4);
	choice.top += kCell / 3;
	choice.bottom -= kCell / 3;
	auto* menu = place(frame, new COptionMenu(choice, nullptr, 1));
	menu->addEntry("Near");
	menu->addEntry("Mid");
	menu->addEntry("-");
	auto* more = new COptionMenu();
	more->addEntry("Far");
	more->addEntry("Very far");
	menu->addEntry(more, "More");
	more->forget(); // the entry holds the sub-menu now
	menu->setValue(1.f);
}

void addControls(CFrame* frame)
{
	const CColor twoColors[] = {kOffColor, kOnColor};
	CBitmap* pictures[] = {makeKnobFace(),
	                       makeDot(12, CColor(80, 160, 255, 255)),
	                       makeFilmStrip(),
	                       makeStrip(2, twoColors, false),
	                       makeStrip(kSwitchPositions, kPositionColors, false),
	                       makeStrip(kSwitchPositions, kPositionColors, true),
	                       makeDot(20, kInk)};
	addKnobs(frame, pictures[0], pictures[1]);
	addKnobStyles(frame);
	addAnimKnobs(frame, pictures[2]);
	addButtons(frame, pictures[3]);
	addSwitches(frame, pictures[4], pictures[5]);
	addSliders(frame, pictures[6]);
	addText(frame);
	// The controls hold their own references now.
	for (CBitmap* picture : pictures)
		picture->forget();
}

bool writePng(CairoDrawContext* context, const char* path)
{
	auto* pixels = static_cast<CairoBitmap*>(context->getBitmap()->getPlatformBitmap());
	cairo_surface_t* surface = pixels ? pixels->getSurface() : nullptr;
	return surface && cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
}

bool renderGallery(const char* path, double scale)
{
	const CRect bounds(0, 0, kWidth, kHeight);
	auto* frame = new CFrame(bounds, nullptr, nullptr);
	frame->setBackgroundColor(kBackground);
	addControls(frame);
	CairoDrawContext* context = CairoDrawContext::createOffscreen(kWidth, kHeight, scale);
	frame->drawRect(context, bounds);
	context->endDraw();
	const bool written = writePng(context, path);
	context->forget();
	frame->close();
	return written;
}

// The same controls, live, in a window of their own until it is closed.
int showGallery(double scale)
{
	std::string error;
	auto window = X11HostWindow::create("Corvane gallery", static_cast<int>(std::round(kWidth * scale)),
	                                    static_cast<int>(std::round(kHeight * scale)), error);
	if (!window)
	{
		std::fprintf(stderr, "corvane-gallery: %s\n", error.c_str());
		return 1;
	}
	const CRect bounds(0, 0, kWidth, kHeight);
	auto* frame = new CFrame(bounds, reinterpret_cast<void*>(window->getWindowId()), nullptr);
	if (!frame->getPlatformFrame())
	{
		frame->close();
		std::fprintf(stderr, "corvane-gallery: could not open a window\n");
		return 1;
	}
	frame->setScaleFactor(scale);
	frame->setBackgroundColor(kBackground);
	addControls(frame);
	while (window->processEvents())
	{
		X11RunLoop::dispatchEvents();
		frame->idle();
		X11RunLoop::paint();
		X11RunLoop::runFor(30);
	}
	frame->close();
	return 0;
}

} // namespace

int usage(const char* problem)
{
	std::fprintf(stderr,
	             "corvane-gallery: %s\nusage: corvane-gallery [--scale F] OUTPUT.png\n"
	             "       corvane-gallery [--scale F] --window\n",
	             problem);
	return 2;
}

int main(int argc, char* argv[])
{
	VSTGUI::installLinuxPlatform();
	double scale = 1.;
	int next = 1;
	if (argc > 2 && std::string(argv[1]) == "--scale")
	{
		char* end = nullptr;
		scale = std::strtod(argv[2], &end);
		if (end == argv[2] || *end != '\0' || !(scale >= 1. && scale <= 4.))
			return usage("--scale takes a factor from 1 to 4");
		next = 3;
	}
	if (argc != next + 1)
		return usage("one output file, or --window");
	if (std::string(argv[next]) == "--window")
		return showGallery(scale);
	if (!renderGallery(argv[next], scale))
	{
		std::fprintf(stderr, "corvane-gallery: could not write %s\n", argv[next]);
		return 1;
	}
	return 0;
}
