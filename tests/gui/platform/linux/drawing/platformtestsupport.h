// Helpers of the drawing back-end tests: offscreen contexts read back
// through the toolkit's pixel access, test images written with gdk-pixbuf,
// and a bundle folder of the test's own that the resource lookup uses.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "tests/support/pixelaccess.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace VSTGUI
{
namespace Test
{

using test::pixelAt;

// A picture of the area (x0, y0) to (x1, y1), exclusive, one text row per
// pixel row: '#' where the pixel has any alpha, '.' where it is transparent.
std::string inkMask(CBitmap* bitmap, int x0, int y0, int x1, int y1);

// The smallest rectangle holding all pixels with alpha; empty when none.
CRect inkBounds(CBitmap* bitmap);

// Straight-alpha pixel colours by position.
using PixelFunction = std::function<CColor(int x, int y)>;

// Writes an image file with gdk-pixbuf: type "png", "bmp" or "jpeg". BMP
// and JPEG drop the alpha channel.
void writeImage(const std::string& path, const std::string& type, int width, int height, const PixelFunction& pixel);
// The first bytes of a file copied to another, to make a truncated file.
void writeTruncatedCopy(const std::string& from, const std::string& to, std::uintmax_t bytes);

// Base of the render tests: one offscreen context, drawn into by the test;
// on failure its image is written to <build dir>/failed-<test>.png.
class RenderTest : public ::testing::Test
{
protected:
	void TearDown() override;
	CairoDrawContext* makeContext(int width, int height);

	CColor pixel(int x, int y) { return pixelAt(context->getBitmap(), x, y); }
	std::string mask(int x0, int y0, int x1, int y1) { return inkMask(context->getBitmap(), x0, y0, x1, y1); }

	CairoDrawContext* context{nullptr};
};

// A temporary bundle folder Test.vst/Contents/{x86_64-linux,Resources} that
// gBundleRef points at while the object lives.
class TemporaryBundle
{
public:
	TemporaryBundle();
	~TemporaryBundle();
	TemporaryBundle(const TemporaryBundle&) = delete;
	TemporaryBundle& operator=(const TemporaryBundle&) = delete;

	std::string resource(const std::string& name) const;
	const std::filesystem::path& getRoot() const { return root; }

private:
	std::filesystem::path root;
};

} // namespace Test
} // namespace VSTGUI
