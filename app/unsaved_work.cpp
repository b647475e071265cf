// No lost work: before an edited mesh is replaced, and before the window
// closes over an edited mesh or a stereogram the user made and did not save,
// the user chooses to save, discard or cancel.
#include "app/screens.h"
#include "base/translation.h"

namespace ovek {

namespace {

enum class Answer { Save, Discard, Cancel };

// The answers in the order the window system shows them: the first is what
// closing the box gives, so it must be the harmless one.
Answer ask(Platform& platform, const std::string& question)
{
    const std::vector<std::string> answers = {tr("Cancel"), tr("Save"), tr("Discard")};
    switch (platform.askQuestion("Pexolen", question.c_str(), answers)) {
    case 1:
        return Answer::Save;
    case 2:
        return Answer::Discard;
    default:   // cancelled, closed, or no box could be shown: nothing is lost
        return Answer::Cancel;
    }
}

}  // namespace

bool Screens::meshEdited() const
{
    return meshAsSaved.differs(model3D);
}

bool Screens::keepMeshEdits(const std::string& question)
{
    if (!meshEdited())
        return true;
    switch (ask(platform, question)) {
    case Answer::Save:
        return saveMesh();   // a save cancelled or failed keeps everything as it is
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool Screens::mayClose()
{
    if (!keepMeshEdits(tr("The model has changes that are not saved.\nSave them before closing?")))
        return false;
    if (!resultUnsaved)
        return true;
    switch (ask(platform, tr("The stereogram has not been saved.\nSave it before closing?"))) {
    case Answer::Save:
        return saveResult();
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

}  // namespace ovek
