#include "tests/support/module.h"

#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

using corvane::HostOptions;
using corvane::test::loadCorvane;

TEST(Module, RefusesAHostThatAnswersVersionZero)
{
	HostOptions options;
	options.version = 0;
	std::string error;
	auto plugin = corvane::HostedPlugin::load(CORVANE_MODULE_PATH, error, options);
	EXPECT_FALSE(plugin);
	EXPECT_NE(error.find("answered null"), std::string::npos) << error;
}

TEST(Module, AsksTheVersionWithNullEffectFirst)
{
	auto plugin = loadCorvane();
	ASSERT_TRUE(plugin);
	auto calls = plugin->calls();
	ASSERT_FALSE(calls.empty());
	EXPECT_EQ(calls[0].opcode, audioMasterVersion);
	EXPECT_EQ(calls[0].index, 0);
	EXPECT_EQ(calls[0].value, 0);
	EXPECT_EQ(calls[0].ptr, nullptr);
}

TEST(Module, ExportsOnlyTheEntryPoint)
{
	// Kept mapped: the libraries it pulls in keep caches for the process.
	void* module = dlopen(CORVANE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
	ASSERT_NE(module, nullptr) << dlerror();
	EXPECT_NE(dlsym(module, "VSTPluginMain"), nullptr);
	EXPECT_EQ(dlsym(module, "createEffectInstance"), nullptr);
	EXPECT_EQ(dlsym(module, "_Z20createEffectInstancePFllillPvfE"), nullptr);
	EXPECT_EQ(dlsym(module, "main"), nullptr);
	dlclose(module);
}

TEST(Module, CloseAnswersOneAndEndsTheEffect)
{
	auto plugin = loadCorvane();
	ASSERT_TRUE(plugin);
	EXPECT_EQ(plugin->dispatch(effOpen), 0);
	EXPECT_EQ(plugin->close(), 1);
	EXPECT_EQ(plugin->effect(), nullptr);
}

TEST(Module, InstancesAreIndependent)
{
	auto a = loadCorvane();
	auto b = loadCorvane();
	ASSERT_TRUE(a && b);
	ASSERT_NE(a->effect(), b->effect());
	a->setParameter(0, 1.f);
	EXPECT_EQ(a->getParameter(0), 1.f);
	EXPECT_EQ(b->getParameter(0), 0.f);
}

// Hosts scan their folders for .so files, so users link the module there;
// the editor must still find its pictures in the bundle the link points into.
TEST(Module, AModuleReachedThroughASymbolicLinkFindsItsBundle)
{
	const std::filesystem::path folder =
	    std::filesystem::temp_directory_path() / ("corvane-link-" + std::to_string(getpid()));
	std::filesystem::create_directories(folder);
	const std::filesystem::path link = folder / "Corvane.so";
	std::filesystem::create_symlink(std::filesystem::absolute(CORVANE_MODULE_PATH), link);
	{
		std::string error;
		auto plugin = corvane::HostedPlugin::load(link.c_str(), error);
		ASSERT_TRUE(plugin) << error;
		ERect* rect = nullptr;
		ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
		ASSERT_NE(rect, nullptr);
		EXPECT_EQ(rect->right - rect->left, 400);
		EXPECT_EQ(rect->bottom - rect->top, 196);
	}
	std::filesystem::remove_all(folder);
}

// Users copy just the .so into a host's folder: the editor's pictures come
// from the module itself then.
TEST(Module, AModuleCopiedOutOfItsBundleStillHasItsPictures)
{
	const std::filesystem::path folder =
	    std::filesystem::temp_directory_path() / ("corvane-copy-" + std::to_string(getpid()));
	std::filesystem::create_directories(folder);
	const std::filesystem::path copy = folder / "Corvane.so";
	std::filesystem::copy_file(CORVANE_MODULE_PATH, copy);
	{
		std::string error;
		auto plugin = corvane::HostedPlugin::load(copy.c_str(), error);
		ASSERT_TRUE(plugin) << error;
		ERect* rect = nullptr;
		ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
		ASSERT_NE(rect, nullptr);
		EXPECT_EQ(rect->right - rect->left, 400);
		EXPECT_EQ(rect->bottom - rect->top, 196);
	}
	std::filesystem::remove_all(folder);
}
