// Calls onIdle() on every attached view that wants idle calls, CView::idleRate
// times per second, from one timer on the module's run loop.
//
// Ownership: one shared instance (gInstance) exists exactly while at least
// one view is registered; the first addView creates it and starts its timer,
// the removal of the last view releases it. Views are held without
// references: CView registers on attach and unregisters on detach.
// A view may unregister (stop wanting idle, be detached or destroyed) from
// inside any onIdle() call, its own included. User-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

#include <cstddef>
#include <vector>

namespace VSTGUI
{

class CView;
class CVSTGUITimer;

class IdleViewUpdater : public CBaseObject
{
public:
	static IdleViewUpdater* gInstance;

	static void addView(CView* view);
	// Ends every registration of view; unknown views are ignored.
	static void removeView(CView* view);

	// One tick: onIdle() for every registered view, in order of registration.
	MessageResult notify(CBaseObject* sender, const char* message) override;

	std::size_t getNbViews() const;

private:
	IdleViewUpdater();
	~IdleViewUpdater() override;
	void forgetView(CView* view);
	void compactViews();

	CVSTGUITimer* timer;
	// Entries removed during a tick are nulled and compacted after it, so
	// that the walk's indices stay valid.
	std::vector<CView*> views;
	int32 tickDepth{0};
};

} // namespace VSTGUI
