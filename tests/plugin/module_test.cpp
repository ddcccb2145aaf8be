#include "tests/support/module.h"

#include <dlfcn.h>

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
