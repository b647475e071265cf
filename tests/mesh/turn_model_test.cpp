// Turning a model: rigid, in the right sense, composed in order, and made on
// a copy that never writes to the model it copies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>

#include "mesh/model_open.h"
#include "mesh/turn_model.h"
#include "tests/mesh/mesh_builders.h"

namespace {

using ovek::AxisTurn;
using ovek::TurnAxis;

const Component3D& demoModel()
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

// Every coordinate of points and staticPoints, bit for bit.
bool samePoints(const Component3D& a, const Component3D& b)
{
    if (a.points.size() != b.points.size() || a.staticPoints.size() != b.staticPoints.size())
        return false;
    auto same = [](const Point3D& p, const Point3D& q) {
        return std::memcmp(&p.x, &q.x, sizeof p.x) == 0 && std::memcmp(&p.y, &q.y, sizeof p.y) == 0 &&
               std::memcmp(&p.z, &q.z, sizeof p.z) == 0;
    };
    for (size_t i = 0; i < a.points.size(); ++i)
        if (!same(*a.points[i], *b.points[i]) || !same(*a.staticPoints[i], *b.staticPoints[i]))
            return false;
    return true;
}

double distance(const Point3D& p, const Point3D& q)
{
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

TEST(TurnModel, ACopyReadsTheModelOnlyAndKeepsEveryPointAndFace)
{
    const Component3D& model = demoModel();
    ASSERT_FALSE(model.faces.empty());
    for (const auto& p : model.points)
        p->link = nullptr;
    // Copies on several threads at once, as the frames of an animation make them.
    std::vector<Component3D> copies(4);
    std::vector<std::thread> threads;
    for (Component3D& c : copies)
        threads.emplace_back([&model, &c] { ovek::turnedCopy(model, {}, c); });
    for (std::thread& t : threads)
        t.join();
    for (const auto& p : model.points)
        ASSERT_EQ(p->link, nullptr) << "the model's points are not written to";
    for (const Component3D& copy : copies) {
        ASSERT_EQ(copy.faces.size(), model.faces.size());
        EXPECT_TRUE(samePoints(copy, model));
        // Faces join the copy's own points, in the same places.
        for (size_t i = 0; i < model.faces.size(); ++i) {
            EXPECT_EQ(copy.faces[i]->p1->x, model.faces[i]->p1->x);
            EXPECT_NE(copy.faces[i]->p1, model.faces[i]->p1);
        }
    }
}

TEST(TurnModel, TurnsAreRigidAndAWholeTurnComesBackOnEveryAxis)
{
    const Component3D& model = demoModel();
    for (TurnAxis axis : {TurnAxis::X, TurnAxis::Y, TurnAxis::Z}) {
        Component3D turned, round;
        ovek::turnedCopy(model, {{axis, 50}}, turned);
        EXPECT_GT(farthest(turned, model), 0.1) << "a turn of 50 degrees moves the model";
        for (size_t i = 1; i < model.points.size(); i += 7)
            EXPECT_NEAR(distance(*turned.points[0], *turned.points[i]),
                        distance(*model.points[0], *model.points[i]), 1e-12);
        ovek::turnedCopy(model, {{axis, 360}}, round);
        EXPECT_TRUE(samePoints(round, model)) << "whole turns are exact";
        // The untransformed copy turns too, so that an update keeps the turn.
        EXPECT_EQ(turned.staticPoints[3]->x, turned.points[3]->x);
    }
}

TEST(TurnModel, AQuarterTurnAboutTheVerticalTakesTheRightSideToTheBack)
{
    // A two-point model: one point right of centre, one left.
    Component3D model;
    meshtest::addPoints(model, {{1, 0, 0}, {-1, 0, 0}});
    Component3D turned;
    ovek::turnedCopy(model, {{TurnAxis::Y, 90}}, turned);
    EXPECT_EQ(turned.points[0]->x, 0);
    EXPECT_EQ(turned.points[0]->z, -1) << "counter-clockwise seen from above";
    EXPECT_EQ(turned.points[0]->y, 0) << "the vertical stays";
    EXPECT_EQ(turned.points[1]->z, 1);
}

TEST(TurnModel, ASequenceOfTurnsIsTheRotateItSpellsByteForByte)
{
    const Component3D& model = demoModel();
    auto rotated = [&](double x, double y, double z) {
        auto c = std::make_unique<Component3D>();
        ovek::copyMesh(model, *c);
        ovek::turnModel(*c, x, y, z);
        return c;
    };
    Component3D c;
    // A starting orientation, then a turn after it about another axis ...
    ovek::turnedCopy(model, {{TurnAxis::X, 30}, {TurnAxis::Y, 0}, {TurnAxis::Z, 0}, {TurnAxis::Z, 25}}, c);
    EXPECT_TRUE(samePoints(c, *rotated(30, 0, 25)));
    // ... or about the same axis: the angles add.
    ovek::turnedCopy(model, {{TurnAxis::X, 0}, {TurnAxis::Y, 20}, {TurnAxis::Z, 0}, {TurnAxis::Y, 17.5}}, c);
    EXPECT_TRUE(samePoints(c, *rotated(0, 37.5, 0)));
    // Turns that cancel leave the copy exact.
    ovek::turnedCopy(model, {{TurnAxis::Z, 40}, {TurnAxis::Z, -40}}, c);
    EXPECT_TRUE(samePoints(c, model));
    // Different axes do not commute: the order counts.
    Component3D xy, yx;
    ovek::turnedCopy(model, {{TurnAxis::X, 40}, {TurnAxis::Y, 40}}, xy);
    ovek::turnedCopy(model, {{TurnAxis::Y, 40}, {TurnAxis::X, 40}}, yx);
    EXPECT_GT(farthest(xy, yx), 0.01);
}

TEST(TurnModel, FrameAnglesStepEvenlyToTheWholeTurn)
{
    EXPECT_EQ(ovek::turnAngle(360, 0, 36), 0);
    EXPECT_EQ(ovek::turnAngle(360, 9, 36), 90);
    EXPECT_EQ(ovek::turnAngle(90, 36, 36), 90);
    EXPECT_EQ(ovek::turnAngle(-45, 1, 3), -15);
}

}  // namespace
