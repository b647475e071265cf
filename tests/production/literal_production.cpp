#include "tests/production/literal_production.h"

#include <algorithm>
#include <vector>

#include "engine/discrete_object_model.h"
#include "engine/reference/diff_viewer_model.h"
#include "engine/reference/face_viewer_model.h"
#include "engine/reference/image_object_model.h"
#include "engine/reference/size_object_model.h"
#include "engine/reference/y_changed_object_model.h"
#include "engine/triangle_model.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "production/depth_resample.h"
#include "production/signature_mark.h"

namespace literal {

namespace {

// The pattern with every column repeated n times.
std::unique_ptr<ovek::Image> stretched(const ovek::Image* pattern, int n)
{
    if (!pattern || n == 1)
        return nullptr;
    auto wide = std::make_unique<ovek::Image>(nullptr, pattern->getWidth() * n, pattern->getHeight());
    for (int y = 0; y < pattern->getHeight(); ++y)
        for (int x = 0; x < wide->getWidth(); ++x) {
            const int c = pattern->getColor(x / n, y);
            wide->setColor(x, y, c & 255, (c >> 8) & 255, (c >> 16) & 255);
        }
    return wide;
}

// Row `row` of the viewer's planes into the result, n columns to a pixel,
// their average rounded to nearest.
void copyRow(const ViewerModel& viewer, ovek::Image& result, int row, int n)
{
    if (row >= result.getHeight())
        return;
    for (int j = 0; j < result.getWidth(); ++j) {
        int r = n / 2, g = n / 2, b = n / 2;
        for (int i = 0; i < n; ++i) {
            r += viewer.getR(j * n + i, row);
            g += viewer.getG(j * n + i, row);
            b += viewer.getB(j * n + i, row);
        }
        result.setColor(j, row, r / n, g / n, b / n);
    }
}

// A depth picture's heights as the settings ask: 8-bit v at v, 16-bit v at
// v / 257, inverted about the top sample value, times the scale.
class SampleField : public ObjectModel {
public:
    SampleField(const ovek::GreyPicture& depth, double scale, bool invert)
        : columns(depth.width), rows(depth.height)
    {
        const bool wide = !depth.values16.empty();
        for (size_t i = 0; i < size_t(columns) * size_t(rows); ++i) {
            const double v = wide ? depth.values16[i] : depth.values[i];
            const double top = wide ? 65535 : 255;
            grid.push_back((invert ? top - v : v) / (wide ? 257 : 1) * scale);
        }
    }
    double height(double x, double y) const override
    {
        return ImageObjectModel::lookup(grid, columns, rows, columns >> 1, rows >> 1, x, y);
    }

private:
    int columns, rows;
    std::vector<double> grid;
};

}  // namespace

std::unique_ptr<ovek::Image> fieldRows(const ObjectModel& field, const ovek::Image* pattern,
                                       int width, int height, int span, const Eyes& eyes,
                                       bool mark)
{
    const int n = eyes.oversample;
    auto result = std::make_unique<ovek::Image>(nullptr, width, height);
    const auto wide = stretched(pattern, n);
    DiffViewerModel viewer;
    viewer.init(width * n, height, wide ? wide.get() : pattern);
    viewer.setEye_dis(eyes.eyeDis * n);
    // getModels with the scale along x stretched, over a table of the output's size.
    SizeObjectModel prepared(
        std::make_unique<DiscreteObjectModel>(
            std::make_unique<YChangedObjectModel>(viewer, &field, 1, width, height)),
        2.3 * n, 2.3);
    BackLayModel back;
    ObjectModel* layers[2] = {&prepared, &back};
    for (int i = 0; i < height; ++i) {
        viewer.produce(-span * n, span * n, i - (height >> 1), layers, 2);
        copyRow(viewer, *result, i, n);
    }
    if (mark)
        stampSignature(*result);
    return result;
}

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
        copyRow(viewer, *result, i, 1);
    }
    stampSignature(*result);
    return result;
}

std::unique_ptr<ovek::Image> faceRows(const FacesModel& faces, const ovek::Image* pattern,
                                      int width, int viewerHeight, int pictureHeight,
                                      const Eyes& eyes, bool mark)
{
    const int n = eyes.oversample;
    auto result = std::make_unique<ovek::Image>(nullptr, width, pictureHeight);
    const auto wide = stretched(pattern, n);
    FaceViewerModel viewer;
    viewer.init(width * n, viewerHeight, wide ? wide.get() : pattern);
    viewer.setEye_dis(eyes.eyeDis * n);
    // The corners stretched along x, then moved to their picture rows.
    FacesModel stretchedFaces;
    for (const auto& t : faces.triangles) {
        Point3DModel* c[3];
        int k = 0;
        for (const Point3DModel* p : {t->p0, t->p1, t->p2})
            c[k++] = stretchedFaces.addPoint({p->x * n, p->y, p->z});
        stretchedFaces.add(new TriangleModel(c[0], c[1], c[2]));
    }
    const std::unique_ptr<FacesModel> moved = YChangedObjectModel::getFaces(viewer, &stretchedFaces);
    for (int i = 0; i < viewerHeight; ++i) {
        viewer.produce(-width * n, width * n, i - viewerHeight / 2, moved.get());
        copyRow(viewer, *result, i, n);
    }
    if (mark)
        stampSignature(*result);
    return result;
}

std::unique_ptr<ovek::Image> produce(const ovek::ProductionInput& in)
{
    int w = 0, h = 0;
    ovek::resultSize(in, w, h);
    const ovek::StereogramSettings& s = in.settings;
    const Eyes eyes{s.eyeSeparation / 2, s.oversample};
    if (in.modelType == ovek::MODEL_TYPE_IMAGE) {
        ovek::GreyPicture grey;
        if (in.depthGrey)
            grey = *in.depthGrey;
        else if (in.depthPicture)
            grey = ovek::greyOf(*in.depthPicture);
        if (in.depthWidth > 0 && in.depthHeight > 0)
            grey = ovek::resampleDepth(grey, in.depthWidth, in.depthHeight);
        const SampleField field(grey, s.depthScale, s.invert);
        return fieldRows(field, in.pattern, w, h, ovek::depthSpan(w), eyes, s.mark);
    }
    const int viewerHeight = ovek::meshViewerHeight(h);
    FacesModel local;
    return faceRows(ovek::meshFaces(in, w, viewerHeight, local), in.pattern, w, viewerHeight, h,
                    eyes, s.mark);
}

}  // namespace literal
