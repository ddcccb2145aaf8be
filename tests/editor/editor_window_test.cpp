// Corvane's editor end to end: the real module loaded through its entry
// point, its editor opened in a parent window on a private X server, and a
// user's mouse and keys injected with XTEST.
#include "tests/support/x11testsupport.h"
#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using corvane::HostedPlugin;
using corvane::test::TestClient;

namespace
{

constexpr int kKeysymControlL = 0xffe3;
constexpr int kHandleWidth = 20;
constexpr int kSliderLeft = 73;
constexpr int kSliderMiddle = 124; // vertical centre of the slider
constexpr int kTravel = 229;

class EditorWindow : public ::testing::Test
{
protected:
	void SetUp() override
	{
		corvane::test::sharedServer();
		ASSERT_TRUE(client.isConnected());
		plugin = load();
		ASSERT_TRUE(plugin);
		ERect* rect = nullptr;
		ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
		width = rect->right - rect->left;
		height = rect->bottom - rect->top;
		parent = client.createParent(0, 0, width, height);
	}

	std::unique_ptr<HostedPlugin> load()
	{
		std::string error;
		auto loaded = HostedPlugin::load(CORVANE_MODULE_PATH, error);
		EXPECT_TRUE(loaded) << error;
		return loaded;
	}

	bool open(HostedPlugin& p, xcb_window_t window)
	{
		bool opened = p.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(window))) == 1;
		idleFor(p, 150);
		return opened;
	}

	// The host's idle calls, about 100 a second, for the given time.
	void idleFor(HostedPlugin& p, int ms)
	{
		auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
		do
		{
			p.dispatch(effEditIdle);
			client.sync();
			std::this_thread::sleep_for(std::chrono::milliseconds(10));
		} while (std::chrono::steady_clock::now() < end);
	}

	std::vector<uint32_t> pixels() { return client.readPixels(parent, width, height); }
	uint32_t pixel(const std::vector<uint32_t>& image, int x, int y) { return image[std::size_t(y * width + x)]; }

	// The column of the handle's left edge: the handle's bright body, inside
	// a one-pixel dark outline, starts 3 pixels into its picture.
	int handleLeft()
	{
		auto image = pixels();
		for (int x = kSliderLeft; x < kSliderLeft + 250; x++)
			if (((pixel(image, x, kSliderMiddle) >> 16) & 0xff) > 100)
				return x - 3;
		return -1;
	}

	// Drags from one slider x to another, pumping the editor meanwhile.
	void drag(int fromX, int toX)
	{
		client.movePointer(fromX, kSliderMiddle);
		idleFor(*plugin, 30);
		client.pressButton(1);
		idleFor(*plugin, 30);
		const int steps = 12;
		for (int i = 1; i < steps; i++)
		{
			client.movePointer(fromX + (toX - fromX) * i / steps, kSliderMiddle);
			idleFor(*plugin, 10);
		}
		client.movePointer(toX, kSliderMiddle);
		idleFor(*plugin, 30);
		client.releaseButton(1);
		idleFor(*plugin, 60);
	}

	std::vector<VstInt32> editCalls()
	{
		std::vector<VstInt32> opcodes;
		for (const auto& call : plugin->calls())
			if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit ||
			    call.opcode == audioMasterAutomate)
				opcodes.push_back(call.opcode);
		return opcodes;
	}

	TestClient client;
	std::unique_ptr<HostedPlugin> plugin;
	xcb_window_t parent = 0;
	int width = 0;
	int height = 0;
};

} // namespace

TEST_F(EditorWindow, OpensAsAChildOfTheHostWindowAndPaints)
{
	ASSERT_TRUE(open(*plugin, parent));
	auto children = client.descendantsOf(parent);
	EXPECT_EQ(children.size(), 1u);
	EXPECT_EQ(handleLeft(), kSliderLeft); // program 1: 0.5 m, the left end
	plugin->dispatch(effEditClose);
	idleFor(*plugin, 30);
	EXPECT_TRUE(client.descendantsOf(parent).empty());
}

TEST_F(EditorWindow, DraggingToTheRightEndSetsOneWithOneCompleteEdit)
{
	ASSERT_TRUE(open(*plugin, parent));
	plugin->clearCalls();
	drag(kSliderLeft + kHandleWidth / 2, kSliderLeft + 260);
	EXPECT_EQ(plugin->getParameter(0), 1.f);
	auto edits = editCalls();
	ASSERT_GE(edits.size(), 3u);
	EXPECT_EQ(edits.front(), audioMasterBeginEdit);
	EXPECT_EQ(edits.back(), audioMasterEndEdit);
	EXPECT_EQ(std::count(edits.begin(), edits.end(), audioMasterBeginEdit), 1);
	EXPECT_EQ(std::count(edits.begin(), edits.end(), audioMasterEndEdit), 1);
	// The last automation the host heard is index 0 at 1.0.
	const auto calls = plugin->calls();
	const corvane::HostCall* last = nullptr;
	for (const auto& call : calls)
		if (call.opcode == audioMasterAutomate)
			last = &call;
	ASSERT_NE(last, nullptr);
	EXPECT_EQ(last->index, 0);
	EXPECT_EQ(last->opt, 1.f);
	EXPECT_EQ(handleLeft(), kSliderLeft + kTravel);
	EXPECT_EQ(plugin->getString(effGetParamDisplay), "5.000000");
}

TEST_F(EditorWindow, ControlClickResetsToTheDefaultWithOneEdit)
{
	ASSERT_TRUE(open(*plugin, parent));
	plugin->setParameter(0, 1.f);
	idleFor(*plugin, 50);
	plugin->clearCalls();
	xcb_keycode_t control = client.keycodeOf(kKeysymControlL);
	ASSERT_NE(control, 0);
	client.movePointer(kSliderLeft + kTravel + kHandleWidth / 2, kSliderMiddle);
	client.pressKey(control);
	idleFor(*plugin, 30);
	client.click(1);
	idleFor(*plugin, 30);
	client.releaseKey(control);
	idleFor(*plugin, 60);
	EXPECT_NE(plugin->getParameter(0), 1.f);
	EXPECT_EQ(editCalls(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
}

TEST_F(EditorWindow, HostChangesMoveTheSlider)
{
	ASSERT_TRUE(open(*plugin, parent));
	plugin->dispatch(effSetProgram, 0, 5);
	idleFor(*plugin, 60);
	EXPECT_EQ(plugin->getParameter(0), 0.675f);
	EXPECT_EQ(handleLeft(), kSliderLeft + int(0.675f * kTravel));

	// From another thread (a host's automation thread) the change shows at
	// the next idle.
	std::thread automation([&] { plugin->setParameter(0, 0.5f); });
	automation.join();
	idleFor(*plugin, 60);
	EXPECT_EQ(handleLeft(), kSliderLeft + int(0.5f * kTravel));
}

TEST_F(EditorWindow, ChangesWhileClosedShowAtTheNextOpen)
{
	ASSERT_TRUE(open(*plugin, parent));
	plugin->dispatch(effEditClose);
	plugin->setParameter(0, 1.f);
	ASSERT_TRUE(open(*plugin, parent));
	EXPECT_EQ(handleLeft(), kSliderLeft + kTravel);
	plugin->dispatch(effEditClose);
}

TEST_F(EditorWindow, TwoInstancesWithEditorsOpenAtOnce)
{
	auto second = load();
	ASSERT_TRUE(second);
	xcb_window_t otherParent = client.createParent(0, height + 10, width, height);
	ASSERT_TRUE(open(*plugin, parent));
	ASSERT_TRUE(open(*second, otherParent));
	second->setParameter(0, 1.f);
	idleFor(*second, 60);
	idleFor(*plugin, 30);
	EXPECT_EQ(handleLeft(), kSliderLeft);
	EXPECT_EQ(client.descendantsOf(otherParent).size(), 1u);
	second->dispatch(effEditClose);
	plugin->dispatch(effEditClose);
}

TEST_F(EditorWindow, RepeatedOpenAndCloseLeavesNoWindowBehind)
{
	for (int i = 0; i < 500; i++)
	{
		ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(parent))), 1) << i;
		plugin->dispatch(effEditIdle);
		plugin->dispatch(effEditClose);
	}
	client.sync();
	EXPECT_TRUE(client.descendantsOf(parent).empty());
	ASSERT_TRUE(open(*plugin, parent));
	EXPECT_EQ(handleLeft(), kSliderLeft);
}

TEST_F(EditorWindow, InvalidParentWindowFailsCleanly)
{
	EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(0x7ffffff0))), 0);
	plugin->dispatch(effEditIdle);
	plugin->dispatch(effEditClose);
	// The editor still works afterwards.
	EXPECT_TRUE(open(*plugin, parent));
}
