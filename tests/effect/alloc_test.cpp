// Processing must not allocate: every allocation of this program is counted.
// A program of its own, because replacing the global allocation functions
// would also replace them inside a loaded module.
#include "effect/corvane.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

namespace
{

std::atomic<long> gAllocations{0};

void* countedAlloc(std::size_t size)
{
	gAllocations++;
	return std::malloc(size ? size : 1);
}

} // namespace

void* operator new(std::size_t size)
{
	if (void* p = countedAlloc(size))
		return p;
	throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
	return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
	return countedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
	return countedAlloc(size);
}
void operator delete(void* p) noexcept
{
	std::free(p);
}
void operator delete[](void* p) noexcept
{
	std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
	std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
	std::free(p);
}

TEST(Filter, ProcessingAllocatesNothing)
{
	Corvane effect(nullptr);
	std::vector<float> left(512), right(512), outL(512), outR(512);
	std::vector<double> dleft(512), dright(512), doutL(512), doutR(512);
	for (std::size_t i = 0; i < 512; i++)
		left[i] = static_cast<float>(dleft[i] = std::sin(0.05 * double(i)));
	float* in[2] = {left.data(), right.data()};
	float* out[2] = {outL.data(), outR.data()};
	double* din[2] = {dleft.data(), dright.data()};
	double* dout[2] = {doutL.data(), doutR.data()};
	AEffect* e = effect.getAeffect();

	long before = gAllocations.load();
	for (int block = 0; block < 100; block++)
	{
		e->processReplacing(e, in, out, 512);
		e->processDoubleReplacing(e, din, dout, 512);
		e->setParameter(e, 0, float(block) / 100.f);
		e->getParameter(e, 0);
	}
	EXPECT_EQ(gAllocations.load(), before);

	// The counter does count: constructing an effect allocates.
	auto* other = new Corvane(nullptr);
	EXPECT_GT(gAllocations.load(), before);
	delete other;
}
