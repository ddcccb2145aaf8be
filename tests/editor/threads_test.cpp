// Automation from a host's second thread while the editor is open, programs
// change and the audio thread processes: built with ThreadSanitizer, which fails the run on
// any data race between the three.
#include "tests/support/x11testsupport.h"
#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

TEST(ThreadSafety, AutomationAudioAndEditorRunTogether)
{
	corvane::test::sharedServer();
	corvane::test::TestClient client;
	ASSERT_TRUE(client.isConnected());
	std::string error;
	auto plugin = corvane::HostedPlugin::load(CORVANE_MODULE_PATH, error);
	ASSERT_TRUE(plugin) << error;
	xcb_window_t parent = client.createParent(0, 0, 400, 196);
	plugin->dispatch(effOpen);
	plugin->dispatch(effMainsChanged, 0, 1);
	ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(parent))), 1);

	std::atomic<bool> stop{false};
	std::atomic<long> blocks{0}, changes{0};
	std::thread audio(
	    [&]
	    {
		    std::vector<float> left(256, 0.25f), right(256, -0.25f);
		    float* io[2] = {left.data(), right.data()};
		    while (!stop)
		    {
			    plugin->processReplacing(io, io, 256);
			    blocks++;
		    }
	    });
	std::thread automation(
	    [&]
	    {
		    for (int i = 0; !stop; i++)
		    {
			    plugin->setParameter(0, static_cast<float>(i % 101) / 100.f);
			    plugin->getParameter(0);
			    changes++;
			    std::this_thread::sleep_for(std::chrono::microseconds(200));
		    }
	    });
	auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
	for (int i = 0; std::chrono::steady_clock::now() < end; i++)
	{
		// Hosts change programs from their user-interface thread while
		// automation goes on.
		if (i % 5 == 0)
			plugin->dispatch(effSetProgram, 0, i % 32);
		plugin->dispatch(effEditIdle);
		plugin->getString(effGetParamDisplay);
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	}
	stop = true;
	audio.join();
	automation.join();
	plugin->dispatch(effEditClose);
	plugin->dispatch(effMainsChanged, 0, 0);
	EXPECT_GT(blocks.load(), 10);
	EXPECT_GT(changes.load(), 10);
}
