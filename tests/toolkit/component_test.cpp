#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/graphics.h"
#include "tests/toolkit/event_log.h"
#include "toolkit/component.h"

using ovek::Component;
using ovek::MOUSE_DOWN;
using ovek::MOUSE_MOVE;
using ovek::MOUSE_UP;
using Lines = std::vector<std::string>;

namespace {

Lines painted;

// Records where the drawing context's origin is when it is painted.
class PaintProbe : public Component {
public:
    explicit PaintProbe(const char* n) : name(n) {}
    const char* name;
    void paint(ovek::Graphics* g) override
    {
        painted.push_back(std::string(name) + " " + std::to_string(g->translateX) + "," +
                          std::to_string(g->translateY));
        Component::paint(g);
    }
};

TEST(ComponentTree, AddMovesChildBetweenParentsAndToTheEnd)
{
    Component a, b, x, y;
    a.add(&x);
    a.add(&y);
    a.add(&x);   // again: moves to the end
    ASSERT_EQ(a.getComponentCount(), 2);
    EXPECT_EQ(a.getComponentAt(0), &y);
    EXPECT_EQ(a.getComponentAt(1), &x);
    EXPECT_EQ(a.getComponentAt(2), nullptr);
    EXPECT_EQ(a.getComponentAt(-1), nullptr);
    b.add(&x);
    EXPECT_EQ(a.getComponentCount(), 1);
    EXPECT_EQ(x.getParent(), &b);
    b.remove(&y);   // not b's child: nothing changes
    EXPECT_EQ(y.getParent(), &a);
    a.remove(&y);
    EXPECT_EQ(y.getParent(), nullptr);
    EXPECT_EQ(a.getComponentCount(), 0);
}

TEST(ComponentTree, RefusesCyclesAndNull)
{
    Component a, b, c;
    a.add(&b);
    b.add(&c);
    c.add(&a);
    c.add(&c);
    c.add(nullptr);
    EXPECT_EQ(c.getComponentCount(), 0);
    EXPECT_EQ(a.getParent(), nullptr);
}

Lines boundsCalls;
void onBounds(int l, int t, int w, int h, ovek::EventObject*)
{
    boundsCalls.push_back(std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(w) +
                          "," + std::to_string(h));
}

TEST(ComponentBounds, ListenerFiresOnlyWhenAValueChanges)
{
    boundsCalls.clear();
    Component c;
    c.boundsChangedListener = onBounds;
    c.setBounds(0, 0, 0, 0);
    c.setBounds(1, 2, 3, 4);
    c.setBounds(1, 2, 3, 4);
    c.setBounds(1, 2, 3, 5);
    EXPECT_EQ(boundsCalls, (Lines{"1,2,3,4", "1,2,3,5"}));
    EXPECT_TRUE(c.isPointIn(0, 0));
    EXPECT_TRUE(c.isPointIn(2, 4));
    EXPECT_FALSE(c.isPointIn(3, 0));
    EXPECT_FALSE(c.isPointIn(0, 5));
    EXPECT_FALSE(c.isPointIn(-1, 0));
}

class ComponentRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.setBounds(0, 0, 100, 100);
        lower.setBounds(10, 10, 30, 30);
        upper.setBounds(20, 20, 30, 30);
        root.add(&lower);
        root.add(&upper);
        rootLog.name = "root";
        lowerLog.name = "lower";
        upperLog.name = "upper";
        root.addEventListener(&rootLog);
        lower.addEventListener(&all);
        upper.addEventListener(&all);
        root.addEventListener(&all);
        lower.addEventListener(&lowerLog);
        upper.addEventListener(&upperLog);
    }
    Component root, lower, upper;
    faketk::EventLog rootLog, lowerLog, upperLog;
    faketk::EventLog all;   // every object in one order of events
};

TEST_F(ComponentRouting, PressOnOverlapPressesOnlyTheLaterChild)
{
    EXPECT_TRUE(root.fireMouseEvent(25, 25, 0, MOUSE_DOWN));
    EXPECT_TRUE(upper.pressed);
    EXPECT_FALSE(lower.pressed);
    // Upper first, in its own frame; lower sees a move-like record; root last.
    EXPECT_EQ(all.take(), (Lines{"enter 5,5", "down 5,5 b0", "enter 15,15", "move 15,15",
                                 "enter 25,25", "down 25,25 b0"}));
    root.fireMouseEvent(25, 25, 0, MOUSE_UP);
    EXPECT_EQ(upperLog.lines.back(), "upper up 5,5 b0 d0,0");
    EXPECT_EQ(lowerLog.lines.back(), "lower move 15,15");
}

TEST_F(ComponentRouting, ChildrenGetRecordsOutsideThemAndTheRealTypeWithoutAHit)
{
    root.fireMouseEvent(15, 15, 0, MOUSE_MOVE);
    all.take();
    // Only lower is hit: it gets the real type.
    root.fireMouseEvent(15, 15, 0, MOUSE_DOWN);
    EXPECT_TRUE(lower.pressed);
    // Moving onto upper while lower is pressed: lower drags, upper gets enter.
    upperLog.take();
    lowerLog.take();
    root.fireMouseEvent(45, 45, 0, MOUSE_MOVE);
    EXPECT_EQ(upperLog.take(), (Lines{"upper enter 25,25", "upper move 25,25"}));
    EXPECT_EQ(lowerLog.take(), (Lines{"lower drag 35,35 p30,30 l30,30", "lower exit 35,35"}));
    // Released over upper, which is hit first: upper gets its click, and lower
    // still gets the release that ends its press.
    root.fireMouseEvent(45, 45, 0, MOUSE_UP);
    EXPECT_EQ(upperLog.take(), (Lines{"upper up 25,25 b0 d25,25", "upper move 25,25"}));
    EXPECT_EQ(lowerLog.take(),
              (Lines{"lower drag 35,35 p30,30 l0,0", "lower up 35,35 b0 d30,30 dragged"}));
    EXPECT_FALSE(lower.pressed);
    root.fireMouseEvent(46, 46, 0, MOUSE_MOVE);
    EXPECT_TRUE(lowerLog.lines.empty());
}

TEST_F(ComponentRouting, ReleaseReachesAPressedGrandchildBelowAHit)
{
    Component box;
    box.setBounds(0, 0, 50, 50);
    root.remove(&lower);
    box.add(&lower);
    root.add(&box);
    root.add(&upper);   // upper on top of box
    root.fireMouseEvent(15, 15, 0, MOUSE_DOWN);
    ASSERT_TRUE(lower.pressed);
    root.fireMouseEvent(25, 25, 0, MOUSE_UP);
    EXPECT_FALSE(lower.pressed);
    EXPECT_FALSE(box.pressed);
}

TEST_F(ComponentRouting, HiddenParentStillRoutesToChildren)
{
    Component box;
    box.setBounds(0, 0, 50, 50);
    root.remove(&lower);
    box.add(&lower);
    root.add(&box);
    box.setVisible(false);
    root.fireMouseEvent(15, 15, 0, MOUSE_DOWN);
    EXPECT_TRUE(lower.pressed);
    EXPECT_FALSE(box.pressed);
}

TEST(ComponentPaint, PaintsVisibleChildrenInOrderTranslatedAndSkipsHiddenSubtrees)
{
    painted.clear();
    ovek::Image target(nullptr, 4, 4);
    ovek::Graphics g(&target);
    Component root;
    PaintProbe a("a"), b("b"), inner("inner"), hidden("hidden"), hiddenChild("hiddenChild");
    a.setBounds(10, 20, 5, 5);
    b.setBounds(3, 4, 5, 5);
    inner.setBounds(1, 1, 1, 1);
    hidden.setBounds(7, 7, 1, 1);
    a.add(&inner);
    hidden.add(&hiddenChild);
    hidden.setVisible(false);
    root.add(&a);
    root.add(&hidden);
    root.add(&b);
    root.paint(&g);
    EXPECT_EQ(painted, (Lines{"a 10,20", "inner 11,21", "b 3,4"}));
    EXPECT_EQ(g.translateX, 0);
    EXPECT_EQ(g.translateY, 0);
}

}  // namespace
