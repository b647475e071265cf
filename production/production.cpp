#include "production/production.h"

#include <algorithm>
#include <string>

#include "engine/diff_viewer_model.h"
#include "engine/face_viewer_model.h"
#include "engine/image_object_model.h"
#include "engine/triangle_model.h"
#include "engine/y_changed_object_model.h"
#include "production/signature_mark.h"
#include "image/image.h"
#include "mesh/component3d.h"

namespace ovek {

namespace {

std::unique_ptr<Image> makeImage(const ImageFactory& factory, int w, int h)
{
    return std::unique_ptr<Image>(factory ? factory(w, h) : new Image(nullptr, w, h));
}

// The planes reach the picture in memory byte order, so colours pass unchanged.
void copyRow(const ViewerModel& viewer, Image& result, int row)
{
    if (row >= result.getHeight())
        return;
    for (int j = 0; j < result.getWidth(); ++j)
        result.setColor(j, row, viewer.getR(j, row), viewer.getG(j, row), viewer.getB(j, row));
}

// The plane at height 5 behind everything the mesh puts above it.
void addBackground(FacesModel& faces)
{
    const Point3DModel corners[4] = {
        {-1800, -1600, 5}, {1800, 1600, 5}, {-1800, 1600, 5}, {1800, -1600, 5}};
    for (int third : {2, 3}) {
        Point3DModel* p1 = faces.addPoint(corners[0]);
        Point3DModel* p2 = faces.addPoint(corners[1]);
        Point3DModel* p3 = faces.addPoint(corners[third]);
        faces.add(new TriangleModel(p1, p2, p3));
    }
}

std::unique_ptr<Image> produceFromMesh(const ProductionInput& in)
{
    int w = 0, h = 0;
    resultSize(in, w, h);
    std::unique_ptr<Image> result = makeImage(in.imageFactory, w, h);
    // The viewer needs some rows to work with; extra rows are computed, then dropped.
    if (h < 100)
        h = 100;
    const double scale = std::min(w, h) / 1.5;

    FacesModel local;
    FacesModel* faces = in.faces ? in.faces : &local;
    if (in.mesh)
        in.mesh->toFacesModel(faces, scale);
    else
        faces->clear();
    addBackground(*faces);

    FaceViewerModel viewer;
    viewer.init(w, h, in.pattern);
    const std::unique_ptr<FacesModel> moved = YChangedObjectModel::getFaces(viewer, faces);
    for (int i = 0; i < h; ++i) {
        viewer.produce(-w, w, i - h / 2, moved.get());
        copyRow(viewer, *result, i);
        if (in.onRow)
            in.onRow(i + 1, h);
    }
    return result;
}

std::unique_ptr<Image> produceFromDepthPicture(const ProductionInput& in)
{
    int w = 0, h = 0;
    resultSize(in, w, h);
    std::unique_ptr<Image> result = makeImage(in.imageFactory, w, h);

    const Image flat(nullptr, 1, 1);
    ImageObjectModel picture(in.depthPicture ? in.depthPicture : &flat);
    BackLayModel back;
    const ObjectModel* layers[2] = {&picture, &back};

    DiffViewerModel viewer;
    viewer.init(w, h, in.pattern);
    std::vector<std::unique_ptr<ObjectModel>> prepared =
        YChangedObjectModel::getModels(viewer, layers, 2, w, h);
    ObjectModel* preparedList[2] = {prepared[0].get(), prepared[1].get()};
    const int span = depthSpan(w);
    for (int i = 0; i < h; ++i) {
        viewer.produce(-span, span, i - (h >> 1), preparedList, 2);
        copyRow(viewer, *result, i);
        if (in.onRow)
            in.onRow(i + 1, h);
    }
    return result;
}

}  // namespace

void resultSize(const ProductionInput& in, int& width, int& height)
{
    if (in.modelType == MODEL_TYPE_3D) {
        width = in.meshWidth;
        height = in.meshHeight;
        return;
    }
    width = in.depthPicture ? in.depthPicture->getWidth() : 0;
    height = in.depthPicture ? in.depthPicture->getHeight() : 0;
    if (width <= 799)
        width = 800;
    if (height <= 599)
        height = 600;
}

int depthSpan(int width)
{
    return width * 900 / 800;
}

FileResult checkProduction(const ProductionInput& in)
{
    int w = 0, h = 0;
    resultSize(in, w, h);
    if (w < 1 || h < 1)
        return FileResult::failure("cannot produce a " + std::to_string(w) + " x " +
                                   std::to_string(h) + " picture: it has no pixels");
    if (w > kMaxProduceSide || h > kMaxProduceSide || (long long)w * h > kMaxProducePixels)
        return FileResult::failure("cannot produce a " + std::to_string(w) + " x " +
                                   std::to_string(h) + " picture: at most " +
                                   std::to_string(kMaxProduceSide) + " pixels on a side and " +
                                   std::to_string(kMaxProducePixels) + " in all");
    return FileResult::success();
}

std::unique_ptr<Image> produceStereogram(const ProductionInput& in, FileResult* status)
{
    FileResult allowed = checkProduction(in);
    if (status)
        *status = allowed;
    if (!allowed)
        return nullptr;
    std::unique_ptr<Image> result =
        in.modelType == MODEL_TYPE_3D ? produceFromMesh(in) : produceFromDepthPicture(in);
    stampSignature(*result);
    return result;
}

}  // namespace ovek
