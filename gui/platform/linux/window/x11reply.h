// xcb hands every reply and error over as malloc'd memory that the caller
// frees; these hold one until the end of the scope.
#pragma once

#include <cstdlib>
#include <memory>

namespace VSTGUI
{

struct FreeReply
{
	void operator()(void* reply) const { std::free(reply); }
};

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// owned(xcb_..._reply(...)): the reply, or null, freed when it goes.
template <typename Reply> ReplyPtr<Reply> owned(Reply* reply)
{
	return ReplyPtr<Reply>(reply);
}

} // namespace VSTGUI
