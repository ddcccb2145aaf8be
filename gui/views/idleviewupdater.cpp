#include "gui/views/idleviewupdater.h"

#include "gui/base/cvstguitimer.h"
#include "gui/views/cview.h"

#include <algorithm>

namespace VSTGUI
{

IdleViewUpdater* IdleViewUpdater::gInstance = nullptr;

// idleRate is a writable global: a rate of 0 or below means one call per
// second rather than a division by zero.
IdleViewUpdater::IdleViewUpdater() : timer(new CVSTGUITimer(this, 1000 / std::max<int32>(CView::idleRate, 1)))
{
	timer->start();
}

IdleViewUpdater::~IdleViewUpdater()
{
	timer->forget();
	if (gInstance == this)
		gInstance = nullptr;
}

void IdleViewUpdater::addView(CView* view)
{
	if (gInstance == nullptr)
		gInstance = new IdleViewUpdater();
	gInstance->views.push_back(view);
}

void IdleViewUpdater::removeView(CView* view)
{
	if (gInstance)
		gInstance->forgetView(view);
}

void IdleViewUpdater::forgetView(CView* view)
{
	if (tickDepth > 0)
		std::replace(views.begin(), views.end(), view, static_cast<CView*>(nullptr));
	else
		std::erase(views, view);
	if (getNbViews() > 0)
		return;
	// The last view is gone: a view registering from now on, even later in
	// this very tick, gets a fresh updater.
	gInstance = nullptr;
	forget();
}

MessageResult IdleViewUpdater::notify(CBaseObject*, const char*)
{
	// A view may release the last registration during the walk; our own
	// reference keeps the list alive until the walk has finished.
	CBaseObjectGuard self(this);
	++tickDepth;
	size_t count = views.size();
	for (size_t i = 0; i < count; ++i)
	{
		if (views[i])
			views[i]->onIdle();
	}
	if (--tickDepth == 0)
		compactViews();
	return kMessageHandled;
}

void IdleViewUpdater::compactViews()
{
	std::erase(views, nullptr);
}

std::size_t IdleViewUpdater::getNbViews() const
{
	return static_cast<std::size_t>(std::count_if(views.begin(), views.end(), [](CView* v) { return v != nullptr; }));
}

} // namespace VSTGUI
