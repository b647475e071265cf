#pragma once
// Turning the current inputs into a finished, marked stereogram. Used by the
// produce button and by "pexolen produce".
#include <atomic>
#include <functional>
#include <memory>

#include "base/file_result.h"
#include "production/stereogram_settings.h"

class Component3D;
class FacesModel;

namespace ovek {

class Image;
class RowSink;
struct GreyPicture;

constexpr int MODEL_TYPE_3D = 0;     // depth from the mesh
constexpr int MODEL_TYPE_IMAGE = 1;  // depth from a grey picture (brightness is height)

// Makes the result image; the screen's factory makes one that can be shown.
using ImageFactory = std::function<Image*(int width, int height)>;

struct ProductionInput {
    int modelType = MODEL_TYPE_3D;        // MODEL_TYPE_3D or MODEL_TYPE_IMAGE
    const Image* pattern = nullptr;       // seeds the colours; null gives a black start
    const Component3D* mesh = nullptr;    // mesh mode; null counts as an empty mesh
    int meshWidth = 866;                  // mesh mode picture size, pixels
    int meshHeight = 554;
    const Image* depthPicture = nullptr;  // depth mode; null counts as flat
    const GreyPicture* depthGrey = nullptr;  // depth mode: the depth picture already reduced
                                             // to grey; used instead of depthPicture when set
    FacesModel* faces = nullptr;          // mesh mode: refilled by each run, kept by the caller
    ImageFactory imageFactory;            // null: a plain image without a target surface
    // Told as rows finish, with the rows done and the rows in all, for a
    // progress display: calls never overlap, done grows by one each time up to
    // the total, and the callback must return quickly. Empty: nobody is told.
    std::function<void(int done, int total)> onRow;
    int threads = 0;                      // threads computing rows; 0: one per core
    int depthWidth = 0;                   // depth mode: the depth picture resampled (bilinear)
    int depthHeight = 0;                  // to this size first; 0: used at its own size
    StereogramSettings settings;          // viewing, depth, pattern, marks; defaults: the design
    // Set by another thread to stop the run: rows are skipped once it is set,
    // nothing more reaches the sink and the run fails. Null: never stopped.
    const std::atomic<bool>* cancel = nullptr;
};

// What a production's geometry gives, for a summary before the run.
struct StereogramGeometry {
    double backgroundRepeat = 0;  // pixels between repeats where the surface is farthest
    double nearestRepeat = 0;     // ... where it is nearest
    double farHeight = 0;         // the heights of those places, pixels above the base
    double nearHeight = 0;
    long long levels = 0;         // depth steps the output can tell apart: distinct
                                  // repeats at 1 / oversample pixel, at most the source's
};

// The geometry of in (its depth picture or mesh and settings).
StereogramGeometry stereogramGeometry(const ProductionInput& in);

// Result sizes: mesh mode keeps the requested size; depth mode is at least
// 800 x 600 and never smaller than the depth picture.
void resultSize(const ProductionInput& in, int& width, int& height);

// Depth mode samples x from -span to span: width * 900 / 800 in integers.
int depthSpan(int width);

// Mesh mode computes at least 100 rows; those below the picture are dropped.
int meshViewerHeight(int height);

// Mesh mode's triangle list before the vertical correction: in.faces (or
// local when the caller keeps none) refilled with the mesh's triangles at the
// production's scale (the mesh turned and its heights above the background
// scaled as in.settings say), then the two background triangles. Returns the list.
FacesModel& meshFaces(const ProductionInput& in, int width, int viewerHeight, FacesModel& local);

// Past these sizes a run would take minutes, and a picture held whole (the
// screen's, a PNG file's) gigabytes.
constexpr int kMaxProduceSide = 16384;
constexpr long long kMaxProducePixels = 1LL << 26;

// Whether settings lie within their limits, or which does not.
FileResult checkSettings(const StereogramSettings& settings);

// The repeat where the surface is farthest: the guide dots' distance and the
// width of a generated pattern tile.
double backgroundRepeat(const ProductionInput& in);

// Whether in may be produced, or why not (the result would be empty or too
// large, or a setting is out of its range).
FileResult checkProduction(const ProductionInput& in);

// Runs the whole production; the caller owns the result. An input that
// checkProduction refuses, or a run stopped through in.cancel, gives null,
// with the reason in *status when given.
std::unique_ptr<Image> produceStereogram(const ProductionInput& in,
                                         FileResult* status = nullptr);

// The same production handing the result's rows (resultSize) to sink as they
// are finished, in runs of neighbouring rows in any order, without holding the
// picture; the image factory is not used. Fails when checkProduction refuses
// in, the sink refuses rows or in.cancel stops the run.
FileResult produceStereogramRows(const ProductionInput& in, RowSink& sink);

}  // namespace ovek
