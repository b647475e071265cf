// The image tab's stereogram kept up to date: every change of the inputs is a
// request to the background production, and its newest result is installed on
// the main thread as soon as the loop wakes.
#include <memory>

#include "app/screens.h"

namespace ovek {

namespace {

// Two workers: the machine's other cores stay with the user's drawing.
constexpr int kLiveThreads = 2;

}  // namespace

void Screens::startLive()
{
    live = std::make_unique<LiveProduction>(kLiveThreads);
    live->onReady = [this] { platform.wake(); };
    platform.onWake = [this] { installLiveResult(); };
    modelEdit.onMeshChanged = [this] { inputsChanged(); };
}

void Screens::stopLive()
{
    modelEdit.onMeshChanged = nullptr;
    platform.onWake = nullptr;
    live.reset();   // stops the run and waits for the worker
}

void Screens::inputsChanged()
{
    if (live)
        live->request(productionInput());
    platform.repaint();
}

bool Screens::installLiveResult()
{
    if (!live)
        return false;
    LiveProduction::Result r = live->take();
    if (r.number == 0 || r.number <= liveShown)
        return false;
    liveShown = r.number;
    // A refused input (too large, a setting out of range) leaves no picture:
    // the produce button then says why.
    imagePane.setImage(std::move(r.image));
    platform.repaint();
    return true;
}

bool Screens::liveIsCurrent() const
{
    return live && liveShown != 0 && liveShown == live->newest();
}

}  // namespace ovek
