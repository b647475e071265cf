// The produce button: the same production as "pexolen produce", fed from the
// screens, with the busy title while it runs and the result on the image tab.
#include <memory>

#include "app/screens.h"
#include "base/translation.h"
#include "toolkit/platform.h"

namespace ovek {

ProductionInput productionInput()
{
    ProductionInput in;
    in.modelType = modelType;
    in.pattern = patternPane->getImage();
    in.mesh = &model3D;
    in.meshWidth = modelEdit->getWidth();
    in.meshHeight = modelEdit->getHeight();
    in.depthPicture = imageModel->getImage();
    in.faces = &buttons::facesModel;
    in.imageFactory = [](int w, int h) { return MYPLAT.createImage(w, h); };
    return in;
}

namespace buttons {

void produceImageButtonClicked(int, int, int, EventObject*, int, int, bool)
{
    MYPLAT.setTitle(busyTitle().c_str());
    FileResult status;
    std::unique_ptr<Image> result = produceStereogram(productionInput(), &status);
    MYPLAT.setTitle(mainTitle().c_str());
    if (!result) {
        MYPLAT.showMessage("Pexolen", status.error.c_str());
        return;
    }
    delete imagePane->getImage();
    imagePane->setImage(result.release());
    tabs::setState(MAIN_STATE_IMAGE);
}

}  // namespace buttons

}  // namespace ovek
