// What the mouse does in the pane (pick a handle while hovering; rotate, move,
// resize or draw a selection rectangle while dragging; select or insert on
// release) and the overlay drawn over the model.
#include <algorithm>
#include <cmath>

#include "base/input_codes.h"
#include "editor/edit_operations.h"
#include "editor/model_edit.h"
#include "editor/swept_angle.h"
#include "scene3d/window_info.h"

namespace ovek {

namespace {

constexpr float kYellow[4] = {1, 1, 0, 1};   // the picked handle
constexpr float kRed[4] = {1, 0, 0, 1};
constexpr float kGreen[4] = {0, 1, 0, 1};
constexpr float kBlue[4] = {0, 0, 1, 1};
// The deepest window depth a moved translation may take: just before the far
// plane, where the projection still has an inverse.
constexpr double kFarthestDepth = 0.999;

OverlayVertex atWindow(double wx, double wy, double wz)
{
    double x = 0, y = 0, z = 0;
    WINDOW_INFO.getRealPos(wx, wy, wz, &x, &y, &z);
    return {float(x), float(y), float(z)};
}

OverlayShape shape(OverlayShape::Kind kind, const float (&color)[4],
                   std::vector<OverlayVertex> vertices)
{
    OverlayShape s;
    s.kind = kind;
    for (int i = 0; i < 4; ++i)
        s.color[i] = color[i];
    s.vertices = std::move(vertices);
    return s;
}

}  // namespace

void ModelEdit::pivotWindowPos(double* wx, double* wy, double* wz) const
{
    *wx = *wy = *wz = 0;
    WINDOW_INFO.getWindowPos(model->centerX, model->centerY, model->centerZ, wx, wy, wz);
}

void ModelEdit::followModifiers(InputMods mods)
{
    if (!model)
        return;
    model->setUpdateMode(modelState == MODEL_EDIT && !mods.ctrl ? 1 : 0);
    if (axesShown || rotateHandlesShown)
        model->refresh();
}

void ModelEdit::editMouseMove(int x, int y, EventObject*, InputMods mods)
{
    if (!model)
        return;
    lastPaneX = x;
    lastPaneY = y;
    followModifiers(mods);
    double wx, wy, wz;
    if (modelEditState == TOOL_ROTATE) {
        pivotWindowPos(&wx, &wy, &wz);
        const double dx = std::fabs(x - wx), dy = std::fabs(y - wy);
        if (dx * dx + dy * dy > rotateRadius * rotateRadius)
            rotateAxis = 2;
        else
            rotateAxis = dx > dy ? 1 : 0;
    } else if (modelEditState == TOOL_MOVE || modelEditState == TOOL_RESIZE) {
        pivotWindowPos(&wx, &wy, &wz);
        if (wx > x && y > wy)
            moveAxis = 2;   // left of and below the pivot
        else
            moveAxis = wx + wy > x + y ? 1 : 0;
    }
}

void ModelEdit::editDragged(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                            int dyFromLast, EventObject*, InputMods mods)
{
    if (!model)
        return;
    lastPaneX = x;
    lastPaneY = y;
    followModifiers(mods);
    if (mods.alt || modelEditState == TOOL_SELECT) {
        dragRectShown = true;
        dragRectX = x;
        dragRectY = y;
        dragRectPressX = x - dxFromPress;
        dragRectPressY = y - dyFromPress;
        return;
    }
    if (!mods.leftButton)
        return;
    switch (modelEditState) {
    case TOOL_ROTATE:
        // 20 pixels of drag turn by one radian.
        if (rotateAxis == 0) {
            model->rotateX(-dyFromLast / 20.0);
        } else if (rotateAxis == 1) {
            model->rotateY(dxFromLast / 20.0);
        } else {
            // The angle swept around the pivot since the previous record.
            double wx, wy, wz;
            pivotWindowPos(&wx, &wy, &wz);
            const double rx = x - wx, ry = y - wy;
            const double qx = rx - dxFromLast, qy = ry - dyFromLast;
            if ((rx * rx + ry * ry) * (qx * qx + qy * qy) > 1)
                model->rotateZ(sweptAngle(rx, ry, qx, qy));
        }
        break;
    case TOOL_MOVE: {
        model->initRotate();
        Point3D* t = model->getPosition();
        double tx = 0, ty = 0, tz = 0;
        WINDOW_INFO.getWindowPos(t->x, t->y, t->z, &tx, &ty, &tz);
        if (moveAxis == 0)
            tx += dxFromLast;
        else if (moveAxis == 1)
            ty += dyFromLast;
        else
            tz += (dxFromLast - dyFromLast) / 200.0;   // right or up pushes away
        // Inside the view volume: at the far plane (depth 1) the point would
        // go to infinity, and the release would bake that into the mesh.
        tz = std::clamp(tz, 0.0, kFarthestDepth);
        WINDOW_INFO.getRealPos(tx, ty, tz, &t->x, &t->y, &t->z);
        break;
    }
    case TOOL_RESIZE:
        // Factors from the press, on a fresh matrix: 200 pixels double the size.
        model->initRotate();
        if (moveAxis == 0)
            model->resizeX(dxFromPress / 200.0 + 1);
        else if (moveAxis == 1)
            model->resizeY(1 - dyFromPress / 200.0);
        else
            model->resizeZ((dxFromPress - dyFromPress) / 200.0 + 1);
        break;
    default:
        return;
    }
    if (onMeshChanged) {
        // The transform reaches the points only when they are next drawn;
        // whoever listens reads them now.
        model->update();
        onMeshChanged();
    }
}

void ModelEdit::editMouseUp(int x, int y, int button, EventObject*, int dx, int dy, bool,
                            InputMods mods)
{
    if (!model)
        return;
    lastPaneX = x;
    lastPaneY = y;
    followModifiers(mods);
    const bool selecting = modelState == MODEL_EDIT &&
                           (mods.alt || modelEditState == TOOL_SELECT || button == MOUSE_BUTTON3);
    if (selecting) {
        const bool ctrl = mods.ctrl;
        const bool keep = mods.shift || ctrl;
        WINDOW_INFO.updateMatrix();
        if (button == MOUSE_BUTTON1) {
            for (auto& p : model->points) {
                double px = 0, py = 0, pz = 0;
                WINDOW_INFO.getWindowPosQuick(p->x, p->y, p->z, &px, &py, &pz);
                // Between press and release in either direction; the release's
                // own column and row count only when the press lies beyond them.
                const bool inside = ((x - dx > px) != (x > px)) && ((y - dy > py) != (y > py)) &&
                                    WINDOW_INFO.isVisible(p->x, p->y, p->z);
                if (inside)
                    p->selected = !ctrl;
                else if (!keep)
                    p->selected = 0;
            }
        } else if (button == MOUSE_BUTTON3) {
            Point3D* best = nullptr;
            double bestDistance = -1;
            for (auto& p : model->points) {
                double px = 0, py = 0, pz = 0;
                WINDOW_INFO.getWindowPosQuick(p->x, p->y, p->z, &px, &py, &pz);
                const double d = (px - x) * (px - x) + (py - y) * (py - y);
                if ((bestDistance < 0 || bestDistance > d) &&
                    WINDOW_INFO.isVisible(p->x, p->y, p->z)) {
                    best = p.get();
                    bestDistance = d;
                }
                if (!keep)
                    p->selected = 0;
            }
            if (best)
                best->selected = !ctrl;
        }
    } else {
        if (modelEditState == TOOL_INSERT_POINT) {
            MODEL_EDIT::operation_insert_point(model, this, x, y);
        } else if (modelEditState == TOOL_INSERT_TRIANGLE) {
            MODEL_EDIT::operation_insert_triangle(model, this, x, y);
            setModelState(MODEL_EDIT);
            setModelEditState(TOOL_MOVE);
        } else if (modelEditState == TOOL_INSERT_BOX) {
            MODEL_EDIT::operation_insert_box(model, this, x, y);
            setModelState(MODEL_EDIT);
            setModelEditState(TOOL_MOVE);
        }
    }
    dragRectShown = false;
    // The last drag records may not have been drawn yet: apply them before
    // they become the mesh's geometry.
    model->update();
    model->updateToStatic();
    model->initRotate();
    updateHistory();
    // The selection or the tool may have changed: the next draw follows.
    followModifiers(mods);
    if (!selecting && onMeshChanged)
        onMeshChanged();
}

std::vector<OverlayShape> ModelEdit::overlayShapes() const
{
    std::vector<OverlayShape> shapes;
    if (!model)
        return shapes;
    if (dragRectShown) {
        std::vector<OverlayVertex> corners = {atWindow(dragRectX, dragRectY, 0),
                                              atWindow(dragRectX, dragRectPressY, 0),
                                              atWindow(dragRectPressX, dragRectPressY, 0),
                                              atWindow(dragRectPressX, dragRectY, 0)};
        const float fill[4] = {0, 0, 1, 0.5f};
        shapes.push_back(shape(OverlayShape::Quads, fill, corners));
        shapes.back().blended = true;
        shapes.push_back(shape(OverlayShape::LineLoop, kBlue, std::move(corners)));
    }
    if (!axesShown && !rotateHandlesShown)
        return shapes;
    double wx, wy, wz;
    pivotWindowPos(&wx, &wy, &wz);
    auto pick = [](bool picked, const float(&other)[4]) -> const float(&)[4] {
        return picked ? kYellow : other;
    };
    if (axesShown) {
        const OverlayVertex pivot = {float(model->centerX), float(model->centerY),
                                     float(model->centerZ)};
        const double zd = axisLengthZ / 1.5;
        shapes.push_back(shape(OverlayShape::Lines, pick(moveAxis == 0, kBlue),
                               {pivot, atWindow(wx + axisLengthX, wy, wz)}));
        shapes.push_back(shape(OverlayShape::Lines, pick(moveAxis == 1, kGreen),
                               {pivot, atWindow(wx, wy - axisLengthY, wz)}));
        shapes.push_back(shape(OverlayShape::Lines, pick(moveAxis == 2, kRed),
                               {pivot, atWindow(wx - zd, wy + zd, wz)}));
    }
    if (rotateHandlesShown) {
        const double r = rotateRadius;
        shapes.push_back(shape(OverlayShape::Lines, pick(rotateAxis == 1, kGreen),
                               {atWindow(wx - r, wy, wz), atWindow(wx + r, wy, wz)}));
        shapes.push_back(shape(OverlayShape::Lines, pick(rotateAxis == 0, kBlue),
                               {atWindow(wx, wy - r, wz), atWindow(wx, wy + r, wz)}));
        std::vector<OverlayVertex> circle;
        for (double a = 0; a < 6.28; a += 0.3)
            circle.push_back(atWindow(std::cos(a) * r + wx, std::sin(a) * r + wy, wz));
        shapes.push_back(
            shape(OverlayShape::LineLoop, pick(rotateAxis == 2, kRed), std::move(circle)));
    }
    return shapes;
}

void ModelEdit::afterModelShow()
{
    if (overlayDrawer)
        overlayDrawer->drawOverlay(overlayShapes());
    if (overlayDrawer && afterOverlay)
        afterOverlay(*overlayDrawer);
}

}  // namespace ovek
