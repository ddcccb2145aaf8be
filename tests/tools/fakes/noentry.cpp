// A shared library that is no plug-in: it exports a function, but not the
// entry point a host looks for.
#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT int corvaneFakeAnswer()
{
	return 42;
}
