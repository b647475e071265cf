// Open and save, by tab. A file that cannot be read or written is reported to
// the user and leaves every picture, the mesh and its history as they were.
#include <memory>

#include "app/save_names.h"
#include "app/screens.h"
#include "app/status_note.h"
#include "base/translation.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"

namespace ovek {

// The labels are translated where a dialog shows them (spelled out in full:
// the catalogue tools read the literals). The first filter of each open
// dialog, the one selected, lists every file that tab reads.
const char kModelOpenFilter[] =
    N_("Models and Depth Pictures(*.3ds;*.om;*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae;"
       "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam)")
    "\0*.3ds;*.om;*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae;"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam\0"
    N_("3DS Files(*.3ds)") "\0*.3ds\0" N_("Ovek Model File(*.om)") "\0*.om\0"
    N_("BMP Files(*.bmp)") "\0*.bmp\0"
    N_("Other Models(*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae)")
    "\0*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae\0"
    N_("Pictures(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam)")
    "\0*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam\0"
    N_("All Files(*.*)") "\0*.*\0";
const char kPictureOpenFilter[] =
    N_("Pictures(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam)")
    "\0*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam\0"
    N_("BMP Files(*.bmp)") "\0*.bmp\0" N_("PNG Files(*.png)") "\0*.png\0"
    N_("JPEG Files(*.jpg;*.jpeg)") "\0*.jpg;*.jpeg\0" N_("GIF Files(*.gif)") "\0*.gif\0"
    N_("PNM Files(*.pbm;*.pgm;*.ppm;*.pnm;*.pam)") "\0*.pbm;*.pgm;*.ppm;*.pnm;*.pam\0"
    N_("All Files(*.*)") "\0*.*\0";
// BMP first: a name without a picture ending is saved as one.
const char kPictureSaveFilter[] =
    N_("BMP Files(*.bmp)") "\0*.bmp\0" N_("PNG Files(*.png)") "\0*.png\0"
    N_("JPEG Files(*.jpg;*.jpeg)") "\0*.jpg;*.jpeg\0" N_("PPM Files(*.ppm;*.pnm)")
    "\0*.ppm;*.pnm\0";
// The native file first: a name without another model ending gets ".om".
const char kModelSaveFilter[] = N_("Ovek Model File(*.om)") "\0*.om\0" N_("OBJ Files(*.obj)")
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

// Asks for a name and writes picture under it, by its ending; false when the
// user cancels or the file cannot be written (said to the user). The title
// notes what happened.
bool savePicture(Screens& screens, const Image& picture)
{
    Platform& platform = screens.platform;
    const char* chosen = platform.saveFile(trFilter(kPictureSaveFilter).c_str());
    if (!chosen)
        return false;
    const PictureSaveName name = pictureSaveName(chosen);
    if (FileResult r = writePictureFile(picture, name.format, name.path); !r) {
        screens.setStatusNote(failureNote(FileDeed::Saved, name.path));
        report(platform, trFormat("Cannot save '%s':\n%s", name.path, r.error));
        return false;
    }
    screens.setStatusNote(
        pictureNote(FileDeed::Saved, name.path, picture.getWidth(), picture.getHeight()));
    return true;
}

}  // namespace

FileResult Screens::openOnModelTab(const std::string& path)
{
    FileResult opened = FileResult::success();
    if (modelKindOf(path) != ModelKind::None) {
        opened = openModelFile(path, &model3D);
        if (!opened)
            return opened;
        modelEdit.initHistory();
        meshAsSaved.take(model3D);
        modelType = MODEL_TYPE_3D;
    } else {
        FileResult read;
        std::unique_ptr<Image> picture(platform.createImageFromBMP(path.c_str(), &read));
        if (!read)
            return read;
        imageModel.setDepthPicture(std::move(picture));
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
    const std::string filter = trFilter(model ? kModelOpenFilter : kPictureOpenFilter);
    const char* chosen = platform.loadFile(filter.c_str());
    if (!chosen)
        return;
    // A model cut short is shown as far as it goes, and the user told so.
    std::vector<std::string> failures;
    openNamed(chosen, model ? FileTarget::ModelTab : FileTarget::Pattern, failures);
    for (const std::string& f : failures)
        report(platform, f);
}

bool Screens::saveResult()
{
    const Image* result = imagePane.getImage();
    if (!result || !savePicture(*this, *result))
        return false;
    resultUnsaved = false;
    return true;
}

bool Screens::saveMesh()
{
    const char* chosen = platform.saveFile(trFilter(kModelSaveFilter).c_str());
    if (!chosen)
        return false;
    const std::string path = modelSaveName(chosen);
    if (FileResult r = saveModelFile(path, model3D); !r) {
        setStatusNote(failureNote(FileDeed::Saved, path));
        report(platform, trFormat("Cannot save '%s':\n%s", path, r.error));
        return false;
    }
    setStatusNote(meshNote(FileDeed::Saved, path, model3D));
    meshAsSaved.take(model3D);
    return true;
}

void Screens::saveFileButtonClicked()
{
    if (main_state == MAIN_STATE_IMAGE) {
        saveResult();
    } else if (main_state == MAIN_STATE_MODEL) {
        // What the tab shows: the depth picture, or the mesh.
        if (modelType == MODEL_TYPE_IMAGE) {
            if (const Image* depth = imageModel.getImage())
                savePicture(*this, *depth);
        } else {
            saveMesh();
        }
    }
}

}  // namespace ovek
