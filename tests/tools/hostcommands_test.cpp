// corvane-host's editor commands, run as a user runs them, on a private X
// server.
#include "tests/support/xvfbserver.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

corvane::test::XvfbServer& server()
{
	static corvane::test::XvfbServer xvfb;
	corvane::test::requireRunning(xvfb);
	return xvfb;
}

struct CommandResult
{
	int status = -1;
	std::string output;
};

// Runs a shell command line; standard output and error together.
CommandResult run(const std::string& command)
{
	CommandResult result;
	std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
	if (!pipe)
		return result;
	char buffer[4096];
	while (std::size_t n = std::fread(buffer, 1, sizeof(buffer), pipe))
		result.output.append(buffer, n);
	int status = pclose(pipe);
	result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	return result;
}

std::string host()
{
	return std::string(CORVANE_HOST_PATH) + " ";
}

std::string module()
{
	return std::string(CORVANE_MODULE_PATH) + " ";
}

bool pngSize(const std::string& path, int& width, int& height)
{
	std::ifstream file(path, std::ios::binary);
	unsigned char header[24] = {};
	if (!file.read(reinterpret_cast<char*>(header), sizeof(header)))
		return false;
	if (header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
		return false;
	auto be32 = [&](int at)
	{ return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
	width = be32(16);
	height = be32(20);
	return true;
}

std::string scratch(const char* name)
{
	return testing::TempDir() + "corvane-" + std::to_string(getpid()) + "-" + name;
}

} // namespace

TEST(HostCommands, SnapshotSavesTheEditorAtItsSize)
{
	server();
	std::string picture = scratch("editor.png");
	CommandResult r = run(host() + "snapshot " + module() + picture + " --program 5");
	ASSERT_EQ(r.status, 0) << r.output;
	int width = 0, height = 0;
	ASSERT_TRUE(pngSize(picture, width, height));
	EXPECT_EQ(width, 400);
	EXPECT_EQ(height, 196);
	std::remove(picture.c_str());
}

TEST(HostCommands, SnapshotWithoutADisplayFailsWithOneMessage)
{
	std::string picture = scratch("nodisplay.png");
	CommandResult r = run("env -u DISPLAY " + host() + "snapshot " + module() + picture);
	EXPECT_EQ(r.status, 1);
	EXPECT_NE(r.output.find("corvane-host: cannot open the X display"), std::string::npos) << r.output;
	EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1);
	EXPECT_NE(access(picture.c_str(), F_OK), 0);
}

TEST(HostCommands, SnapshotRefusesProcessingOptionsAndBadSettings)
{
	server();
	std::string picture = scratch("bad.png");
	EXPECT_EQ(run(host() + "snapshot " + module() + picture + " --double").status, 2);
	CommandResult r = run(host() + "snapshot " + module() + picture + " --program 32");
	EXPECT_EQ(r.status, 2);
	EXPECT_NE(r.output.find("program 32 is out of range"), std::string::npos) << r.output;
	EXPECT_NE(access(picture.c_str(), F_OK), 0);
}

TEST(HostCommands, EditLogsCallbacksAndClosesCleanlyOnInterrupt)
{
	server();
	CommandResult r = run("timeout --preserve-status -s INT 2 " + host() + "edit " + module() + "--log");
	EXPECT_EQ(r.status, 0) << r.output;
	EXPECT_NE(r.output.find("audioMasterVersion index=0 value=0 opt=0 answer=2400"), std::string::npos) << r.output;
}

namespace
{

// Dark pixels (the read-out's black text) in a rectangle of a PNG file.
int darkPixels(const std::string& path, int left, int top, int right, int bottom)
{
	cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
	int count = -1;
	if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
	{
		count = 0;
		unsigned char* data = cairo_image_surface_get_data(image);
		int stride = cairo_image_surface_get_stride(image);
		for (int y = top; y < bottom; y++)
			for (int x = left; x < right; x++)
			{
				std::uint32_t pixel = *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4);
				if (((pixel >> 16) & 0xff) < 90 && ((pixel >> 8) & 0xff) < 90 && (pixel & 0xff) < 90)
					count++;
			}
	}
	cairo_surface_destroy(image);
	return count;
}

} // namespace

TEST(HostCommands, TheReadoutShowsTextOnASystemWithoutFonts)
{
	server();
	// A fontconfig set-up that knows no font directory at all.
	std::string config = scratch("fonts.conf");
	{
		std::ofstream file(config);
		file << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
		     << "<cachedir>" << scratch("fontcache") << "</cachedir>\n</fontconfig>\n";
	}
	std::string withFonts = scratch("fonts.png"), withoutFonts = scratch("nofonts.png");
	ASSERT_EQ(run(host() + "snapshot " + module() + withFonts).status, 0);
	CommandResult r = run("FONTCONFIG_FILE=" + config + " " + host() + "snapshot " + module() + withoutFonts);
	ASSERT_EQ(r.status, 0) << r.output;
	// The read-out at (222, 70, 262, 94) shows "0.50" in both; inside its
	// rounded border only the text is dark.
	int normal = darkPixels(withFonts, 226, 74, 258, 90);
	int fallback = darkPixels(withoutFonts, 226, 74, 258, 90);
	EXPECT_GT(normal, 10);
	EXPECT_GT(fallback, 10);
	std::remove(config.c_str());
	std::remove(withFonts.c_str());
	std::remove(withoutFonts.c_str());
}

namespace
{

// The pixel at (x, y) of a PNG file as 0x00RRGGBB, or -1.
long pixelAt(const std::string& path, int x, int y)
{
	cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
	long pixel = -1;
	if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS && x < cairo_image_surface_get_width(image) &&
	    y < cairo_image_surface_get_height(image))
	{
		unsigned char* data = cairo_image_surface_get_data(image);
		pixel = *reinterpret_cast<std::uint32_t*>(data + y * cairo_image_surface_get_stride(image) + x * 4) & 0xffffff;
	}
	cairo_surface_destroy(image);
	return pixel;
}

} // namespace

// The stand-in reports no size before it opens, then asks for 1200 x 300 on
// a 1024-pixel screen and draws one green band of twelve per idle.
TEST(HostCommands, SnapshotFollowsAnEditorSizedOnlyOnceOpenAndWaitsForItsLastBand)
{
	server();
	std::string picture = scratch("late.png");
	CommandResult r = run(host() + "snapshot " + FAKE_LATEEDITOR_PATH + " " + picture);
	ASSERT_EQ(r.status, 0) << r.output;
	int width = 0, height = 0;
	ASSERT_TRUE(pngSize(picture, width, height));
	EXPECT_EQ(width, 1200);
	EXPECT_EQ(height, 300);
	for (int band = 0; band < 12; band++)
		EXPECT_EQ(pixelAt(picture, band * 100 + 50, 150), 0x00c000) << "band " << band;
	std::remove(picture.c_str());
}

// The stand-in records each scale request it gets, and "late" on one that
// came after its editor was sized or opened.
TEST(HostCommands, SnapshotAsksForTheScaleFactorBeforeTheEditorIsSized)
{
	server();
	std::string record = scratch("scale.txt");
	auto snapshot = [&](const std::string& options, const std::string& picture)
	{
		std::remove(record.c_str());
		return run("FAKE_SCALE_RECORD=" + record + " " + host() + "snapshot " + FAKE_SCALEEDITOR_PATH + " " + picture +
		           options);
	};
	auto recorded = [&]
	{
		std::ifstream file(record);
		return std::string(std::istreambuf_iterator<char>(file), {});
	};

	// Without the option nothing is asked: the plug-in keeps its own size.
	std::string own = scratch("own.png");
	CommandResult r = snapshot("", own);
	ASSERT_EQ(r.status, 0) << r.output;
	int ownWidth = 0, ownHeight = 0;
	ASSERT_TRUE(pngSize(own, ownWidth, ownHeight));
	EXPECT_EQ(recorded(), "");

	for (const char* factor : {"2", "1.5"})
	{
		std::string scaled = scratch("scaled.png");
		r = snapshot(std::string(" --scale ") + factor, scaled);
		ASSERT_EQ(r.status, 0) << r.output;
		EXPECT_EQ(r.output.find("warning"), std::string::npos) << r.output;
		EXPECT_EQ(recorded(), std::string("scale ") + factor + "\n");
		int width = 0, height = 0;
		ASSERT_TRUE(pngSize(scaled, width, height));
		EXPECT_EQ(width, std::lround(ownWidth * std::stod(factor))) << factor;
		EXPECT_EQ(height, std::lround(ownHeight * std::stod(factor))) << factor;
		std::remove(scaled.c_str());
	}
	std::remove(own.c_str());
	std::remove(record.c_str());
}

// The late editor knows nothing of scale factors.
TEST(HostCommands, AnEditorThatTakesNoScaleFactorIsSavedAtItsOwnSizeWithAWarning)
{
	server();
	std::string picture = scratch("unscaled.png");
	CommandResult r = run(host() + "snapshot " + FAKE_LATEEDITOR_PATH + " " + picture + " --scale 2");
	ASSERT_EQ(r.status, 0) << r.output;
	EXPECT_EQ(r.output, "corvane-host: warning: the plug-in did not confirm the scale factor; its editor may be "
	                    "drawn at its own size\n");
	int width = 0, height = 0;
	ASSERT_TRUE(pngSize(picture, width, height));
	EXPECT_EQ(width, 1200);
	EXPECT_EQ(height, 300);
	std::remove(picture.c_str());
}

TEST(HostCommands, AnXlibRequestErrorInTheEditorIsAWarningNotTheEnd)
{
	server();
	CommandResult r = run("timeout --preserve-status -s INT 2 " + host() + "edit " + FAKE_XLIBPLUGIN_PATH);
	EXPECT_EQ(r.status, 0) << r.output;
	EXPECT_NE(r.output.find("corvane-host: warning: the plug-in's X request GetProperty failed: BadAtom"),
	          std::string::npos)
	    << r.output;
}
