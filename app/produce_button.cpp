// The produce button: the same production as "pexolen produce", fed from the
// screens, with the busy title while it runs and the result on the image tab.
#include <memory>

#include "app/screens.h"

namespace ovek {

ProductionInput Screens::productionInput()
{
    ProductionInput in;
    in.modelType = modelType;
    in.pattern = patternPane.getImage();
    in.mesh = &model3D;
    in.meshWidth = modelEdit.getWidth();
    in.meshHeight = modelEdit.getHeight();
    in.depthPicture = imageModel.getImage();
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
    // The live result is shown at once when it is that of the current inputs.
    installLiveResult();
    if (liveIsCurrent() && imagePane.getImage()) {
        setState(MAIN_STATE_IMAGE);
        return;
    }
    platform.setTitle(busyTitle().c_str());
    FileResult status;
    std::unique_ptr<Image> result = produceStereogram(productionInput(), &status);
    platform.setTitle(mainTitle().c_str());
    if (!result) {
        platform.showMessage("Pexolen", status.error.c_str());
        return;
    }
    imagePane.setImage(std::move(result));   // the previous result is freed
    if (live)
        liveShown = live->newest();   // made from the same inputs: the live one adds nothing
    setState(MAIN_STATE_IMAGE);
}

}  // namespace ovek
