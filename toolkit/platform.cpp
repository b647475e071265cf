#include "toolkit/platform.h"

#include <cstdio>

#include "toolkit/window_cells.h"

namespace ovek {

Platform MYPLAT;

void Platform::init(WindowSystem* windowSystem, int width, int height)
{
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        windows = windowSystem;
    }
    newBackBuffer(width, height);   // even at the same size
    setSize(width, height);
    inited = true;
}

void Platform::reset()
{
    rootComponent.children.clear();
    rootComponent.boundsChangedListener = nullptr;
    emptyComponents.clear();
    tooltipShown = false;
    tooltipBalance = 0;
    filesDropped = nullptr;
    fileName.clear();
    closeRequested = nullptr;
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        windows = nullptr;
    }
    onWake = nullptr;
    rootGraphics.reset();
    rootImage.reset();
    rootComponent.setBounds(0, 0, 0, 0);
    needRepaint = true;
    leftButtonDown = false;
    inited = false;
}

void Platform::wake()
{
    std::lock_guard<std::mutex> lock(wakeMutex_);
    if (windows)
        windows->wake();
}

void Platform::setSize(int w, int h)
{
    if (!rootImage || rootImage->width != w || rootImage->height != h)
        newBackBuffer(w, h);
    rootComponent.setBounds(0, 0, w, h);
}

void Platform::newBackBuffer(int w, int h)
{
    Surface* window = windows ? windows->rootSurface() : nullptr;
    rootGraphics.reset();
    // Cleared and resized in place rather than replaced: images made by
    // createImage point at its surface and would otherwise be left dangling.
    if (rootImage) {
        rootImage->setHDC(window);
        rootImage->setSize(w, h);
    } else {
        rootImage = std::make_unique<Image>(window, w, h);
    }
    rootGraphics = std::make_unique<Graphics>(rootImage.get());
    needRepaint = true;
}

void Platform::setTitle(const char* title)
{
    if (windows && title)
        windows->setTitle(title);
}

void Platform::showMessage(const char* title, const char* text)
{
    if (windows)
        windows->showMessage(title, text);
    else
        std::fprintf(stderr, "%s: %s\n", title, text);
}

int Platform::askQuestion(const char* title, const char* text,
                          const std::vector<std::string>& answers)
{
    return windows ? windows->askQuestion(title, text, answers) : -1;
}

bool Platform::mayClose()
{
    return !closeRequested || closeRequested();
}

void Platform::eventBegin()
{
    tooltipBalance = 0;
}

void Platform::eventEnd()
{
    if (tooltipBalance < 0 && tooltipShown) {
        if (windows)
            windows->destroyToolTip();
        tooltipShown = false;
    }
}

void Platform::showToolTip(const char* text)
{
    if (!text || !*text) {
        --tooltipBalance;
        return;
    }
    ++tooltipBalance;
    if (!windows)
        return;
    if (tooltipShown)
        windows->destroyToolTip();
    windows->createToolTip(text);
    tooltipShown = true;
}

Image* Platform::createImage(int w, int h)
{
    return rootImage ? rootImage->createImage(0, 0, w, h) : new Image(nullptr, w, h);
}

Image* Platform::createImageFromBMP(const char* path, FileResult* result)
{
    Image* img = createImage(1, 1);
    const FileResult r = img->loadImage(path ? path : "");
    if (result)
        *result = r;
    return img;
}

const char* Platform::askFile(FileDialogKind kind, const char* filter)
{
    fileName.clear();
    if (!windows)
        return nullptr;
    std::string path;
    if (!windows->showFileDialog(kind, splitFilterList(filter), path) || path.empty())
        return nullptr;
    fileName = path;
    return fileName.c_str();
}

const char* Platform::saveFile(const char* filter)
{
    return askFile(FileDialogKind::Save, filter);
}

const char* Platform::loadFile(const char* filter)
{
    return askFile(FileDialogKind::Open, filter);
}

void Platform::flush()
{
    if (!inited || !needRepaint)
        return;
    const int w = rootImage->width, h = rootImage->height;
    rootGraphics->setColor(0, 0, 0);
    rootGraphics->fillRect(0, 0, w, h);
    rootImage->refresh();
    rootComponent.paint(rootGraphics.get());
    for (const WindowCell& c : windowCells(w, h, emptyComponents))
        rootImage->paint(c.x, c.y, c.width, c.height, c.x, c.y);
    needRepaint = false;
}

int Platform::getAsyncKeyState(int key)
{
    return windows ? windows->asyncKeyState(key) : 0;
}

}  // namespace ovek
