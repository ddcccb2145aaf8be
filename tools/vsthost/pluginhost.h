// A small VST 2.4 host: loads a plug-in module, answers its callbacks the
// way a plain host does, records every callback, and drives the effect
// record. Used by the command-line host and by the tests, with any plug-in.
//
// Threads: a HostedPlugin may be driven from several threads the way a real
// host does (processing on one, requests on another); the record of
// callbacks is guarded by a mutex.
#pragma once

#include "host/aeffectx.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace corvane
{

// One callback from the plug-in, as it arrived.
struct HostCall
{
	VstInt32 opcode = 0;
	VstInt32 index = 0;
	VstIntPtr value = 0;
	void* ptr = nullptr;
	float opt = 0.f;
	std::string text; // the string argument of requests that pass one (canDo)
};

// The published name of a host opcode ("audioMasterAutomate"), or "opcode N".
std::string hostOpcodeName(VstInt32 opcode);
// The published name of an effect opcode ("effEditGetRect"), or "opcode N".
std::string effectOpcodeName(VstInt32 opcode);

// Where the host writes the name of the plug-in call in progress, before
// each call ("VSTPluginMain", "effEditGetRect", "processReplacing"): a
// process that watches a child running the plug-in can then say where it
// crashed. The buffer must outlive every HostedPlugin; null stops it.
void setCallMarker(char* buffer, std::size_t size);

struct HostOptions
{
	// The answer to audioMasterVersion; 0 plays a host that is not a VST host.
	VstIntPtr version = kVstVersion;
	float sampleRate = 44100.f;
	VstInt32 blockSize = 512;
	// Consulted first for every callback; an answer replaces the default one.
	std::function<std::optional<VstIntPtr>(const HostCall&)> handler;
	// Called for every callback after it is recorded (for logging).
	std::function<void(const HostCall&, VstIntPtr answer)> observer;
	// Whether destroying the HostedPlugin unmaps the module. By default it
	// stays mapped, as in most hosts: libraries that a plug-in pulls in keep
	// process-wide state (cairo's caches, for one) that unmapping strands,
	// and LeakSanitizer then reports it as lost.
	bool unloadModule = false;
};

class HostedPlugin
{
public:
	// Loads the module at path and calls its entry point. On failure answers
	// null and puts one line into error: the dlerror text, a missing entry
	// point, or a plug-in that refused to start.
	static std::unique_ptr<HostedPlugin> load(const std::string& path, std::string& error, HostOptions options = {});

	// Closes the effect (effClose) if it is still open and unloads the module.
	~HostedPlugin();
	HostedPlugin(const HostedPlugin&) = delete;
	HostedPlugin& operator=(const HostedPlugin&) = delete;

	// The effect record; null after close().
	AEffect* effect() const { return effect_; }
	VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.f);
	// effClose; the record is gone afterwards. Answers the plug-in's result.
	VstIntPtr close();

	// Text requests with a generous, zeroed buffer.
	std::string getString(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

	// Asks the plug-in to draw its editor at this scale factor (the request
	// hosts send through effVendorSpecific); answers whether it took it. One
	// that did reports its editor's size in device pixels from then on.
	bool setEditorScale(float factor);

	float getParameter(VstInt32 index);
	void setParameter(VstInt32 index, float value);
	void processReplacing(float** inputs, float** outputs, VstInt32 frames);
	void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames);

	bool hasFlag(VstInt32 flag) const { return effect_ && (effect_->flags & flag) != 0; }

	std::vector<HostCall> calls() const;
	void clearCalls();
	// How many callbacks with this opcode arrived.
	std::size_t countCalls(VstInt32 opcode) const;

	HostOptions& options() { return options_; }

private:
	HostedPlugin() = default;
	static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
	VstIntPtr answer(const HostCall& call);

	void* library_ = nullptr;
	AEffect* effect_ = nullptr;
	HostOptions options_;
	mutable std::mutex mutex_;
	std::vector<HostCall> calls_;
};

// The names of the effect flags that are set, in bit order.
std::vector<std::string> effectFlagNames(VstInt32 flags);
// A four-character id as text, with non-printable bytes as '.'.
std::string fourCharString(VstInt32 id);
// The published name of a plug-in category, or "unknown (N)".
std::string categoryName(VstIntPtr category);

} // namespace corvane
