#include "tests/gui/base/fakeplatform.h"

#include "gui/base/platformfactory.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

namespace Fake
{

double Platform::capHeight = 0.;
double Platform::advance = 5.;
std::vector<std::string> Platform::missingFonts;
int Platform::fontsCreated = 0;
std::map<std::string, CPoint> Platform::resources;
std::vector<std::string> Platform::lookups;
IPlatformBitmapPixelAccess::PixelFormat Platform::pixelFormat = IPlatformBitmapPixelAccess::kPixelOrderBGRA;
int Platform::openAccesses = 0;

void Platform::reset()
{
	capHeight = 0.;
	advance = 5.;
	missingFonts.clear();
	fontsCreated = 0;
	resources.clear();
	lookups.clear();
	pixelFormat = IPlatformBitmapPixelAccess::kPixelOrderBGRA;
	openAccesses = 0;
}

void String::setUTF8String(const char* newText)
{
	holdsText = newText != nullptr;
	text = newText ? newText : "";
}

namespace
{

const String* fakeStringOf(const CString& string)
{
	return dynamic_cast<const String*>(string.getPlatformString());
}

} // namespace

void Font::drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias)
{
	const auto* text = fakeStringOf(string);
	CRect clip;
	if (context)
		context->getClipRect(clip);
	drawn.push_back({text && text->holdsText ? text->text : std::string(), point, clip, antialias});
}

double Font::getStringWidth(CDrawContext*, const CString& string, bool)
{
	const auto* text = fakeStringOf(string);
	if (!text || !text->holdsText)
		return 0.;
	measured.push_back(text->text);
	return static_cast<double>(text->text.size()) * Platform::advance;
}

Bitmap::Bitmap(CPoint size) : format(Platform::pixelFormat)
{
	allocate(size);
}

void Bitmap::allocate(CPoint newSize)
{
	size = newSize;
	const auto width = static_cast<int32>(size.x);
	const auto height = static_cast<int32>(size.y);
	// Rows padded to 16 bytes, as real back ends do, so that stepping must
	// use the row length rather than the width.
	bytesPerRow = (width * 4 + 15) / 16 * 16;
	pixels.assign(static_cast<std::size_t>(bytesPerRow) * static_cast<std::size_t>(height), 0);
}

bool Bitmap::load(const CResourceDescription& description)
{
	if (!pixels.empty())
		return false;
	for (const auto& name : description.getFileNameCandidates())
	{
		Platform::lookups.push_back(name);
		auto found = Platform::resources.find(name);
		if (found != Platform::resources.end())
		{
			allocate(found->second);
			return true;
		}
	}
	return false;
}

IPlatformBitmapPixelAccess* Bitmap::lockPixels(bool)
{
	return pixels.empty() ? nullptr : new PixelAccess(this);
}

PixelAccess::PixelAccess(Bitmap* bitmap) : bitmap(bitmap)
{
	bitmap->remember();
	++Platform::openAccesses;
}

PixelAccess::~PixelAccess()
{
	--Platform::openAccesses;
	bitmap->forget();
}

CGradient* Path::createGradient(double color1Start, double color2Start, const CColor& color1, const CColor& color2)
{
	return new Gradient(color1Start, color2Start, color1, color2);
}

CPoint Path::getCurrentPosition()
{
	return elements.empty() ? CPoint() : elements.back().point;
}

RecordingContext::RecordingContext(const CRect& surface) : COffscreenContext(surface)
{
	init();
	clipRequests.clear();
}

RecordingContext::RecordingContext(CBitmap* bitmap) : COffscreenContext(bitmap)
{
	init();
	clipRequests.clear();
}

void RecordingContext::lineTo(const CPoint& point)
{
	ops.push_back("lineTo");
	moveTo(point);
}

void RecordingContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	bitmaps.push_back({bitmap, dest, offset, alpha});
}

void RecordingContext::setClipRect(const CRect& clip)
{
	clipRequests.push_back(clip);
	COffscreenContext::setClipRect(clip);
}

namespace
{

IPlatformFont* createFont(const char* name, const double& size, const int32&)
{
	const auto& missing = Fake::Platform::missingFonts;
	if (!name || std::find(missing.begin(), missing.end(), name) != missing.end())
		return nullptr;
	++Fake::Platform::fontsCreated;
	return new Fake::Font(size, Fake::Platform::capHeight);
}

bool getAllFontFamilies(std::list<std::string>& names)
{
	names.push_back("Arial");
	return true;
}

IPlatformString* createString(const char* text)
{
	return new Fake::String(text);
}

IPlatformBitmap* createBitmap(CPoint* size)
{
	return new Fake::Bitmap(size ? *size : CPoint());
}

IPlatformBitmap* createBitmapFromPath(const char*)
{
	return nullptr;
}

// Installed for the whole test program before any test runs.
const PlatformFactory kFactory{
    .createBitmap = createBitmap,
    .createBitmapFromPath = createBitmapFromPath,
    .createFont = createFont,
    .getAllFontFamilies = getAllFontFamilies,
    .createString = createString,
};
[[maybe_unused]] const bool kInstalled = (setPlatformFactory(&kFactory), true);

} // namespace

} // namespace Fake

} // namespace VSTGUI
