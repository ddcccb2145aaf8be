// Loads the built Corvane module through its exported entry point, as a host does.
#pragma once

#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

namespace corvane::test
{

inline std::unique_ptr<HostedPlugin> loadCorvane(HostOptions options = {})
{
	std::string error;
	auto plugin = HostedPlugin::load(CORVANE_MODULE_PATH, error, std::move(options));
	EXPECT_TRUE(plugin) << error;
	return plugin;
}

} // namespace corvane::test
