// The bundle lookup: the module path computation, its one message, the
// counted references of GetPluginBundle and the resource file lookup.
#include "gui/drawing/pluginbundle.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace VSTGUI
{
namespace
{

namespace fs = std::filesystem;

constexpr const char* kMessage = "Could not determine bundle location.\n";

TEST(PluginBundle, BundlePathDropsFileArchitectureFolderAndContents)
{
	std::string path;
	ASSERT_TRUE(bundlePathFromModulePath("/usr/lib/vst/Corvane.vst/Contents/x86_64-linux/Corvane.so", path));
	EXPECT_EQ(path, "/usr/lib/vst/Corvane.vst");
	ASSERT_TRUE(bundlePathFromModulePath("a/b/c/d", path));
	EXPECT_EQ(path, "a");
}

TEST(PluginBundle, TooFewSlashesPrintTheOneMessageAndGiveNoBundle)
{
	for (const char* modulePath : {"Corvane.so", "Contents/Corvane.so", "/x86_64-linux/Corvane.so", ""})
	{
		::testing::internal::CaptureStdout();
		EXPECT_EQ(getBundleForModulePath(modulePath), nullptr) << modulePath;
		EXPECT_EQ(::testing::internal::GetCapturedStdout(), kMessage) << modulePath;
	}
	::testing::internal::CaptureStdout();
	PluginBundle* bundle = getBundleForModulePath("/Corvane.vst/Contents/x86_64-linux/Corvane.so");
	EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
	ASSERT_NE(bundle, nullptr);
	EXPECT_EQ(bundle->getPath(), "/Corvane.vst");
	EXPECT_EQ(bundle->getResourcesPath(), "/Corvane.vst/Contents/Resources");
	bundle->forget();
}

// The test executable is no bundle, but the rule is the same: its path as
// the loader knows it, minus three components. Run by a relative path with
// too few components there is nothing to find.
TEST(PluginBundle, GetPluginBundleHandsOutOneReferencePerCallToTheSameBundle)
{
	Dl_info info{};
	ASSERT_NE(::dladdr(reinterpret_cast<void*>(&bundlePathFromModulePath), &info), 0);
	const fs::path module = info.dli_fname;
	if (std::count(module.native().begin(), module.native().end(), '/') < 3)
		GTEST_SKIP() << "run by a path of too few components: " << module;
	PluginBundle* first = GetPluginBundle();
	ASSERT_NE(first, nullptr);
	PluginBundle* second = GetPluginBundle();
	EXPECT_EQ(first, second);
	EXPECT_EQ(first->getNbReference(), 2);
	EXPECT_EQ(fs::path(first->getPath()), module.parent_path().parent_path().parent_path());
	second->forget();
	EXPECT_EQ(first->getNbReference(), 1);
	first->forget();
	PluginBundle* fresh = GetPluginBundle();
	EXPECT_EQ(fresh->getNbReference(), 1);
	fresh->forget();
}

TEST(PluginBundle, DifferentFoldersGiveDifferentBundles)
{
	PluginBundle* a = getBundleForModulePath("/one/A.vst/Contents/x86_64-linux/A.so");
	PluginBundle* b = getBundleForModulePath("/two/B.vst/Contents/x86_64-linux/B.so");
	ASSERT_NE(a, nullptr);
	ASSERT_NE(b, nullptr);
	EXPECT_NE(a, b);
	EXPECT_EQ(a->getPath(), "/one/A.vst");
	EXPECT_EQ(b->getPath(), "/two/B.vst");
	a->forget();
	b->forget();
}

TEST(PluginBundle, FindResourceFindsOnlyRegularFilesInsideResources)
{
	std::string pattern = (fs::temp_directory_path() / "corvane-find-XXXXXX").string();
	const fs::path root = ::mkdtemp(pattern.data());
	const fs::path resources = root / "B.vst" / "Contents" / "Resources";
	fs::create_directories(resources / "folder.png");
	std::ofstream(resources / "image.png") << "x";
	std::ofstream(root / "B.vst" / "Contents" / "secret.png") << "x";
	PluginBundle bundle((root / "B.vst").string());
	EXPECT_EQ(bundle.findResource("image.png", nullptr), (resources / "image.png").string());
	EXPECT_EQ(bundle.findResource("image", "png"), (resources / "image.png").string());
	EXPECT_EQ(bundle.findResource("image", "bmp"), "");
	EXPECT_EQ(bundle.findResource("folder.png", nullptr), "") << "a directory is no resource";
	EXPECT_EQ(bundle.findResource("../secret.png", nullptr), "");
	EXPECT_EQ(bundle.findResource("", nullptr), "");
	EXPECT_EQ(bundle.findResource(nullptr, nullptr), "");
	fs::remove_all(root);
}

} // namespace
} // namespace VSTGUI
