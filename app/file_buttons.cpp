// Open and save, by tab. A file that cannot be read or written is reported to
// the user and leaves every picture, the mesh and its history as they were.
#include <memory>

#include "app/screens.h"
#include "base/name_ending.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"
#include "toolkit/platform.h"

namespace ovek {

const char kModelOpenFilter[] =
    "3DS Files(*.3ds)\0*.3ds\0Ovek Model File(*.om)\0*.om\0BMP Files(*.bmp)\0*.bmp\0"
    "Other Models(*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae)\0"
    "*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae\0";
const char kBMPFilter[] = "BMP Files(*.bmp)\0*.bmp\0";
// The native file first: any name without another model ending is saved as it.
const char kModelSaveFilter[] =
    "MOD Files(*.om)\0*.om\0OBJ Files(*.obj)\0*.obj\0STL Files(*.stl)\0*.stl\0"
    "PLY Files(*.ply)\0*.ply\0";

namespace {

// The picture at path replaces the pane's (which is freed); the bounds stay.
FileResult replacePicture(ImageComponent* pane, const std::string& path)
{
    FileResult result;
    std::unique_ptr<Image> picture(MYPLAT.createImageFromBMP(path.c_str(), &result));
    if (!result)
        return result;
    delete pane->image;
    pane->image = picture.release();
    return result;
}

void report(const char* verb, const std::string& path, const FileResult& result)
{
    const std::string text = std::string("Cannot ") + verb + " '" + path + "':\n" + result.error;
    MYPLAT.showMessage("Pexolen", text.c_str());
}

}  // namespace

std::string bmpSaveName(const std::string& chosen)
{
    return endsWithNoCase(chosen, ".bmp") ? chosen : chosen + ".bmp";
}

FileResult openOnModelTab(const std::string& path)
{
    if (modelKindOf(path) != ModelKind::None) {
        if (FileResult r = openModelFile(path, &model3D); !r)
            return r;
        modelEdit->initHistory();
        modelType = MODEL_TYPE_3D;
    } else {
        if (FileResult r = replacePicture(imageModel, path); !r)
            return r;
        modelType = MODEL_TYPE_IMAGE;
    }
    const bool mesh = modelType == MODEL_TYPE_3D;
    imageModel->setVisible(!mesh);
    modelEdit->setVisible(mesh);
    pane3D->setVisible(mesh);
    MYPLAT.repaint();
    return FileResult::success();
}

FileResult openPattern(const std::string& path)
{
    FileResult result = replacePicture(patternPane, path);
    MYPLAT.repaint();
    return result;
}

namespace buttons {

void openFileButtonClicked(int, int, int, EventObject*, int, int, bool)
{
    const bool model = main_state == MAIN_STATE_MODEL;
    if (!model && main_state != MAIN_STATE_PATTERN)
        return;
    const char* chosen = MYPLAT.loadFile(model ? kModelOpenFilter : kBMPFilter);
    if (!chosen)
        return;
    const std::string path = chosen;
    if (FileResult r = model ? openOnModelTab(path) : openPattern(path); !r)
        report("open", path, r);
}

void saveFileButtonClicked(int, int, int, EventObject*, int, int, bool)
{
    if (main_state == MAIN_STATE_IMAGE) {
        const Image* result = imagePane->getImage();
        if (!result)
            return;
        const char* chosen = MYPLAT.saveFile(kBMPFilter);
        if (!chosen)
            return;
        const std::string path = bmpSaveName(chosen);
        if (FileResult r = result->writeBMPFile(path); !r)
            report("save", path, r);
    } else if (main_state == MAIN_STATE_MODEL) {
        // The mesh, even while the tab shows a depth picture.
        const char* chosen = MYPLAT.saveFile(kModelSaveFilter);
        if (!chosen)
            return;
        const std::string path = chosen;
        if (FileResult r = saveModelFile(path, model3D); !r)
            report("save", path, r);
    }
}

}  // namespace buttons

}  // namespace ovek
