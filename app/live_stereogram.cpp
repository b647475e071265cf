// The image tab's stereogram kept up to date: every change of the inputs is a
// request to the background production, and its newest result is installed on
// the main thread as soon as the loop wakes.
#include <memory>
#include <string>

#include "app/screens.h"
#include "image/image.h"
#include "image/picture_draw.h"
#include "mesh/component3d.h"

namespace ovek {

namespace {

// Two workers: the machine's other cores stay with the user's drawing.
constexpr int kLiveThreads = 2;

template <class T>
void put(std::string& key, const T& value)
{
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// What a production reads, as far as it is cheap to compare: a change that
// was not reported through inputsChanged still makes the live result stale
// for the produce button. (The pictures count by identity and size.)
std::string inputsKey(const ProductionInput& in)
{
    std::string key;
    put(key, in.modelType);
    for (const Image* img : {in.pattern, in.depthPicture}) {
        put(key, img);
        put(key, img ? img->width : 0);
        put(key, img ? img->height : 0);
    }
    put(key, in.mesh);
    if (in.mesh) {
        put(key, in.mesh->changeCount);
        put(key, in.mesh->points.size());
        put(key, in.mesh->faces.size());
    }
    for (int v : {in.meshWidth, in.meshHeight, in.depthWidth, in.depthHeight})
        put(key, v);
    const StereogramSettings& s = in.settings;
    put(key, s.viewing);
    put(key, s.pattern);
    put(key, s.guides);
    put(key, s.invert);
    put(key, s.mark);
    put(key, s.seed);
    put(key, s.oversample);
    for (double v : {s.eyeSeparation, s.dpi, s.depthScale, s.density, s.rotateX, s.rotateY,
                     s.rotateZ})
        put(key, v);
    return key;
}

}  // namespace

void Screens::startLive()
{
    live = std::make_unique<LiveProduction>(kLiveThreads);
    live->onReady = [this] { platform.wake(); };
    platform.onWake = [this] { installLiveResult(); };
    modelEdit.onMeshChanged = [this] { inputsChanged(); };
    modelEdit.afterOverlay = [this](OverlayPainter& painter) {
        if (livePreviewShown && livePreview.width > 0)
            painter.drawPicture(livePreview.pixels.data(), livePreview.width, livePreview.height,
                                livePreviewX(), livePreviewY());
    };
}

void Screens::stopLive()
{
    modelEdit.onMeshChanged = nullptr;
    modelEdit.afterOverlay = nullptr;
    platform.onWake = nullptr;
    live.reset();   // stops the run and waits for the worker
}

void Screens::inputsChanged()
{
    if (live) {
        const ProductionInput in = productionInput();
        liveKey = inputsKey(in);
        live->request(in, modelType == MODEL_TYPE_IMAGE ? imageModel.depthGrey() : nullptr);
    }
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
    updateLivePreview();
    enableSave();
    platform.repaint();

    return true;
}

namespace {

constexpr int kPreviewMargin = 8;               // pixels from the pane's edges
constexpr uint32_t kPreviewFrame = 0x808080;    // one pixel of grey around it

}  // namespace

void Screens::updateLivePreview()
{
    Image* result = imagePane.getImage();
    const int paneWidth = pane3D ? pane3D->width : 0, paneHeight = pane3D ? pane3D->height : 0;
    if (!result || result->width <= 0 || result->height <= 0 || paneWidth <= 0) {
        livePreview.resize(0, 0);
        return;
    }
    // A quarter of the pane's width, at most a third of its height.
    int w = paneWidth / 4;
    int h = int((long long)w * result->height / result->width);
    if (h > paneHeight / 3) {
        h = paneHeight / 3;
        w = int((long long)h * result->width / result->height);
    }
    if (w < 8 || h < 8) {
        livePreview.resize(0, 0);
        return;
    }
    // Scaled straight from the result's pixels: no full-size display surface.
    livePreview.resize(w + 2, h + 2);
    livePreview.fillRect(0, 0, w + 2, h + 2, kPreviewFrame);
    PicturePlacement at;
    at.originX = at.originY = 1;
    at.scale = double(w) / result->width;
    drawPicture(livePreview, *result, at, 1, 1, w + 1, h + 1);
}

int Screens::livePreviewX() const
{
    return pane3D->width - livePreview.width - kPreviewMargin;
}

int Screens::livePreviewY() const
{
    return pane3D->height - livePreview.height - kPreviewMargin;
}

void Screens::finishLive()
{
    if (!live || liveKey != inputsKey(productionInput()))
        return;
    live->waitIdle();
    installLiveResult();
}

bool Screens::liveIsCurrent()
{
    return live && liveShown != 0 && liveShown == live->newest() &&
           liveKey == inputsKey(productionInput());
}

}  // namespace ovek
