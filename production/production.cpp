#include "production/production.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/fast_depth_rows.h"
#include "engine/fast_face_rows.h"
#include "engine/triangle_model.h"
#include "engine/worker_pool.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "image/row_sink.h"
#include "mesh/component3d.h"
#include "mesh/turn_model.h"
#include "production/depth_resample.h"
#include "production/dot_pattern.h"
#include "production/production_rows.h"

namespace ovek {

namespace {

std::unique_ptr<Image> makeImage(const ImageFactory& factory, int w, int h)
{
    return std::unique_ptr<Image>(factory ? factory(w, h) : new Image(nullptr, w, h));
}

constexpr double kBackground = 5;  // mesh mode: the plane behind the mesh

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
    const StereogramSettings& s = in.settings;
    const double scale = std::min(width, viewerHeight) / 1.5;
    if (!in.mesh) {
        faces.clear();
    } else if (s.rotateX != 0 || s.rotateY != 0 || s.rotateZ != 0) {
        // A copy that only reads the mesh: productions on several threads
        // may share one.
        Component3D turned;
        turnedCopy(*in.mesh,
                   {{TurnAxis::X, s.rotateX}, {TurnAxis::Y, s.rotateY}, {TurnAxis::Z, s.rotateZ}},
                   turned);
        turned.toFacesModel(&faces, scale);
    } else {
        in.mesh->toFacesModel(&faces, scale);
    }
    // Heights above the background plane; those below it are hidden anyway.
    if (s.depthScale != 1)
        for (const auto& p : faces.points)
            p->z = kBackground + (p->z - kBackground) * s.depthScale;
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
    if (in.depthWidth > 0 && in.depthHeight > 0) {
        width = in.depthWidth;
        height = in.depthHeight;
    } else if (in.depthGrey) {
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

FileResult checkSettings(const StereogramSettings& s)
{
    auto outside = [](double v, double lo, double hi) { return !(v >= lo && v <= hi); };
    if (outside(s.eyeSeparation, kMinEyeSeparation, kMaxEyeSeparation))
        return FileResult::failure("the eye separation must be 20 to 1000 pixels");
    if (outside(s.dpi, kMinDpi, kMaxDpi))
        return FileResult::failure("the resolution must be 10 to 4800 dots per inch");
    if (outside(s.depthScale, 0, kMaxDepthScale))
        return FileResult::failure("the depth scale must be 0 to 2.27");
    if (outside(s.density, 0, kMaxDensity))
        return FileResult::failure("the dot density must be 0 to 100 percent");
    if (s.oversample < 1 || s.oversample > kMaxOversample)
        return FileResult::failure("the oversampling must be 1 to 8");
    for (double turn : {s.rotateX, s.rotateY, s.rotateZ})
        if (outside(turn, -360, 360))
            return FileResult::failure("a turn must be -360 to 360 degrees");
    return FileResult::success();
}

namespace {

// What the rows are asked to do beyond the design, and the geometry behind it.
struct Plan {
    ViewerModel viewer;
    RowOptions options;
    double farHeight = 0, nearHeight = 0;
};

// Mesh mode's nearest height: its highest corner, no higher than the face
// viewer looks (half the eye height) and no lower than the background.
double meshNearHeight(const FacesModel& faces, const ViewerModel& viewer)
{
    double high = kBackground;
    for (const auto& p : faces.points)
        if (p->z > high)
            high = p->z;
    return std::min(high, viewer.getEye_h() / 2);
}

bool sixteenBit(const GreyPicture& depth)
{
    return !depth.values16.empty() &&
           depth.values16.size() == size_t(depth.width) * size_t(depth.height);
}

void planFor(const ProductionInput& in, Plan& plan, const FacesModel* faces)
{
    const StereogramSettings& s = in.settings;
    plan.viewer.setEye_dis(s.eyeSeparation / 2);
    plan.options.oversample = s.oversample;
    plan.options.crossed = s.viewing == ViewingMode::CrossEyed;
    if (in.modelType == MODEL_TYPE_3D) {
        plan.farHeight = kBackground;
        plan.nearHeight = faces ? meshNearHeight(*faces, plan.viewer) : kBackground;
        plan.options.low = plan.farHeight;
        plan.options.high = plan.nearHeight;
    } else {
        plan.options.depthScale = s.depthScale;
        plan.options.invert = s.invert;
        // Outside the picture the surface is at 0; the mirror spans every sample.
        plan.options.low = 0;
        plan.options.high = 255 * s.depthScale;
    }
}

double shownRepeat(const Plan& plan, double height)
{
    const RowArithmetic eyes(plan.viewer);
    const RowOptions& o = plan.options;
    return eyes.repeat(o.crossed ? mirrored(height, o.low + o.high, o.low, o.high) : height);
}

// The depth picture the rows read: the caller's, made grey, or resampled.
const GreyPicture* depthOf(const ProductionInput& in, GreyPicture& grey)
{
    if (!in.depthGrey && in.depthPicture)
        grey = greyOf(*in.depthPicture);
    const GreyPicture* depth = in.depthGrey ? in.depthGrey : in.depthPicture ? &grey : nullptr;
    if (depth && in.depthWidth > 0 && in.depthHeight > 0 &&
        (in.depthWidth != depth->width || in.depthHeight != depth->height || sixteenBit(*depth))) {
        grey = resampleDepth(*depth, in.depthWidth, in.depthHeight);
        depth = &grey;
    }
    return depth;
}

}  // namespace

double backgroundRepeat(const ProductionInput& in)
{
    Plan plan;
    FacesModel local;
    const FacesModel* faces = nullptr;
    int w = 0, h = 0;
    resultSize(in, w, h);
    if (in.modelType == MODEL_TYPE_3D && in.settings.viewing == ViewingMode::CrossEyed)
        faces = &meshFaces(in, w, meshViewerHeight(h), local);
    planFor(in, plan, faces);
    return shownRepeat(plan, in.modelType == MODEL_TYPE_3D ? kBackground : 0);
}

StereogramGeometry stereogramGeometry(const ProductionInput& in)
{
    StereogramGeometry g;
    Plan plan;
    int w = 0, h = 0;
    resultSize(in, w, h);
    FacesModel local;
    long long sourceLevels = -1;  // unbounded
    if (in.modelType == MODEL_TYPE_3D) {
        planFor(in, plan, &meshFaces(in, w, meshViewerHeight(h), local));
    } else {
        planFor(in, plan, nullptr);
        GreyPicture grey;
        const GreyPicture* depth = depthOf(in, grey);
        plan.nearHeight = 0;
        sourceLevels = 1;  // the margins around the picture, at 0
        if (depth && (sixteenBit(*depth) || !depth->values.empty())) {
            const bool wide = sixteenBit(*depth);
            std::vector<bool> seen(wide ? 65536 : 256);
            const size_t n = size_t(depth->width) * size_t(depth->height);
            for (size_t i = 0; i < n; ++i)
                seen[wide ? depth->values16[i] : depth->values[i]] = true;
            sourceLevels = 0;
            bool zeroSeen = false;
            for (size_t v = 0; v < seen.size(); ++v) {
                if (!seen[v])
                    continue;
                const double height = sampleHeight(int(v), wide, plan.options);
                plan.nearHeight = std::max(plan.nearHeight, height);
                zeroSeen = zeroSeen || height == 0;
                ++sourceLevels;
            }
            sourceLevels += !zeroSeen;
        }
    }
    g.farHeight = plan.farHeight;
    g.nearHeight = plan.nearHeight;
    g.backgroundRepeat = shownRepeat(plan, plan.farHeight);
    g.nearestRepeat = shownRepeat(plan, plan.nearHeight);
    g.levels = (long long)std::floor(std::fabs(g.backgroundRepeat - g.nearestRepeat) *
                                     plan.options.oversample) + 1;
    if (sourceLevels > 0)
        g.levels = std::min(g.levels, sourceLevels);
    return g;
}

FileResult checkProduction(const ProductionInput& in)
{
    if (FileResult settings = checkSettings(in.settings); !settings)
        return settings;
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
    if (FileResult made = produceStereogramRows(in, sink); !made) {
        // A picture with rows missing is never handed out.
        if (status)
            *status = made;
        return nullptr;
    }
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
    Plan plan;
    FacesModel local;
    if (in.modelType == MODEL_TYPE_3D) {
        const int viewerHeight = meshViewerHeight(h);
        const FacesModel& faces = meshFaces(in, w, viewerHeight, local);
        planFor(in, plan, &faces);
        // The viewer's last row keeps its seed.
        generator = std::make_unique<FastFaceRows>(plan.viewer, faces, w, viewerHeight,
                                                   std::min(h, viewerHeight - 1), pool.size(),
                                                   plan.options);
    } else {
        planFor(in, plan, nullptr);
        generator = std::make_unique<FastDepthRows>(plan.viewer, depthOf(in, grey), w, h,
                                                    depthSpan(w), pool.size(), plan.options);
    }
    const double background = shownRepeat(plan, plan.farHeight);
    // A generated tile as wide as the background repeat, so that it tiles
    // where the surface is farthest; as high as the picture, so that it never
    // repeats downwards.
    const std::unique_ptr<Image> dots =
        dotPattern(in.settings, int(std::lround(background)), h);
    RowMarks marks;
    marks.signature = in.settings.mark;
    marks.guides = {in.settings.guides, background};
    // Rows are told in the order they are delivered; in mesh mode the viewer's
    // rows below the picture count too.
    const int total = in.modelType == MODEL_TYPE_3D ? meshViewerHeight(h) : h;
    int done = 0;
    auto tell = [&](int count) {
        for (; count > 0 && in.onRow; --count)
            in.onRow(++done, total);
    };
    if (!produceRows(*generator, pool, dots ? dots.get() : in.pattern, w, h, sink, tell, marks,
                     in.cancel))
        return in.cancel && *in.cancel ? FileResult::failure("the production was stopped")
                                       : FileResult::failure("the rows could not be written");
    tell(total - done);
    return FileResult::success();
}

}  // namespace ovek
