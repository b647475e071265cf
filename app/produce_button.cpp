// The produce button: the same production as "pexolen produce", fed from the
// screens, with the busy title while it runs and the result on the image tab.
#include <memory>

#include "app/screens.h"
#include "base/translation.h"

namespace ovek {

ProductionInput Screens::productionInput()
{
    ProductionInput in;
    in.modelType = modelType;
    in.pattern = patternPane.getImage();
    in.mesh = &model3D;
    in.meshWidth = modelEdit.getWidth();
    in.meshHeight = modelEdit.getHeight();
    // The grey values production reads, kept since the picture was opened.
    in.depthGrey = imageModel.depthGrey().get();
    in.depthPicture = in.depthGrey ? nullptr : imageModel.getImage();
    in.imageFactory = [this](int w, int h) { return platform.createImage(w, h); };
    in.settings = settings;
    if (outputWidth > 0 && outputHeight > 0) {
        if (modelType == MODEL_TYPE_3D) {
            in.meshWidth = outputWidth;
            in.meshHeight = outputHeight;
        } else {
            in.depthWidth = outputWidth;
            in.depthHeight = outputHeight;
        }
    }
    return in;
}

void Screens::produceImageButtonClicked()
{
    // The live result is shown at once when it is that of the current inputs;
    // one still being made is waited for rather than made twice.
    installLiveResult();
    if (!liveIsCurrent() || !imagePane.getImage()) {
        platform.setTitle(busyTitle().c_str());
        finishLive();
        std::unique_ptr<Image> result;
        FileResult status;
        if (!liveIsCurrent() || !imagePane.getImage())
            result = produceStereogram(productionInput(), &status);
        platform.setTitle(titleText().c_str());
        if (result) {
            imagePane.setImage(std::move(result));   // the previous result is freed
            if (live)
                liveShown = live->newest();   // made from the same inputs: the live one adds nothing
        } else if (!liveIsCurrent() || !imagePane.getImage()) {
            setStatusNote(tr("Cannot make the stereogram"));
            platform.showMessage("Pexolen", status.error.c_str());
            return;
        }
    }
    resultUnsaved = true;   // the user asked for it: closing asks first
    setState(MAIN_STATE_IMAGE);
}

}  // namespace ovek
