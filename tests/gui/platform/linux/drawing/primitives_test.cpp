// One picture of every drawing primitive, for a person to look at:
// primitives.png in this test's build folder.
#include "gui/base/cfontdesc.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cgradient.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/drawing/clinestyle.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/platform/linux/drawing/imagefile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace VSTGUI;

namespace
{

const CColor kInk{20, 30, 40, 255};
const CColor kAccent{200, 60, 40, 255};
const CColor kCalm{40, 120, 200, 255};

void label(CDrawContext* context, const char* text, double x, double y, double width = 110)
{
	context->setFont(kNormalFontSmall);
	context->setFontColor(kInk);
	context->drawString(text, CRect(x, y, x + width, y + 14), kTextAlignLeft);
}

void drawLinesAndShapes(CDrawContext* context)
{
	context->setFrameColor(kInk);
	context->setLineWidth(1);
	context->moveTo(CPoint(10, 30));
	context->lineTo(CPoint(100, 30));
	label(context, "lineTo, width 1", 10, 10);

	context->setLineWidth(3);
	context->setLineStyle(kLineOnOffDash);
	context->moveTo(CPoint(130, 30));
	context->lineTo(CPoint(230, 30));
	context->setLineStyle(kLineSolid);
	label(context, "dashes, width 3", 130, 10);

	context->setLineWidth(1);
	context->setFillColor(kCalm);
	context->drawRect(CRect(10, 50, 60, 90), kShapeStroked);
	context->drawRect(CRect(70, 50, 120, 90), kShapeFilled);
	context->drawRect(CRect(130, 50, 180, 90), kShapeFilledAndStroked);
	label(context, "rectangles", 10, 92);

	CPoint polygon[] = {CPoint(200, 90), CPoint(230, 50), CPoint(260, 90)};
	context->drawPolygon(polygon, 3, kShapeStroked);
	label(context, "open polygon", 190, 92);

	context->setFillColor(kAccent);
	context->drawEllipse(CRect(10, 120, 70, 160), kShapeFilledAndStroked);
	context->drawArc(CRect(90, 120, 150, 160), 0.f, 90.f, kShapeFilled);
	context->drawArc(CRect(170, 120, 230, 160), 45.f, 270.f, kShapeStroked);
	label(context, "ellipse; arcs 0-90 and 45-270", 10, 162, 230);

	for (int i = 0; i < 10; i++)
		context->drawPoint(CPoint(250 + 3 * i, 140), kInk);
	label(context, "points", 250, 162);
}

void drawPathsAndText(CDrawContext* context)
{
	if (CGraphicsPath* path = context->createRoundRectGraphicsPath(CRect(290, 50, 390, 90), 8))
	{
		if (CGradient* gradient = path->createGradient(0., 1., kCalm, kAccent))
		{
			context->fillLinearGradient(path, gradient, CPoint(290, 50), CPoint(390, 90));
			gradient->forget();
		}
		path->forget();
	}
	label(context, "gradient in a path", 290, 92);

	context->setGlobalAlpha(0.5f);
	context->setFillColor(kAccent);
	context->drawRect(CRect(290, 120, 340, 160), kShapeFilled);
	context->setGlobalAlpha(1.f);
	label(context, "global alpha 0.5", 290, 162);

	const CFontDesc* fonts[] = {kNormalFontVeryBig, kNormalFont, kNormalFontSmall};
	double y = 185;
	for (const CFontDesc* font : fonts)
	{
		context->setFont(const_cast<CFontDesc*>(font));
		context->setFontColor(kInk);
		context->drawString("Loudspeaker Distance 2.75 m", CRect(10, y, 390, y + 24), kTextAlignLeft);
		y += 26;
	}
}

} // namespace

TEST(Primitives, EveryPrimitiveInOnePicture)
{
	COffscreenContext* context = createImageContext(400, 270);
	ASSERT_NE(context, nullptr);
	context->beginDraw();
	context->setFillColor(CColor{250, 250, 246, 255});
	context->drawRect(CRect(0, 0, 401, 271), kShapeFilled);
	drawLinesAndShapes(context);
	drawPathsAndText(context);
	context->endDraw();
	std::string path = std::string(CORVANE_TEST_OUTPUT_DIR) + "/primitives.png";
	EXPECT_TRUE(savePNG(context->getBitmap(), path));
	context->forget();
	std::ifstream file(path, std::ios::binary);
	char signature[8] = {};
	ASSERT_TRUE(file.read(signature, 8));
	EXPECT_EQ(std::string(signature + 1, 3), "PNG");
	file.seekg(0, std::ios::end);
	EXPECT_GT(file.tellg(), 2000); // a picture with content, not a blank
}
