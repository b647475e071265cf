// Open and save, by tab. A file that cannot be read or written is reported to
// the user and leaves every picture, the mesh and its history as they were.
#include <memory>

#include "app/screens.h"
#include "base/name_ending.h"
#include "base/translation.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"

namespace ovek {

// The labels are translated where a dialog shows them.
const char kModelOpenFilter[] = N_("3DS Files(*.3ds)") "\0*.3ds\0" N_("Ovek Model File(*.om)")
    "\0*.om\0" N_("BMP Files(*.bmp)") "\0*.bmp\0"
    N_("Other Models(*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae)")
    "\0*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae\0";
const char kBMPFilter[] = N_("BMP Files(*.bmp)") "\0*.bmp\0";
// The native file first: any name without another model ending is saved as it.
const char kModelSaveFilter[] = N_("MOD Files(*.om)") "\0*.om\0" N_("OBJ Files(*.obj)")
    "\0*.obj\0" N_("STL Files(*.stl)") "\0*.stl\0" N_("PLY Files(*.ply)") "\0*.ply\0";

namespace {

// The picture at path replaces the pane's (which is freed); the bounds stay.
FileResult replacePicture(Platform& platform, ImageComponent& pane, const std::string& path)
{
    FileResult result;
    std::unique_ptr<Image> picture(platform.createImageFromBMP(path.c_str(), &result));
    if (result)
        pane.image = std::move(picture);
    return result;
}

void report(Platform& platform, const std::string& text)
{
    platform.showMessage("Pexolen", text.c_str());
}

}  // namespace

std::string bmpSaveName(const std::string& chosen)
{
    return endsWithNoCase(chosen, ".bmp") ? chosen : chosen + ".bmp";
}

FileResult Screens::openOnModelTab(const std::string& path)
{
    FileResult opened = FileResult::success();
    if (modelKindOf(path) != ModelKind::None) {
        opened = openModelFile(path, &model3D);
        if (!opened)
            return opened;
        modelEdit.initHistory();
        modelType = MODEL_TYPE_3D;
    } else {
        if (FileResult r = replacePicture(platform, imageModel, path); !r)
            return r;
        modelType = MODEL_TYPE_IMAGE;
    }
    setState(main_state);   // the tab shows the mesh or the depth picture, as opened
    inputsChanged();
    return opened;   // with the warning of a model read only in part
}

FileResult Screens::openPattern(const std::string& path)
{
    FileResult result = replacePicture(platform, patternPane, path);
    inputsChanged();
    return result;
}

void Screens::openFileButtonClicked()
{
    const bool model = main_state == MAIN_STATE_MODEL;
    if (!model && main_state != MAIN_STATE_PATTERN)
        return;
    const std::string filter = trFilter(model ? kModelOpenFilter : kBMPFilter);
    const char* chosen = platform.loadFile(filter.c_str());
    if (!chosen)
        return;
    const std::string path = chosen;
    const FileResult r = model ? openOnModelTab(path) : openPattern(path);
    if (!r) {
        report(platform, trFormat("Cannot open '%s':\n%s", path, r.error));
    } else if (!r.warning.empty()) {
        // A model cut short is shown as far as it goes, and the user told so.
        report(platform, trFormat("Opened in part from '%s':\n%s", path, r.warning));
    }
}

void Screens::saveFileButtonClicked()
{
    if (main_state == MAIN_STATE_IMAGE) {
        const Image* result = imagePane.getImage();
        if (!result)
            return;
        const char* chosen = platform.saveFile(trFilter(kBMPFilter).c_str());
        if (!chosen)
            return;
        const std::string path = bmpSaveName(chosen);
        if (FileResult r = result->writeBMPFile(path); !r)
            report(platform, trFormat("Cannot save '%s':\n%s", path, r.error));
    } else if (main_state == MAIN_STATE_MODEL) {
        // The mesh, even while the tab shows a depth picture.
        const char* chosen = platform.saveFile(trFilter(kModelSaveFilter).c_str());
        if (!chosen)
            return;
        const std::string path = chosen;
        if (FileResult r = saveModelFile(path, model3D); !r)
            report(platform, trFormat("Cannot save '%s':\n%s", path, r.error));
    }
}

}  // namespace ovek
