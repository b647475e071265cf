#include <gtest/gtest.h>

#include <cmath>

#include "animation/mesh_turn.h"
#include "mesh/model_open.h"

namespace {

using ovek::TurnAxis;

Component3D& demoModel()
{
    static Component3D model;
    if (model.points.empty()) {
        EXPECT_TRUE(ovek::openModelFile(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", &model));
    }
    return model;
}

double farthest(const Component3D& a, const Component3D& b)
{
    double worst = 0;
    for (size_t i = 0; i < a.points.size(); ++i)
        worst = std::max({worst, std::fabs(a.points[i]->x - b.points[i]->x),
                          std::fabs(a.points[i]->y - b.points[i]->y),
                          std::fabs(a.points[i]->z - b.points[i]->z)});
    return worst;
}

TEST(MeshTurn, NoTurnCopiesEveryPointExactlyAndKeepsTheFaces)
{
    const Component3D& model = demoModel();
    ASSERT_FALSE(model.faces.empty());
    Component3D copy;
    ovek::turnedCopy(model, TurnAxis::Y, 0, copy);
    ASSERT_EQ(copy.points.size(), model.points.size());
    ASSERT_EQ(copy.faces.size(), model.faces.size());
    EXPECT_EQ(farthest(model, copy), 0.0);
    // Faces join the copy's own points, in the same places.
    for (size_t i = 0; i < model.faces.size(); ++i) {
        EXPECT_EQ(copy.faces[i]->p1->x, model.faces[i]->p1->x);
        EXPECT_NE(copy.faces[i]->p1, model.faces[i]->p1);
    }
}

double distance(const Point3D& p, const Point3D& q)
{
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

TEST(MeshTurn, TurnsAreRigidAndAWholeTurnComesBackOnEveryAxis)
{
    const Component3D& model = demoModel();
    for (TurnAxis axis : {TurnAxis::X, TurnAxis::Y, TurnAxis::Z}) {
        Component3D turned, round;
        ovek::turnedCopy(model, axis, 50, turned);
        EXPECT_GT(farthest(turned, model), 0.1) << "a turn of 50 degrees moves the model";
        for (size_t i = 1; i < model.points.size(); i += 7)
            EXPECT_NEAR(distance(*turned.points[0], *turned.points[i]),
                        distance(*model.points[0], *model.points[i]), 1e-12);
        ovek::turnedCopy(model, axis, 360, round);
        EXPECT_LT(farthest(round, model), 1e-9);
        // The untransformed copy turns too, so that an update keeps the turn.
        EXPECT_EQ(turned.staticPoints[3]->x, turned.points[3]->x);
    }
}

TEST(MeshTurn, AQuarterTurnAboutTheVerticalBringsTheRightSideToTheFront)
{
    // A two-point model: one point right of centre, one left.
    Component3D model;
    model.addPoint(new Point3D(1, 0, 0));
    model.addPoint(new Point3D(-1, 0, 0));
    Component3D turned;
    ovek::turnedCopy(model, TurnAxis::Y, 90, turned);
    EXPECT_NEAR(turned.points[0]->x, 0, 1e-12);
    EXPECT_NEAR(std::fabs(turned.points[0]->z), 1, 1e-12);
    EXPECT_NEAR(turned.points[0]->y, 0, 1e-12) << "the vertical stays";
    EXPECT_NEAR(turned.points[1]->z, -turned.points[0]->z, 1e-12);
}

TEST(MeshTurn, FrameAnglesStepEvenlyToTheWholeTurn)
{
    EXPECT_EQ(ovek::turnAngle(360, 0, 36), 0);
    EXPECT_EQ(ovek::turnAngle(360, 9, 36), 90);
    EXPECT_EQ(ovek::turnAngle(90, 36, 36), 90);
    EXPECT_EQ(ovek::turnAngle(-45, 1, 3), -15);
}

}  // namespace
