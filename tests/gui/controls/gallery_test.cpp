// Runs corvane-gallery as a program and checks a few controls in its image.
#include "gallerylayout.h"
#include "knobtestsupport.h"

#include "gui/drawing/iplatformbitmap.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace VSTGUI;
using namespace VSTGUI::knobtest;
using namespace CorvaneGallery;

namespace
{

int runGallery(const std::string& arguments)
{
	const std::string command = std::string(CORVANE_GALLERY_PATH) + " " + arguments + " 2>/dev/null";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class GalleryTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		folder = std::filesystem::temp_directory_path() / ("corvane-gallery-" + std::to_string(getpid()));
		std::filesystem::create_directories(folder);
	}
	void TearDown() override
	{
		if (image)
			image->forget();
		std::filesystem::remove_all(folder);
	}

	// Runs the gallery into the test's folder and loads its image.
	void render()
	{
		const std::string path = (folder / "gallery.png").string();
		ASSERT_EQ(runGallery(path), 0);
		IPlatformBitmap* pixels = IPlatformBitmap::createFromPath(path.c_str());
		ASSERT_NE(pixels, nullptr);
		image = new CBitmap(pixels);
		pixels->forget();
		ASSERT_EQ(image->getWidth(), kWidth);
		ASSERT_EQ(image->getHeight(), kHeight);
	}

	CColor at(const CRect& cell, int dx, int dy)
	{
		return pixelAt(image, static_cast<int>(cell.left) + dx, static_cast<int>(cell.top) + dy);
	}
	CColor centreOf(int row, int column) { return at(cellRect(row, column), kCell / 2, kCell / 2); }

	std::filesystem::path folder;
	CBitmap* image{nullptr};
};

TEST_F(GalleryTest, ButtonsShowTheImageOfTheirState)
{
	render();
	EXPECT_EQ(pixelAt(image, 1, 1), kBackground);
	EXPECT_EQ(centreOf(kRowButtons, 0), kOffColor);
	EXPECT_EQ(centreOf(kRowButtons, 1), kOnColor);
	EXPECT_EQ(centreOf(kRowButtons, 2), kOffColor);
	EXPECT_EQ(centreOf(kRowButtons, 3), kOnColor);
}

TEST_F(GalleryTest, SwitchesShowOnePositionPerCell)
{
	render();
	for (int position = 0; position < kSwitchPositions; ++position)
	{
		SCOPED_TRACE(position);
		EXPECT_EQ(centreOf(kRowVerticalSwitches, position), kPositionColors[position]);
		EXPECT_EQ(centreOf(kRowHorizontalSwitches, position), kPositionColors[position]);
	}
}

TEST_F(GalleryTest, FilmStripKnobsShowTheFrameOfTheirValue)
{
	render();
	const CRect middle = cellRect(kRowAnimKnobs, 1);
	EXPECT_EQ(at(middle, 1, 1), animFrameColor(15));
	// Inverse at 0.25: frame floor(0.75 * 30) = 22.
	const CRect inverse = cellRect(kRowAnimKnobs, 3);
	EXPECT_EQ(at(inverse, 1, 1), animFrameColor(22));
	EXPECT_EQ(at(cellRect(kRowAnimKnobs, 2), 1, 1), animFrameColor(kAnimFrames - 1));
}

TEST_F(GalleryTest, LineKnobAtTheMiddlePointsUp)
{
	render();
	const CRect knob = cellRect(kRowKnobs, 1);
	EXPECT_NE(at(knob, kCell / 2, 10), kBackground);
	EXPECT_EQ(at(knob, 14, kCell - 14), kBackground);
	EXPECT_EQ(at(knob, kCell - 14, kCell - 14), kBackground);
}

TEST_F(GalleryTest, UsageAndUnwritablePathsAreErrors)
{
	EXPECT_EQ(runGallery(""), 2);
	EXPECT_EQ(runGallery((folder / "missing" / "gallery.png").string()), 1);
}

} // namespace
