#include "production/production.h"

#include <algorithm>
#include <string>

#include "engine/fast_depth_rows.h"
#include "engine/fast_face_rows.h"
#include "engine/triangle_model.h"
#include "engine/worker_pool.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "image/row_sink.h"
#include "mesh/component3d.h"
#include "production/production_rows.h"

namespace ovek {

namespace {

std::unique_ptr<Image> makeImage(const ImageFactory& factory, int w, int h)
{
    return std::unique_ptr<Image>(factory ? factory(w, h) : new Image(nullptr, w, h));
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

}  // namespace

int meshViewerHeight(int height)
{
    return height < 100 ? 100 : height;
}

FacesModel& meshFaces(const ProductionInput& in, int width, int viewerHeight, FacesModel& local)
{
    FacesModel& faces = in.faces ? *in.faces : local;
    if (in.mesh)
        in.mesh->toFacesModel(&faces, std::min(width, viewerHeight) / 1.5);
    else
        faces.clear();
    addBackground(faces);
    return faces;
}

void resultSize(const ProductionInput& in, int& width, int& height)
{
    if (in.modelType == MODEL_TYPE_3D) {
        width = in.meshWidth;
        height = in.meshHeight;
        return;
    }
    if (in.depthGrey) {
        width = in.depthGrey->width;
        height = in.depthGrey->height;
    } else {
        width = in.depthPicture ? in.depthPicture->getWidth() : 0;
        height = in.depthPicture ? in.depthPicture->getHeight() : 0;
    }
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
    int w = 0, h = 0;
    resultSize(in, w, h);
    std::unique_ptr<Image> result = makeImage(in.imageFactory, w, h);
    ImageRowSink sink(*result);
    produceStereogramRows(in, sink);
    return result;
}

FileResult produceStereogramRows(const ProductionInput& in, RowSink& sink)
{
    if (FileResult allowed = checkProduction(in); !allowed)
        return allowed;
    int w = 0, h = 0;
    resultSize(in, w, h);
    WorkerPool pool(in.threads);
    std::unique_ptr<RowGenerator> generator;
    GreyPicture grey;
    if (in.modelType == MODEL_TYPE_3D) {
        const int viewerHeight = meshViewerHeight(h);
        FacesModel local;
        // The viewer's last row keeps its seed.
        generator = std::make_unique<FastFaceRows>(ViewerModel(),
                                                   meshFaces(in, w, viewerHeight, local), w,
                                                   viewerHeight, std::min(h, viewerHeight - 1),
                                                   pool.size());
    } else {
        if (!in.depthGrey && in.depthPicture)
            grey = greyOf(*in.depthPicture);
        const GreyPicture* depth = in.depthGrey ? in.depthGrey : in.depthPicture ? &grey : nullptr;
        generator = std::make_unique<FastDepthRows>(ViewerModel(), depth, w, h, depthSpan(w),
                                                    pool.size());
    }
    // Rows are told in the order they are delivered; in mesh mode the viewer's
    // rows below the picture count too.
    const int total = in.modelType == MODEL_TYPE_3D ? meshViewerHeight(h) : h;
    int done = 0;
    auto tell = [&](int count) {
        for (; count > 0 && in.onRow; --count)
            in.onRow(++done, total);
    };
    if (!produceRows(*generator, pool, in.pattern, w, h, sink, tell))
        return FileResult::failure("the rows could not be written");
    tell(total - done);
    return FileResult::success();
}

}  // namespace ovek
