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

// ---------------------------------------------------------------------------
// Scale factors: the host's request, else the desktop's Xft.dpi.

namespace
{

struct Geometry
{
	int width = 0;
	int height = 0;
};

Geometry geometryOf(TestClient& client, xcb_window_t window)
{
	corvane::test::Freed<xcb_get_geometry_reply_t> reply(
	    xcb_get_geometry_reply(client.get(), xcb_get_geometry(client.get(), window), nullptr));
	return reply ? Geometry{reply->width, reply->height} : Geometry{};
}

Geometry reportedSize(HostedPlugin& plugin)
{
	ERect* rect = nullptr;
	if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr)
		return {};
	return {rect->right - rect->left, rect->bottom - rect->top};
}

// The desktop's resources, as GNOME or KDE publish them; empty removes them.
void setDesktopResources(TestClient& client, const std::string& resources)
{
	if (resources.empty())
		xcb_delete_property(client.get(), client.root(), XCB_ATOM_RESOURCE_MANAGER);
	else
		xcb_change_property(client.get(), XCB_PROP_MODE_REPLACE, client.root(), XCB_ATOM_RESOURCE_MANAGER,
		                    XCB_ATOM_STRING, 8, static_cast<uint32_t>(resources.size()), resources.data());
	client.sync();
}

int channel(uint32_t pixel, int shift)
{
	return static_cast<int>((pixel >> shift) & 0xff);
}

} // namespace

class ScaledEditorWindow : public EditorWindow
{
protected:
	void TearDown() override { setDesktopResources(client, ""); }

	// An instance whose editor the host asked for at factor (0: not asked),
	// open in a parent window of the size it reported at (0, parentY).
	struct Instance
	{
		std::unique_ptr<HostedPlugin> plugin;
		xcb_window_t parent = 0;
		Geometry reported;
	};

	Instance openAt(float factor, corvane::HostOptions options = {}, int parentY = 0)
	{
		Instance instance;
		std::string error;
		instance.plugin = HostedPlugin::load(CORVANE_MODULE_PATH, error, std::move(options));
		EXPECT_TRUE(instance.plugin) << error;
		if (!instance.plugin)
			return instance;
		if (factor > 0.f)
		{
			EXPECT_TRUE(instance.plugin->setEditorScale(factor));
		}
		instance.reported = reportedSize(*instance.plugin);
		instance.parent = client.createParent(0, parentY, instance.reported.width, instance.reported.height);
		EXPECT_TRUE(open(*instance.plugin, instance.parent));
		return instance;
	}

	Geometry editorWindow(const Instance& instance)
	{
		auto children = client.descendantsOf(instance.parent);
		return children.size() == 1 ? geometryOf(client, children[0]) : Geometry{};
	}

	// The handle's left edge in frame units, from a row of device pixels
	// through the slider.
	double handleLeftAt(const Instance& instance, double factor)
	{
		const Geometry size = editorWindow(instance);
		auto image = client.readPixels(instance.parent, size.width, size.height);
		const int row = static_cast<int>(kSliderMiddle * factor);
		for (int x = static_cast<int>(kSliderLeft * factor); x < size.width; x++)
			if (channel(image[std::size_t(row * size.width + x)], 16) > 100)
				return x / factor - 3;
		return -1;
	}
};

TEST_F(ScaledEditorWindow, TheHostsFactorSizesTheWindowAndADragSetsWhatItSetsAtOne)
{
	// 184 is a whole device pixel at every factor here.
	const int dragTo = kSliderLeft + 111;
	float valueAtOne = -1.f;
	double handleAtOne = -1.;
	for (float factor : {1.f, 1.5f, 2.f})
	{
		SCOPED_TRACE(factor);
		Instance editor = openAt(factor);
		ASSERT_TRUE(editor.plugin);
		const Geometry expected{static_cast<int>(400 * factor), static_cast<int>(196 * factor)};
		EXPECT_EQ(editor.reported.width, expected.width);
		EXPECT_EQ(editor.reported.height, expected.height);
		EXPECT_EQ(editorWindow(editor).width, expected.width);
		EXPECT_EQ(editorWindow(editor).height, expected.height);

		auto toDevice = [factor](int x) { return static_cast<int>(x * factor); };
		std::swap(plugin, editor.plugin);
		client.movePointer(toDevice(kSliderLeft + kHandleWidth / 2), toDevice(kSliderMiddle));
		idleFor(*plugin, 30);
		client.pressButton(1);
		idleFor(*plugin, 30);
		for (int x = kSliderLeft + kHandleWidth / 2; x <= dragTo; x += 20)
		{
			client.movePointer(toDevice(x), toDevice(kSliderMiddle));
			idleFor(*plugin, 10);
		}
		client.movePointer(toDevice(dragTo), toDevice(kSliderMiddle));
		idleFor(*plugin, 30);
		client.releaseButton(1);
		idleFor(*plugin, 60);
		std::swap(plugin, editor.plugin);

		const float value = editor.plugin->getParameter(0);
		const double handle = handleLeftAt(editor, factor);
		if (factor == 1.f)
		{
			valueAtOne = value;
			handleAtOne = handle;
			EXPECT_GT(value, 0.3f);
			EXPECT_LT(value, 0.6f);
		}
		EXPECT_EQ(value, valueAtOne);
		EXPECT_NEAR(handle, handleAtOne, 1.);
		editor.plugin->dispatch(effEditClose);
	}
}

TEST_F(ScaledEditorWindow, TheDesktopsXftDpiScalesUnlessTheHostAsks)
{
	setDesktopResources(client, "Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n");
	Instance desktop = openAt(0.f);
	ASSERT_TRUE(desktop.plugin);
	EXPECT_EQ(editorWindow(desktop).width, 600);
	EXPECT_EQ(editorWindow(desktop).height, 294);
	EXPECT_EQ(reportedSize(*desktop.plugin).width, 600);
	desktop.plugin->dispatch(effEditClose);

	setDesktopResources(client, "Xft.dpi: 192\n");
	Instance asked = openAt(1.f);
	ASSERT_TRUE(asked.plugin);
	EXPECT_EQ(editorWindow(asked).width, 400);
	EXPECT_EQ(editorWindow(asked).height, 196);
	asked.plugin->dispatch(effEditClose);
}

// At factor 2 the picture carries detail that the picture at 1 cannot: it
// is drawn, not enlarged. Boxed down to half its size it is the picture at 1.
TEST_F(ScaledEditorWindow, AtTwoThePictureIsDrawnAtTwiceTheResolution)
{
	Instance one = openAt(1.f);
	Instance two = openAt(2.f, {}, 200);
	ASSERT_TRUE(one.plugin && two.plugin);
	const auto small = client.readPixels(one.parent, 400, 196);
	const auto large = client.readPixels(two.parent, 800, 392);
	ASSERT_EQ(small.size(), 400u * 196u);
	ASSERT_EQ(large.size(), 800u * 392u);
	long long difference = 0;
	int detailedBlocks = 0;
	for (int y = 0; y < 196; y++)
		for (int x = 0; x < 400; x++)
		{
			const uint32_t block[] = {
			    large[std::size_t(2 * y * 800 + 2 * x)], large[std::size_t(2 * y * 800 + 2 * x + 1)],
			    large[std::size_t((2 * y + 1) * 800 + 2 * x)], large[std::size_t((2 * y + 1) * 800 + 2 * x + 1)]};
			bool uniform = true;
			for (int shift : {0, 8, 16})
			{
				int sum = 0;
				for (uint32_t p : block)
				{
					sum += channel(p, shift);
					uniform = uniform && std::abs(channel(p, shift) - channel(block[0], shift)) <= 8;
				}
				difference += std::abs((sum + 2) / 4 - channel(small[std::size_t(y * 400 + x)], shift));
			}
			detailedBlocks += uniform ? 0 : 1;
		}
	EXPECT_LT(static_cast<double>(difference) / (400. * 196. * 3.), 3.) << "not the same picture";
	EXPECT_GT(detailedBlocks, 400 * 196 / 50) << "the picture at 1, enlarged";
	one.plugin->dispatch(effEditClose);
	two.plugin->dispatch(effEditClose);
}

TEST_F(ScaledEditorWindow, ANewFactorWhileOpenResizesThroughTheHost)
{
	std::vector<std::pair<VstIntPtr, VstIntPtr>> sizeRequests;
	corvane::HostOptions options;
	options.handler = [&sizeRequests](const corvane::HostCall& call) -> std::optional<VstIntPtr>
	{
		if (call.opcode == audioMasterCanDo)
			return call.text == "sizeWindow" ? 1 : -1;
		if (call.opcode != audioMasterSizeWindow)
			return std::nullopt;
		sizeRequests.emplace_back(call.index, call.value);
		return 1;
	};
	Instance editor = openAt(1.f, options);
	ASSERT_TRUE(editor.plugin);
	EXPECT_TRUE(sizeRequests.empty());
	EXPECT_TRUE(editor.plugin->setEditorScale(2.f));
	idleFor(*editor.plugin, 60);
	EXPECT_EQ(sizeRequests, (std::vector<std::pair<VstIntPtr, VstIntPtr>>{{800, 392}}));
	EXPECT_EQ(editorWindow(editor).width, 800);
	EXPECT_EQ(editorWindow(editor).height, 392);
	EXPECT_EQ(reportedSize(*editor.plugin).width, 800);
	EXPECT_FALSE(editor.plugin->setEditorScale(5.f));
	EXPECT_FALSE(editor.plugin->setEditorScale(0.5f));
	EXPECT_EQ(editorWindow(editor).width, 800);
	editor.plugin->dispatch(effEditClose);
}
