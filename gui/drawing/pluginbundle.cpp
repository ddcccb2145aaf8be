#include "gui/drawing/pluginbundle.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

namespace VSTGUI
{

PluginBundle* gBundleRef = nullptr;

namespace
{

// The bundle handed out last; not a reference of its own, so that the bundle
// goes away with the last reference its users hold. Its destructor clears it.
PluginBundle* sharedBundle = nullptr;

bool isRegularFile(const std::string& path)
{
	struct stat info;
	return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

PluginBundle::PluginBundle(const std::string& bundlePath)
: path(bundlePath), resourcesPath(bundlePath + "/Contents/Resources")
{
}

PluginBundle::~PluginBundle()
{
	if (sharedBundle == this)
		sharedBundle = nullptr;
}

std::string PluginBundle::findResource(const char* name, const char* type) const
{
	if (!name || *name == 0 || std::strchr(name, '/'))
		return {};
	std::string file = resourcesPath + "/" + name;
	if (type)
		file += std::string(".") + type;
	return isRegularFile(file) ? file : std::string();
}

bool bundlePathFromModulePath(const char* modulePath, std::string& bundlePath)
{
	std::string remaining = modulePath ? modulePath : "";
	for (int component = 0; component < 3; ++component)
	{
		const size_t slash = remaining.rfind('/');
		if (slash == std::string::npos)
		{
			std::fputs("Could not determine bundle location.\n", stdout);
			std::fflush(stdout);
			return false;
		}
		remaining.erase(slash);
	}
	bundlePath = remaining;
	return true;
}

PluginBundle* getBundleForModulePath(const char* modulePath)
{
	std::string bundlePath;
	if (!bundlePathFromModulePath(modulePath, bundlePath))
		return nullptr;
	if (sharedBundle && sharedBundle->getPath() == bundlePath)
	{
		sharedBundle->remember();
		return sharedBundle;
	}
	sharedBundle = new PluginBundle(bundlePath);
	return sharedBundle;
}

PluginBundle* GetPluginBundle()
{
	Dl_info info{};
	if (::dladdr(reinterpret_cast<void*>(&GetPluginBundle), &info) == 0 || !info.dli_fname)
		return nullptr;
	// Users link the module into a host's plug-in folder (~/.vst/Corvane.so
	// pointing into the bundle): the bundle is where the file really is.
	char* real = ::realpath(info.dli_fname, nullptr);
	PluginBundle* bundle = getBundleForModulePath(real ? real : info.dli_fname);
	std::free(real);
	return bundle;
}

namespace
{

const BuiltInResource* builtIns = nullptr;
std::size_t builtInCount = 0;

// The image decoder and fontconfig read files, so a built-in resource is
// given a file of its own: an anonymous one in memory, reached through
// /proc, open for the rest of the process.
std::string fileOfBuiltIn(const BuiltInResource& resource)
{
	static std::map<std::string, std::string> files;
	auto known = files.find(resource.name);
	if (known != files.end())
		return known->second;
	int fd = ::memfd_create(resource.name, MFD_CLOEXEC);
	if (fd < 0)
		return {};
	std::size_t written = 0;
	while (written < resource.size)
	{
		ssize_t n = ::write(fd, resource.data + written, resource.size - written);
		if (n <= 0)
		{
			::close(fd);
			return {};
		}
		written += static_cast<std::size_t>(n);
	}
	return files[resource.name] = "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

void setBuiltInResources(const BuiltInResource* resources, std::size_t count)
{
	builtIns = resources;
	builtInCount = resources ? count : 0;
}

std::string findResourceFile(const char* name)
{
	if (gBundleRef)
	{
		std::string path = gBundleRef->findResource(name, nullptr);
		if (!path.empty())
			return path;
	}
	for (std::size_t i = 0; name && i < builtInCount; i++)
	{
		if (std::strcmp(builtIns[i].name, name) == 0)
			return fileOfBuiltIn(builtIns[i]);
	}
	return {};
}

} // namespace VSTGUI
