#include "tests/production/literal_production.h"

#include <algorithm>

#include "engine/reference/diff_viewer_model.h"
#include "engine/reference/face_viewer_model.h"
#include "engine/reference/image_object_model.h"
#include "engine/triangle_model.h"
#include "engine/reference/y_changed_object_model.h"
#include "image/image.h"
#include "production/signature_mark.h"

namespace literal {

namespace {

// The planes reach the picture in memory byte order.
void copyRow(const ViewerModel& viewer, ovek::Image& result, int row)
{
    if (row >= result.getHeight())
        return;
    for (int j = 0; j < result.getWidth(); ++j)
        result.setColor(j, row, viewer.getR(j, row), viewer.getG(j, row), viewer.getB(j, row));
}

}  // namespace

std::unique_ptr<ovek::Image> depthRows(const ovek::Image* depth, const ovek::Image* pattern,
                                       int width, int height, int span)
{
    auto result = std::make_unique<ovek::Image>(nullptr, width, height);
    const ovek::Image flat(nullptr, 1, 1);
    ImageObjectModel picture(depth ? depth : &flat);
    BackLayModel back;
    const ObjectModel* layers[2] = {&picture, &back};
    DiffViewerModel viewer;
    viewer.init(width, height, pattern);
    std::vector<std::unique_ptr<ObjectModel>> prepared =
        YChangedObjectModel::getModels(viewer, layers, 2, width, height);
    ObjectModel* preparedList[2] = {prepared[0].get(), prepared[1].get()};
    for (int i = 0; i < height; ++i) {
        viewer.produce(-span, span, i - (height >> 1), preparedList, 2);
        copyRow(viewer, *result, i);
    }
    stampSignature(*result);
    return result;
}

std::unique_ptr<ovek::Image> faceRows(const FacesModel& faces, const ovek::Image* pattern,
                                      int width, int viewerHeight, int pictureHeight)
{
    auto result = std::make_unique<ovek::Image>(nullptr, width, pictureHeight);
    FaceViewerModel viewer;
    viewer.init(width, viewerHeight, pattern);
    const std::unique_ptr<FacesModel> moved = YChangedObjectModel::getFaces(viewer, &faces);
    for (int i = 0; i < viewerHeight; ++i) {
        viewer.produce(-width, width, i - viewerHeight / 2, moved.get());
        copyRow(viewer, *result, i);
    }
    stampSignature(*result);
    return result;
}

std::unique_ptr<ovek::Image> produce(const ovek::ProductionInput& in)
{
    int w = 0, h = 0;
    ovek::resultSize(in, w, h);
    if (in.modelType == ovek::MODEL_TYPE_IMAGE)
        return depthRows(in.depthPicture, in.pattern, w, h, ovek::depthSpan(w));
    const int viewerHeight = ovek::meshViewerHeight(h);
    FacesModel local;
    return faceRows(ovek::meshFaces(in, w, viewerHeight, local), in.pattern, w, viewerHeight, h);
}

}  // namespace literal
