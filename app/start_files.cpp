// Files given by name rather than through the open dialog: the window's
// arguments at start-up and files dropped on the window.
#include "app/screens.h"
#include "app/status_note.h"
#include "base/translation.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

// Every failure of one start or drop in one message box, not one box each.
void reportAll(Platform& platform, const std::vector<std::string>& failures)
{
    if (failures.empty())
        return;
    std::string text;
    for (const std::string& f : failures)
        text += (text.empty() ? "" : "\n\n") + f;
    platform.showMessage("Pexolen", text.c_str());
}

}  // namespace

FileTarget fileTargetOf(int mainState, const std::string& path)
{
    const bool model = modelKindOf(path) != ModelKind::None;
    return mainState == MAIN_STATE_PATTERN && !model ? FileTarget::Pattern : FileTarget::ModelTab;
}

bool Screens::openNamed(const std::string& path, FileTarget target,
                        std::vector<std::string>& failures)
{
    // A depth picture leaves the mesh alone; a model replaces it.
    if (target == FileTarget::ModelTab && modelKindOf(path) != ModelKind::None &&
        !keepMeshEdits(trFormat("The model has changes that are not saved.\n"
                                "Save them before opening '%s'?",
                                path)))
        return false;
    const FileResult r = target == FileTarget::Pattern ? openPattern(path) : openOnModelTab(path);
    if (!r) {
        failures.push_back(trFormat("Cannot open '%s':\n%s", path, r.error));
        setStatusNote(failureNote(FileDeed::Opened, path));
        return false;
    }
    if (!r.warning.empty())
        failures.push_back(trFormat("Opened in part from '%s':\n%s", path, r.warning));
    if (target == FileTarget::Pattern && patternPane.getImage())
        setStatusNote(pictureNote(FileDeed::Opened, path, patternPane.getImage()->getWidth(),
                                  patternPane.getImage()->getHeight()));
    else if (target == FileTarget::ModelTab && modelType == MODEL_TYPE_IMAGE)
        setStatusNote(pictureNote(FileDeed::Opened, path, imageModel.pictureWidth(),
                                  imageModel.pictureHeight()));
    else
        setStatusNote(meshNote(FileDeed::Opened, path, model3D));
    inputsChanged();
    return true;
}

void Screens::filesDropped(const std::vector<std::string>& paths)
{
    std::vector<std::string> failures;
    bool model = false;
    for (const std::string& path : paths) {
        const FileTarget target = fileTargetOf(main_state, path);
        model |= openNamed(path, target, failures) && target == FileTarget::ModelTab;
    }
    if (model)
        setState(MAIN_STATE_MODEL);   // show what the drop brought
    reportAll(platform, failures);
}

void Screens::openStartArguments(const WindowArgs& args)
{
    settings = args.settings;
    std::vector<std::string> failures;
    if (args.pattern == "none")
        patternPane.image.reset();   // a black start, as produce makes it
    else if (!args.pattern.empty())
        openNamed(args.pattern, FileTarget::Pattern, failures);
    bool model = false;
    for (const std::string& path : args.files)
        model |= openNamed(path, FileTarget::ModelTab, failures);
    if (args.sizeGiven) {
        outputWidth = args.width;
        outputHeight = args.height;
    } else if (!args.files.empty() && modelType == MODEL_TYPE_3D) {
        // What produce makes of a model without --size, whatever size the
        // window has; a depth picture keeps the design's rule, as in produce.
        const ProductionInput produceDefault;
        outputWidth = produceDefault.meshWidth;
        outputHeight = produceDefault.meshHeight;
    }
    if (model)
        setState(MAIN_STATE_MODEL);
    inputsChanged();
    if (!failures.empty()) {
        // The screens show behind the message, not an empty window.
        platform.repaint();
        platform.flush();
        reportAll(platform, failures);
    }
}

}  // namespace ovek
