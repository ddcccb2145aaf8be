#include "platformtestsupport.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cbitmappixelaccess.h"
#include "gui/drawing/pluginbundle.h"
#include "gui/platform/linux/drawing/cairobitmap.h"

#include <cstdlib>
#include <fstream>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <iterator>
#include <vector>

namespace VSTGUI {
namespace Test {

CColor pixelAt(CBitmap* bitmap, int x, int y)
{
	CColor color(0, 0, 0, 0);
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, false);
	if (!access)
		return color;
	if (access->setPosition(static_cast<uint32>(x), static_cast<uint32>(y)))
		access->getColor(color);
	access->forget();
	return color;
}

std::string inkMask(CBitmap* bitmap, int x0, int y0, int x1, int y1)
{
	std::string picture;
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, true);
	for (int y = y0; access && y < y1; ++y)
	{
		for (int x = x0; x < x1; ++x)
		{
			CColor color(0, 0, 0, 0);
			if (access->setPosition(static_cast<uint32>(x), static_cast<uint32>(y)))
				access->getColor(color);
			picture += color.alpha ? '#' : '.';
		}
		picture += '\n';
	}
	if (access)
		access->forget();
	return picture;
}

CRect inkBounds(CBitmap* bitmap)
{
	CRect bounds(1e9, 1e9, -1e9, -1e9);
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, true);
	if (!access)
		return CRect();
	do
	{
		CColor color;
		access->getColor(color);
		if (color.alpha == 0)
			continue;
		bounds.left = std::min<double>(bounds.left, access->getX());
		bounds.top = std::min<double>(bounds.top, access->getY());
		bounds.right = std::max<double>(bounds.right, access->getX() + 1.);
		bounds.bottom = std::max<double>(bounds.bottom, access->getY() + 1.);
	} while (++(*access));
	access->forget();
	return bounds.left > bounds.right ? CRect() : bounds;
}

void writeImage(const std::string& path, const std::string& type, int width, int height, const PixelFunction& pixel)
{
	const bool alpha = type == "png";
	const int channels = alpha ? 4 : 3;
	GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
	guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
	const int stride = gdk_pixbuf_get_rowstride(pixbuf);
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
		{
			const CColor color = pixel(x, y);
			guchar* p = pixels + y * stride + x * channels;
			p[0] = color.red;
			p[1] = color.green;
			p[2] = color.blue;
			if (alpha)
				p[3] = color.alpha;
		}
	GError* error = nullptr;
	const gboolean ok = type == "jpeg"
							? gdk_pixbuf_save(pixbuf, path.c_str(), "jpeg", &error, "quality", "100", nullptr)
							: gdk_pixbuf_save(pixbuf, path.c_str(), type.c_str(), &error, nullptr);
	EXPECT_TRUE(ok) << (error ? error->message : "");
	if (error)
		g_error_free(error);
	g_object_unref(pixbuf);
}

void writeTruncatedCopy(const std::string& from, const std::string& to, std::uintmax_t bytes)
{
	std::ifstream in(from, std::ios::binary);
	std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	ASSERT_LT(bytes, data.size());
	std::ofstream(to, std::ios::binary).write(data.data(), static_cast<std::streamsize>(bytes));
}

void RenderTest::TearDown()
{
	if (!context)
		return;
	if (HasFailure())
	{
		auto* bitmap = dynamic_cast<CairoBitmap*>(context->getBitmap()->getPlatformBitmap());
		const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
		if (bitmap && bitmap->getSurface())
			cairo_surface_write_to_png(bitmap->getSurface(),
									   (std::string(CORVANE_TEST_OUTPUT_DIR) + "/failed-" + name + ".png").c_str());
	}
	context->forget();
	context = nullptr;
}

CairoDrawContext* RenderTest::makeContext(int width, int height)
{
	if (context)
		context->forget();
	context = CairoDrawContext::createOffscreen(width, height);
	return context;
}

TemporaryBundle::TemporaryBundle()
{
	std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bundle-XXXXXX").string();
	root = ::mkdtemp(pattern.data());
	const std::filesystem::path bundle = root / "Test.vst" / "Contents";
	std::filesystem::create_directories(bundle / "x86_64-linux");
	std::filesystem::create_directories(bundle / "Resources");
	if (gBundleRef)
		gBundleRef->forget();
	gBundleRef = getBundleForModulePath((bundle / "x86_64-linux" / "Test.so").c_str());
}

TemporaryBundle::~TemporaryBundle()
{
	if (gBundleRef)
		gBundleRef->forget();
	gBundleRef = nullptr;
	std::filesystem::remove_all(root);
}

std::string TemporaryBundle::resource(const std::string& name) const
{
	return (root / "Test.vst" / "Contents" / "Resources" / name).string();
}

} // namespace Test
} // namespace VSTGUI
