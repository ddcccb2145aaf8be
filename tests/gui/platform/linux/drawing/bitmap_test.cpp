// Cairo bitmaps: resource lookup in a bundle of the test's own, decoding with
// gdk-pixbuf, pixel layout and premultiplication, and placement by drawBitmap.
#include "platformtestsupport.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cbitmappixelaccess.h"
#include "gui/drawing/pluginbundle.h"
#include "gui/platform/linux/drawing/cairobitmap.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace VSTGUI::Test
{
namespace
{

// Each pixel's colour names its position: red = 10 * x, green = 10 * y.
CColor positionColour(int x, int y)
{
	return CColor(static_cast<uint8>(10 * x), static_cast<uint8>(10 * y), 200, 255);
}

struct BitmapDeleter
{
	void operator()(CBaseObject* object) const { object->forget(); }
};
using BitmapPtr = std::unique_ptr<CBitmap, BitmapDeleter>;

class BitmapTest : public RenderTest
{
protected:
	TemporaryBundle bundle;
};

TEST_F(BitmapTest, PngBmpAndJpegLoadByNameWithTheirColours)
{
	writeImage(bundle.resource("a.png"), "png", 5, 4, positionColour);
	writeImage(bundle.resource("b.bmp"), "bmp", 5, 4, positionColour);
	writeImage(bundle.resource("c.jpg"), "jpeg", 8, 8, [](int, int) { return CColor(40, 160, 80, 255); });
	BitmapPtr png(new CBitmap(CResourceDescription("a.png")));
	BitmapPtr bmp(new CBitmap(CResourceDescription("b.bmp")));
	BitmapPtr jpeg(new CBitmap(CResourceDescription("c.jpg")));
	EXPECT_EQ(png->getWidth(), 5.);
	EXPECT_EQ(png->getHeight(), 4.);
	EXPECT_EQ(pixelAt(png.get(), 3, 2), positionColour(3, 2));
	EXPECT_EQ(bmp->getWidth(), 5.);
	EXPECT_EQ(pixelAt(bmp.get(), 4, 3), positionColour(4, 3)) << "a three-channel image is opaque";
	ASSERT_EQ(jpeg->getWidth(), 8.);
	const CColor jpegColour = pixelAt(jpeg.get(), 4, 4);
	EXPECT_NEAR(jpegColour.red, 40, 4);
	EXPECT_NEAR(jpegColour.green, 160, 4);
	EXPECT_NEAR(jpegColour.blue, 80, 4);
	EXPECT_EQ(jpegColour.alpha, 255);
}

TEST_F(BitmapTest, NumberedResourceTriesPngBmpJpgPictInThatOrder)
{
	writeImage(bundle.resource("bmp00007.jpg"), "jpeg", 3, 3, positionColour);
	BitmapPtr jpgOnly(new CBitmap(CResourceDescription(7)));
	EXPECT_EQ(jpgOnly->getWidth(), 3.);
	writeImage(bundle.resource("bmp00007.bmp"), "bmp", 2, 2, positionColour);
	BitmapPtr bmpFirst(new CBitmap(CResourceDescription(7)));
	EXPECT_EQ(bmpFirst->getWidth(), 2.);
	writeImage(bundle.resource("bmp00007.png"), "png", 1, 1, positionColour);
	BitmapPtr pngFirst(new CBitmap(CResourceDescription(7)));
	EXPECT_EQ(pngFirst->getWidth(), 1.);
	// The decoder goes by content, so any image named .pict is accepted.
	writeImage(bundle.resource("bmp12345.pict"), "png", 4, 1, positionColour);
	BitmapPtr pict(new CBitmap(CResourceDescription(12345)));
	EXPECT_EQ(pict->getWidth(), 4.);
}

TEST_F(BitmapTest, MissingResourceGivesABitmapWithoutPlatformBitmap)
{
	BitmapPtr missing(new CBitmap(CResourceDescription("nothing.png")));
	EXPECT_EQ(missing->getPlatformBitmap(), nullptr);
	EXPECT_EQ(missing->getWidth(), 0.);
	BitmapPtr numbered(new CBitmap(CResourceDescription(128)));
	EXPECT_EQ(numbered->getPlatformBitmap(), nullptr);
}

TEST_F(BitmapTest, LoadWithoutBundleFails)
{
	writeImage(bundle.resource("a.png"), "png", 2, 2, positionColour);
	PluginBundle* saved = gBundleRef;
	gBundleRef = nullptr;
	auto* bitmap = new CairoBitmap();
	EXPECT_FALSE(bitmap->load(CResourceDescription("a.png")));
	bitmap->forget();
	gBundleRef = saved;
}

TEST_F(BitmapTest, SecondLoadIsRefused)
{
	writeImage(bundle.resource("a.png"), "png", 2, 2, positionColour);
	writeImage(bundle.resource("b.png"), "png", 3, 3, positionColour);
	auto* bitmap = new CairoBitmap();
	EXPECT_TRUE(bitmap->load(CResourceDescription("a.png")));
	EXPECT_FALSE(bitmap->load(CResourceDescription("b.png")));
	EXPECT_EQ(bitmap->getSize(), CPoint(2, 2));
	EXPECT_FALSE(bitmap->load(CResourceDescription("b.png"))) << "also refused once decoded";
	bitmap->forget();
	auto* sized = new CairoBitmap(CPoint(4, 4));
	EXPECT_FALSE(sized->load(CResourceDescription("a.png")));
	sized->forget();
}

// Loading reads only the header; the pixels are read from the file when they
// are first needed.
TEST_F(BitmapTest, DecodingIsDeferredToTheFirstUse)
{
	writeImage(bundle.resource("a.png"), "png", 2, 2, [](int, int) { return kRedCColor; });
	auto* bitmap = new CairoBitmap();
	ASSERT_TRUE(bitmap->load(CResourceDescription("a.png")));
	writeImage(bundle.resource("a.png"), "png", 2, 2, [](int, int) { return kGreenCColor; });
	BitmapPtr wrapper(new CBitmap(bitmap));
	bitmap->forget();
	EXPECT_EQ(pixelAt(wrapper.get(), 1, 1), kGreenCColor);
}

CColor noise(int x, int y)
{
	return CColor(static_cast<uint8>(x * 37 + y), static_cast<uint8>(y * 91 + x * 5), static_cast<uint8>(x ^ y), 255);
}

TEST_F(BitmapTest, CorruptFileGivesNoBitmap)
{
	std::FILE* file = std::fopen(bundle.resource("corrupt.png").c_str(), "wb");
	ASSERT_NE(file, nullptr);
	std::fputs("\x89PNG\r\n\x1a\n but then nothing an image should hold", file);
	std::fclose(file);
	BitmapPtr corrupt(new CBitmap(CResourceDescription("corrupt.png")));
	EXPECT_EQ(corrupt->getPlatformBitmap(), nullptr);
	EXPECT_EQ(corrupt->getWidth(), 0.);
	EXPECT_EQ(IPlatformBitmap::createFromPath(bundle.resource("corrupt.png").c_str()), nullptr);
}

// PNG chunks end in the CRC-32 of their type and data.
uint32_t pngCrc(const unsigned char* bytes, std::size_t size)
{
	uint32_t crc = 0xFFFFFFFFu;
	for (std::size_t i = 0; i < size; ++i)
	{
		crc ^= bytes[i];
		for (int bit = 0; bit < 8; ++bit)
			crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
	}
	return ~crc;
}

// A small, valid PNG whose header is rewritten to declare another size.
void writePngDeclaring(const std::string& path, uint32_t width, uint32_t height)
{
	writeImage(path, "png", 2, 2, noise);
	std::FILE* file = std::fopen(path.c_str(), "r+b");
	ASSERT_NE(file, nullptr);
	// Signature (8), length (4), then "IHDR", the 13 data bytes and the CRC.
	unsigned char chunk[17];
	std::fseek(file, 12, SEEK_SET);
	ASSERT_EQ(std::fread(chunk, 1, sizeof(chunk), file), sizeof(chunk));
	for (int i = 0; i < 4; ++i)
	{
		chunk[4 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
		chunk[8 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
	}
	const uint32_t crc = pngCrc(chunk, sizeof(chunk));
	const unsigned char crcBytes[] = {static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
	                                  static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
	std::fseek(file, 12, SEEK_SET);
	std::fwrite(chunk, 1, sizeof(chunk), file);
	std::fwrite(crcBytes, 1, sizeof(crcBytes), file);
	std::fclose(file);
}

// Only the header is read: a file that declares more than 8192 pixels in
// either direction is refused before anything is decoded.
TEST_F(BitmapTest, ImagesDeclaringMoreThanTheLimitAreRefusedFromTheirHeader)
{
	writePngDeclaring(bundle.resource("huge.png"), 16000, 16000);
	writePngDeclaring(bundle.resource("wide.png"), 8193, 1);
	writePngDeclaring(bundle.resource("limit.png"), 8192, 2);
	for (const char* name : {"huge.png", "wide.png"})
	{
		BitmapPtr refused(new CBitmap(CResourceDescription(name)));
		EXPECT_EQ(refused->getPlatformBitmap(), nullptr) << name;
		EXPECT_EQ(refused->getWidth(), 0.) << name;
		EXPECT_EQ(IPlatformBitmap::createFromPath(bundle.resource(name).c_str()), nullptr) << name;
	}
	// At the limit the header is believed; its pixels are missing, so the
	// decode then fails as for any truncated file.
	BitmapPtr atLimit(new CBitmap(CResourceDescription("limit.png")));
	EXPECT_NE(atLimit->getPlatformBitmap(), nullptr);
}

// The headers of the truncated files are intact, so the failure shows only
// when the pixels are decoded: then the bitmap is empty, never half drawn.
TEST_F(BitmapTest, TruncatedFilesOfEveryFormatDecodeToAnEmptyBitmap)
{
	makeContext(8, 8);
	for (const std::string type : {"png", "bmp", "jpeg"})
	{
		writeImage(bundle.resource("whole." + type), type, 64, 64, noise);
		const auto size = std::filesystem::file_size(bundle.resource("whole." + type));
		writeTruncatedCopy(bundle.resource("whole." + type), bundle.resource("cut." + type), size / 2);
		BitmapPtr whole(new CBitmap(CResourceDescription(("whole." + type).c_str())));
		EXPECT_EQ(whole->getWidth(), 64.) << type;
		const std::string name = "cut." + type;
		BitmapPtr truncated(new CBitmap(CResourceDescription(name.c_str())));
		ASSERT_NE(truncated->getPlatformBitmap(), nullptr) << type;
		EXPECT_EQ(truncated->getWidth(), 0.) << type;
		EXPECT_EQ(truncated->getHeight(), 0.) << type;
		EXPECT_EQ(CBitmapPixelAccess::create(truncated.get()), nullptr) << type;
		context->drawBitmap(truncated.get(), CRect(0, 0, 8, 8), CPoint(), 1.f);
		EXPECT_EQ(inkBounds(context->getBitmap()), CRect()) << type;
	}
}

TEST_F(BitmapTest, ResourceNamesOfOneThousandTwentyFourBytesAreRefused)
{
	const std::string longName(1024, 'a');
	auto* bitmap = new CairoBitmap();
	EXPECT_FALSE(bitmap->load(CResourceDescription(longName.c_str())));
	const std::string hugeName(100000, 'b');
	EXPECT_FALSE(bitmap->load(CResourceDescription(hugeName.c_str())));
	EXPECT_FALSE(bitmap->load(CResourceDescription(static_cast<const char*>(nullptr))));
	bitmap->forget();
}

TEST_F(BitmapTest, NamesCannotReachOutsideTheResourcesFolder)
{
	writeImage((bundle.getRoot() / "outside.png").string(), "png", 2, 2, positionColour);
	BitmapPtr escaped(new CBitmap(CResourceDescription("../../../outside.png")));
	EXPECT_EQ(escaped->getPlatformBitmap(), nullptr);
}

TEST_F(BitmapTest, CreateFromPathLoadsAnAbsolutePath)
{
	writeImage(bundle.resource("a.png"), "png", 3, 2, positionColour);
	IPlatformBitmap* bitmap = IPlatformBitmap::createFromPath(bundle.resource("a.png").c_str());
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->getSize(), CPoint(3, 2));
	bitmap->forget();
	EXPECT_EQ(IPlatformBitmap::createFromPath(bundle.resource("none.png").c_str()), nullptr);
	EXPECT_EQ(IPlatformBitmap::createFromPath(nullptr), nullptr);
}

TEST(CairoBitmapPixels, RowsArePaddedToSixteenBytesAndStoredBlueGreenRedAlpha)
{
	for (const auto& [width, bytesPerRow] : {std::pair{10, 48}, {4, 16}, {1, 16}, {5, 32}})
	{
		BitmapPtr bitmap(new CBitmap(width, 2));
		CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap.get());
		ASSERT_NE(access, nullptr);
		IPlatformBitmapPixelAccess* platform = access->getPlatformBitmapPixelAccess();
		EXPECT_EQ(platform->getBytesPerRow(), bytesPerRow) << "width " << width;
		EXPECT_EQ(platform->getPixelFormat(), IPlatformBitmapPixelAccess::kPixelOrderBGRA);
		access->setPosition(0, 1);
		access->setColor(CColor(30, 20, 10, 255));
		const uint8* row = platform->getAddress() + bytesPerRow;
		EXPECT_EQ(row[0], 10);
		EXPECT_EQ(row[1], 20);
		EXPECT_EQ(row[2], 30);
		EXPECT_EQ(row[3], 255);
		access->forget();
	}
}

TEST(CairoBitmapPixels, NewBitmapIsTransparentAndInvalidSizesAreEmpty)
{
	BitmapPtr bitmap(new CBitmap(3.7, 2.2));
	EXPECT_EQ(bitmap->getWidth(), 3.);
	EXPECT_EQ(bitmap->getHeight(), 2.);
	EXPECT_EQ(inkBounds(bitmap.get()), CRect());
	for (const CPoint& size : {CPoint(0, 5), CPoint(-3, 5), CPoint(40000, 1), CPoint(1e300, 1e300)})
	{
		CairoBitmap empty(size);
		EXPECT_EQ(empty.getSize(), CPoint()) << size.x;
		EXPECT_EQ(empty.lockPixels(true), nullptr);
		EXPECT_EQ(empty.getSurface(), nullptr);
	}
}

TEST(CairoBitmapPixels, StraightAccessUnpremultipliesAndReleaseRestoresThePremultipliedValue)
{
	BitmapPtr bitmap(new CBitmap(1, 1));
	CBitmapPixelAccess* straight = CBitmapPixelAccess::create(bitmap.get(), false);
	straight->setColor(CColor(255, 0, 0, 128));
	straight->forget();
	EXPECT_EQ(pixelAt(bitmap.get(), 0, 0), CColor(255, 0, 0, 128));
	CBitmapPixelAccess* premultiplied = CBitmapPixelAccess::create(bitmap.get(), true);
	CColor stored;
	premultiplied->getColor(stored);
	EXPECT_EQ(stored, CColor(128, 0, 0, 128));
	premultiplied->forget();
}

// Premultiplying rounds to the nearest value; going back is exact where the
// premultiplied value can express the colour and otherwise within half a
// premultiplied step.
TEST(CairoBitmapPixels, PremultiplicationRoundTripsWithinRounding)
{
	BitmapPtr bitmap(new CBitmap(256, 1));
	CBitmapPixelAccess* straight = CBitmapPixelAccess::create(bitmap.get(), false);
	for (int a = 0; a < 256; ++a)
	{
		straight->setPosition(static_cast<uint32>(a), 0);
		straight->setColor(CColor(200, 100, 3, static_cast<uint8>(a)));
	}
	straight->forget();
	// One access at a time: a straight-alpha access converts the buffer.
	CBitmapPixelAccess* stored = CBitmapPixelAccess::create(bitmap.get(), true);
	for (int a = 1; a < 256; ++a)
	{
		stored->setPosition(static_cast<uint32>(a), 0);
		CColor premultiplied;
		stored->getColor(premultiplied);
		EXPECT_NEAR(premultiplied.red, 200. * a / 255., 0.5) << "alpha " << a;
	}
	stored->forget();
	CBitmapPixelAccess* back = CBitmapPixelAccess::create(bitmap.get(), false);
	for (int a = 1; a < 256; ++a)
	{
		back->setPosition(static_cast<uint32>(a), 0);
		CColor colour;
		back->getColor(colour);
		EXPECT_EQ(colour.alpha, a);
		const double tolerance = 255. / (2. * a) + 0.5;
		EXPECT_NEAR(colour.red, 200, tolerance) << "alpha " << a;
		EXPECT_NEAR(colour.green, 100, tolerance) << "alpha " << a;
	}
	back->setPosition(255, 0);
	CColor opaque;
	back->getColor(opaque);
	EXPECT_EQ(opaque, CColor(200, 100, 3, 255));
	back->forget();
}

TEST_F(BitmapTest, DrawnBitmapIsNeverScaledAndShowsThePixelAtTheOffset)
{
	writeImage(bundle.resource("a.png"), "png", 6, 6, positionColour);
	BitmapPtr image(new CBitmap(CResourceDescription("a.png")));
	makeContext(10, 10);
	context->drawBitmap(image.get(), CRect(2, 3, 5, 5), CPoint(1, 2), 1.f);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(2, 3, 5, 5)) << "cut at the destination";
	EXPECT_EQ(pixel(2, 3), positionColour(1, 2));
	EXPECT_EQ(pixel(4, 4), positionColour(3, 3));
}

TEST_F(BitmapTest, DestinationAndOffsetAreRoundedToWholePixels)
{
	writeImage(bundle.resource("a.png"), "png", 6, 6, positionColour);
	BitmapPtr image(new CBitmap(CResourceDescription("a.png")));
	makeContext(10, 10);
	context->drawBitmap(image.get(), CRect(1.5, 2.4, 4.4, 4.5), CPoint(0.5, 1.4), 1.f);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(2, 2, 4, 5));
	EXPECT_EQ(pixel(2, 2), positionColour(1, 1));
	// The context's offset is rounded up for bitmaps.
	context->clearRect(CRect(0, 0, 10, 10));
	context->setOffset(CPoint(0.2, 1.7));
	context->drawBitmap(image.get(), CRect(0, 0, 2, 2), CPoint(0, 0), 1.f);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(1, 2, 3, 4));
}

TEST_F(BitmapTest, BitmapOpacityIsAlphaTimesGlobalAlpha)
{
	writeImage(bundle.resource("a.png"), "png", 4, 4, [](int, int) { return kRedCColor; });
	BitmapPtr image(new CBitmap(CResourceDescription("a.png")));
	makeContext(4, 4);
	context->drawBitmap(image.get(), CRect(0, 0, 4, 4), CPoint(), 0.f);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect()) << "alpha 0 draws nothing";
	context->setGlobalAlpha(0.5f);
	context->drawBitmap(image.get(), CRect(0, 0, 4, 4), CPoint(), 0.5f);
	EXPECT_NEAR(pixel(1, 1).alpha, 64, 1);
	EXPECT_EQ(pixel(1, 1).red, 255);
}

TEST_F(BitmapTest, ContextOnALoadedBitmapDrawsOverTheDecodedImage)
{
	writeImage(bundle.resource("a.png"), "png", 4, 4, [](int, int) { return kRedCColor; });
	auto* bitmap = new CairoBitmap();
	ASSERT_TRUE(bitmap->load(CResourceDescription("a.png")));
	auto* offscreen = new CairoDrawContext(bitmap);
	bitmap->forget();
	EXPECT_EQ(offscreen->getSurfaceRect(), CRect(0, 0, 4, 4));
	offscreen->drawPoint(CPoint(1, 2), kBlueCColor);
	offscreen->endDraw();
	EXPECT_EQ(pixelAt(offscreen->getBitmap(), 1, 1), kBlueCColor);
	EXPECT_EQ(pixelAt(offscreen->getBitmap(), 3, 3), kRedCColor);
	offscreen->forget();
}

TEST_F(BitmapTest, OffscreenContextDrawsIntoItsBitmapAndCopiesItOut)
{
	CairoDrawContext* offscreen = CairoDrawContext::createOffscreen(4, 4);
	ASSERT_EQ(offscreen->getBitmap()->getNbReference(), 1);
	offscreen->setFillColor(kGreenCColor);
	offscreen->drawRect(CRect(0, 0, 5, 5), kShapeFilled);
	offscreen->endDraw();
	makeContext(8, 8);
	offscreen->copyFrom(context, CRect(3, 3, 7, 7), CPoint(1, 1));
	offscreen->forget();
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(3, 3, 6, 6));
	EXPECT_EQ(pixel(3, 3), kGreenCColor);
}

} // namespace
} // namespace VSTGUI::Test
