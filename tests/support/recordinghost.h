// A host callback for tests that use the effect classes directly: it records
// every call and answers from a table the test fills.
#pragma once

#include "host/aeffectx.h"

#include <map>
#include <string>
#include <vector>

namespace corvane::test
{

struct RecordedCall
{
	AEffect* effect;
	VstInt32 opcode;
	VstInt32 index;
	VstIntPtr value;
	void* ptr;
	float opt;
};

// One recording host at a time: the callback has no user data.
class RecordingHost
{
public:
	RecordingHost() { current() = this; }
	~RecordingHost() { current() = nullptr; }

	static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
	{
		RecordingHost* host = current();
		if (!host)
			return 0;
		host->calls.push_back({effect, opcode, index, value, ptr, opt});
		auto it = host->answers.find(opcode);
		return it != host->answers.end() ? it->second : 0;
	}

	std::vector<RecordedCall> callsOf(VstInt32 opcode) const
	{
		std::vector<RecordedCall> result;
		for (const auto& c : calls)
			if (c.opcode == opcode)
				result.push_back(c);
		return result;
	}

	std::vector<RecordedCall> calls;
	std::map<VstInt32, VstIntPtr> answers{{audioMasterVersion, kVstVersion}};

private:
	static RecordingHost*& current()
	{
		static RecordingHost* host = nullptr;
		return host;
	}
};

} // namespace corvane::test
