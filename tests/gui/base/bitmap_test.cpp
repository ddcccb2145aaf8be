#include "tests/gui/base/fakeplatform.h"

#include "gui/drawing/cbitmappixelaccess.h"
#include "gui/drawing/cnineparttiledbitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace VSTGUI;

namespace
{

class BitmapTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CFontDesc::cleanup();
		Fake::Platform::reset();
	}
	void TearDown() override { CFontDesc::cleanup(); }
};

} // namespace

TEST_F(BitmapTest, NumericResourcesAreLookedUpAsFiveDigitNamesWithFourExtensionsInOrder)
{
	EXPECT_EQ(CResourceDescription(7).getFileNameCandidates(),
	          (std::vector<std::string>{"bmp00007.png", "bmp00007.bmp", "bmp00007.jpg", "bmp00007.pict"}));
	EXPECT_EQ(CResourceDescription("SliderHandle.png").getFileNameCandidates(),
	          std::vector<std::string>{"SliderHandle.png"});
	EXPECT_TRUE(CResourceDescription().getFileNameCandidates().empty());
	EXPECT_EQ(CResourceDescription(static_cast<const char*>(nullptr)).type, CResourceDescription::kUnknownType);

	Fake::Platform::resources["bmp00128.jpg"] = CPoint(4, 3);
	CBitmap bitmap(128);
	EXPECT_EQ(Fake::Platform::lookups, (std::vector<std::string>{"bmp00128.png", "bmp00128.bmp", "bmp00128.jpg"}));
	EXPECT_EQ(bitmap.getWidth(), 4.);
	EXPECT_EQ(bitmap.getHeight(), 3.);
	EXPECT_EQ(bitmap.getResourceDescription().type, CResourceDescription::kIntegerType);
	EXPECT_EQ(bitmap.getResourceDescription().u.id, 128);
}

TEST_F(BitmapTest, MissingResourceLeavesABitmapWithoutPixelsThatDrawsNothingVisible)
{
	CBitmap missing("nothere.png");
	EXPECT_EQ(missing.getPlatformBitmap(), nullptr);
	EXPECT_EQ(missing.getWidth(), 0.);
	EXPECT_EQ(missing.getHeight(), 0.);
	EXPECT_EQ(CBitmapPixelAccess::create(&missing), nullptr);
	EXPECT_TRUE(missing.isTypeOf("CBitmap"));
	EXPECT_EQ(missing.newCopy(), nullptr);

	Fake::RecordingContext context(CRect(0, 0, 50, 50));
	missing.draw(&context, CRect(0, 0, 10, 10));
	ASSERT_EQ(context.bitmaps.size(), 1u);
	EXPECT_EQ(context.bitmaps[0].bitmap->getPlatformBitmap(), nullptr);
}

TEST_F(BitmapTest, DrawSkipsRectanglesOutsideTheClipAndPassesOffsetAndAlpha)
{
	CBitmap bitmap(20, 20);
	Fake::RecordingContext context(CRect(0, 0, 100, 100));
	context.setOffset(CPoint(10, 10));
	context.setClipRect(CRect(0, 0, 30, 30));
	bitmap.draw(&context, CRect(30, 0, 50, 20));
	bitmap.draw(&context, CRect(-40, -40, -20, -20));
	EXPECT_TRUE(context.bitmaps.empty());

	bitmap.draw(&context, CRect(25, 25, 45, 45), CPoint(3, 4), 0.5f);
	ASSERT_EQ(context.bitmaps.size(), 1u);
	EXPECT_EQ(context.bitmaps[0].bitmap, &bitmap);
	EXPECT_EQ(context.bitmaps[0].dest, CRect(25, 25, 45, 45));
	EXPECT_EQ(context.bitmaps[0].offset, CPoint(3, 4));
	EXPECT_EQ(context.bitmaps[0].alpha, 0.5f);
	bitmap.draw(nullptr, CRect(0, 0, 1, 1));
}

TEST_F(BitmapTest, PlatformBitmapsAreCountedByEveryHolder)
{
	IPlatformBitmap* platform = IPlatformBitmap::create(nullptr);
	auto* bitmap = new CBitmap(platform);
	EXPECT_EQ(platform->getNbReference(), 2);
	auto* other = new CBitmap();
	other->setPlatformBitmap(platform);
	other->setPlatformBitmap(platform);
	EXPECT_EQ(platform->getNbReference(), 3);
	other->setPlatformBitmap(nullptr);
	EXPECT_EQ(platform->getNbReference(), 2);
	other->forget();
	bitmap->forget();
	EXPECT_EQ(platform->getNbReference(), 1);
	platform->forget();
}

TEST_F(BitmapTest, OffscreenContextTakesItsSurfaceFromTheBitmapAndHoldsIt)
{
	auto* bitmap = new CBitmap(30, 20);
	auto* offscreen = new Fake::RecordingContext(bitmap);
	EXPECT_EQ(bitmap->getNbReference(), 2);
	EXPECT_EQ(offscreen->getSurfaceRect(), CRect(0, 0, 30, 20));
	EXPECT_EQ(offscreen->getWidth(), 30.);
	EXPECT_EQ(offscreen->getBitmap(), bitmap);

	Fake::RecordingContext target(CRect(0, 0, 100, 100));
	offscreen->copyFrom(&target, CRect(5, 5, 35, 25), CPoint(1, 2));
	ASSERT_EQ(target.bitmaps.size(), 1u);
	EXPECT_EQ(target.bitmaps[0].bitmap, bitmap);
	EXPECT_EQ(target.bitmaps[0].offset, CPoint(1, 2));
	EXPECT_EQ(target.bitmaps[0].alpha, 1.f);

	bitmap->forget();
	offscreen->forget();

	Fake::RecordingContext plain(CRect(0, 0, 8, 8));
	plain.copyFrom(&target, CRect(0, 0, 8, 8));
	EXPECT_EQ(target.bitmaps.size(), 1u);
	EXPECT_EQ(plain.getBitmap(), nullptr);
}

TEST_F(BitmapTest, NinePartRectsFollowTheOffsetsAndSwapCrossedInnerLines)
{
	CNinePartTiledBitmap bitmap(IPlatformBitmap::create(nullptr), {10, 5, 20, 15});
	bitmap.getPlatformBitmap()->forget();
	CRect parts[CNinePartTiledBitmap::kPartCount];
	bitmap.calcPartRects(CRect(0, 0, 100, 50), bitmap.getPartOffsets(), parts);
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartTopLeft], CRect(0, 0, 10, 5));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartTop], CRect(10, 0, 80, 5));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartRight], CRect(80, 5, 100, 35));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartCenter], CRect(10, 5, 80, 35));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartBottomRight], CRect(80, 35, 100, 50));

	bitmap.calcPartRects(CRect(0, 0, 20, 10), bitmap.getPartOffsets(), parts);
	// x1 = 10 and x2 = 0 are exchanged, as are y1 = 5 and y2 = -5.
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartTopLeft], CRect(0, -5, 0, 0));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartCenter], CRect(0, -5, 10, 5));
	EXPECT_EQ(parts[CNinePartTiledBitmap::kPartBottomRight], CRect(10, 5, 20, 10));
	EXPECT_TRUE(bitmap.isTypeOf("CNinePartTiledBitmap"));
	EXPECT_TRUE(bitmap.isTypeOf("CBitmap"));
}

TEST_F(BitmapTest, NinePartDrawingKeepsCornersAndTilesEdgesAndCentre)
{
	Fake::Platform::resources["frame.png"] = CPoint(30, 30);
	CNinePartTiledBitmap bitmap(CResourceDescription("frame.png"), {10, 10, 10, 10});
	Fake::RecordingContext context(CRect(0, 0, 200, 200));
	bitmap.draw(&context, CRect(0, 0, 100, 50), CPoint(99, 99));

	std::set<std::pair<double, double>> corners;
	int top = 0, left = 0, centre = 0;
	for (const auto& d : context.bitmaps)
	{
		const CRect r = d.dest;
		EXPECT_EQ(r.getWidth(), 10.);
		EXPECT_EQ(r.getHeight(), 10.);
		const bool xEdge = r.left == 0 || r.left == 90;
		const bool yEdge = r.top == 0 || r.top == 40;
		if (xEdge && yEdge)
		{
			corners.insert({r.left, r.top});
			EXPECT_EQ(d.offset, CPoint(r.left == 0 ? 0 : 20, r.top == 0 ? 0 : 20));
		}
		else if (yEdge)
		{
			top += r.top == 0;
			EXPECT_EQ(d.offset.x, 10);
		}
		else if (xEdge)
		{
			left += r.left == 0;
			EXPECT_EQ(d.offset.y, 10);
		}
		else
		{
			++centre;
			EXPECT_EQ(d.offset, CPoint(10, 10));
		}
	}
	EXPECT_EQ(corners.size(), 4u);
	EXPECT_EQ(top, 8);
	EXPECT_EQ(left, 3);
	EXPECT_EQ(centre, 8 * 3);
	EXPECT_EQ(context.bitmaps.size(), 4u + 2 * 8 + 2 * 3 + 24);
}

TEST_F(BitmapTest, NinePartTilesAreCutAtTheDestinationAndSkippedOutsideTheClip)
{
	Fake::Platform::resources["frame.png"] = CPoint(30, 30);
	CNinePartTiledBitmap bitmap(CResourceDescription("frame.png"), {10, 10, 10, 10});
	Fake::RecordingContext context(CRect(0, 0, 200, 200));
	// Centre part: 25 wide and 10 high between the borders.
	bitmap.draw(&context, CRect(0, 0, 45, 30));
	std::vector<double> centreWidths;
	for (const auto& d : context.bitmaps)
		if (d.dest.top == 10 && d.dest.left >= 10 && d.dest.left < 35)
			centreWidths.push_back(d.dest.getWidth());
	EXPECT_EQ(centreWidths, (std::vector<double>{10, 10, 5}));

	context.bitmaps.clear();
	context.setClipRect(CRect(0, 0, 10, 10));
	bitmap.draw(&context, CRect(0, 0, 45, 30));
	ASSERT_EQ(context.bitmaps.size(), 1u);
	EXPECT_EQ(context.bitmaps[0].dest, CRect(0, 0, 10, 10));
}

namespace
{

class OpenNinePart : public CNinePartTiledBitmap
{
public:
	OpenNinePart() : CNinePartTiledBitmap(nullptr, {}) {}
	using CNinePartTiledBitmap::drawPart;
};

} // namespace

TEST_F(BitmapTest, NinePartTilingEndsWhereTheStepIsLostInRoundingAndDrawsOnlyTouchedTiles)
{
	OpenNinePart bitmap;
	Fake::RecordingContext context(CRect(0, 0, 200, 200));
	// At 1e17 adding 4 rounds back to the same value: a walk that adds the
	// step would never end. Such tiles are empty, so nothing is drawn.
	context.setOffset(CPoint(-1e17, 0));
	context.resetClipRect();
	bitmap.drawPart(&context, CRect(0, 0, 4, 4), CRect(1e17, 0, 1e17 + 64, 4));
	EXPECT_TRUE(context.bitmaps.empty());

	Fake::RecordingContext small(CRect(0, 0, 1000, 20));
	small.setClipRect(CRect(500, 0, 520, 10));
	bitmap.drawPart(&small, CRect(0, 0, 10, 10), CRect(0, 0, 1000, 10));
	ASSERT_EQ(small.bitmaps.size(), 2u);
	EXPECT_EQ(small.bitmaps[0].dest, CRect(500, 0, 510, 10));
	EXPECT_EQ(small.bitmaps[1].dest, CRect(510, 0, 520, 10));
}

TEST_F(BitmapTest, PixelAccessStepsInRowOrderAndStopsAtTheLastPixel)
{
	CBitmap bitmap(2, 2);
	auto* access = CBitmapPixelAccess::create(&bitmap);
	ASSERT_NE(access, nullptr);
	EXPECT_EQ(Fake::Platform::openAccesses, 1);
	std::vector<std::pair<uint32, uint32>> visited{{access->getX(), access->getY()}};
	int steps = 0;
	while (++(*access))
	{
		visited.push_back({access->getX(), access->getY()});
		++steps;
	}
	EXPECT_EQ(steps, 3);
	EXPECT_EQ(visited, (std::vector<std::pair<uint32, uint32>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
	EXPECT_FALSE(++(*access));
	EXPECT_TRUE(access->setPosition(1, 1));
	EXPECT_FALSE(access->setPosition(2, 0));
	EXPECT_FALSE(access->setPosition(0, 2));
	EXPECT_EQ(access->getX(), 1u);
	EXPECT_EQ(access->getY(), 1u);
	access->forget();
	EXPECT_EQ(Fake::Platform::openAccesses, 0);
}

TEST_F(BitmapTest, PixelAccessAddressesRowsByTheirPaddedLength)
{
	CBitmap bitmap(3, 2);
	auto* platform = dynamic_cast<Fake::Bitmap*>(bitmap.getPlatformBitmap());
	ASSERT_EQ(platform->bytesPerRow, 16);
	auto* access = CBitmapPixelAccess::create(&bitmap);
	ASSERT_TRUE(access->setPosition(2, 1));
	access->setColor(CColor(1, 2, 3, 4));
	EXPECT_EQ(platform->pixels[16 + 8 + 2], 1);
	ASSERT_TRUE(access->setPosition(2, 0));
	ASSERT_TRUE(++(*access));
	CColor c;
	access->getColor(c);
	EXPECT_EQ(c, CColor(0, 0, 0, 0));
	ASSERT_TRUE(++(*access) && ++(*access));
	access->getColor(c);
	EXPECT_EQ(c, CColor(1, 2, 3, 4));
	access->forget();
}

TEST_F(BitmapTest, EachPixelOrderMapsItsBytesToTheSameColour)
{
	struct Case
	{
		IPlatformBitmapPixelAccess::PixelFormat format;
		uint8 bytes[4];
	};
	// The colour red 30, green 20, blue 10, alpha 255 in each byte order.
	const Case cases[] = {
	    {IPlatformBitmapPixelAccess::kPixelOrderARGB, {255, 30, 20, 10}},
	    {IPlatformBitmapPixelAccess::kPixelOrderRGBA, {30, 20, 10, 255}},
	    {IPlatformBitmapPixelAccess::kPixelOrderABGR, {255, 10, 20, 30}},
	    {IPlatformBitmapPixelAccess::kPixelOrderBGRA, {10, 20, 30, 255}},
	};
	for (const auto& c : cases)
	{
		Fake::Platform::pixelFormat = c.format;
		CBitmap bitmap(1, 1);
		auto* platform = dynamic_cast<Fake::Bitmap*>(bitmap.getPlatformBitmap());
		std::copy(c.bytes, c.bytes + 4, platform->pixels.begin());
		auto* access = CBitmapPixelAccess::create(&bitmap, false);
		ASSERT_NE(access, nullptr);
		CColor colour;
		access->getColor(colour);
		EXPECT_EQ(colour, CColor(30, 20, 10, 255)) << c.format;
		access->setColor(CColor(1, 2, 3, 4));
		access->getColor(colour);
		EXPECT_EQ(colour, CColor(1, 2, 3, 4)) << c.format;
		access->forget();
	}
}

TEST_F(BitmapTest, PixelAccessRefusesUnknownFormatsAndEmptyBitmapsWithoutLeakingTheLock)
{
	Fake::Platform::pixelFormat = static_cast<IPlatformBitmapPixelAccess::PixelFormat>(9);
	CBitmap odd(2, 2);
	EXPECT_EQ(CBitmapPixelAccess::create(&odd), nullptr);
	EXPECT_EQ(Fake::Platform::openAccesses, 0);
	Fake::Platform::pixelFormat = IPlatformBitmapPixelAccess::kPixelOrderBGRA;
	CBitmap empty(0, 0);
	EXPECT_EQ(CBitmapPixelAccess::create(&empty), nullptr);
	EXPECT_EQ(CBitmapPixelAccess::create(nullptr), nullptr);
}
