#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/input_codes.h"
#include "editor/edit_brush.h"
#include "editor/editable3d.h"
#include "editor/selection_group3d.h"

namespace {

using ovek::MOUSE_DOWN;
using ovek::MOUSE_MOVE;
using ovek::MOUSE_UP;

std::vector<std::string> log;

// Pane pixels x0 <= x < x1 (any y) count as over the mesh.
template <class Base>
class Strip : public Base {
public:
    Strip(std::string n, double x0, double x1) : name(std::move(n)), from(x0), to(x1) {}
    bool isPointIn(double x, double) override { return x >= from && x < to; }
    void show() override { log.push_back("show " + name); }
    std::string name;
    double from, to;
};
using Member = Strip<SelectComponent3D>;

void logMemberDown(int, int, int, Event3D* source, const char* what)
{
    log.push_back(std::string(what) + " " + static_cast<Member*>(static_cast<Component3D*>(source))->name);
}
void memberDown(int x, int y, int b, Event3D* s) { logMemberDown(x, y, b, s, "down"); }
void memberSelect(SelectComponent3D* s)
{
    log.push_back("select " + static_cast<Member*>(s)->name + (s->selected ? " on" : " off") +
                  " emission " + std::to_string(int(s->emission[0] * 10)));
}
void groupSelect(SelectionGroup3D*, SelectComponent3D* previous, SelectComponent3D* now)
{
    log.push_back("group " + (previous ? static_cast<Member*>(previous)->name : std::string("none")) +
                  " -> " + static_cast<Member*>(now)->name);
}

TEST(Editable3D, RemembersTheButtonHeldOnItUntilAnyRelease)
{
    Strip<Editable3D> mesh("m", 0, 10);
    EXPECT_EQ(mesh.getEditState(), 3);
    struct Step {
        int x, button, type, pressed;
    } steps[] = {
        {5, ovek::MOUSE_BUTTON3, MOUSE_DOWN, 2},   // right button pressed on it
        {30, ovek::MOUSE_BUTTON3, MOUSE_MOVE, 2},  // dragged away: still held
        {30, ovek::MOUSE_BUTTON1, MOUSE_UP, 0},    // a release anywhere that reaches it
        {30, ovek::MOUSE_BUTTON2, MOUSE_DOWN, 0},  // a press outside is not on it
        {5, ovek::MOUSE_BUTTON2, MOUSE_DOWN, 1},
        {5, ovek::MOUSE_BUTTON2, MOUSE_UP, 0},
    };
    for (const Step& s : steps) {
        mesh.fireMouseEvent(s.x, 0, s.button, s.type);
        EXPECT_EQ(mesh.getEditEventInfo()->pressedButton, s.pressed) << "at x " << s.x << " type " << s.type;
    }
    // Another object's records do not touch it.
    Event3D other;
    Editable3D::mouse_down(0, 0, 2, &other);
    EXPECT_EQ(mesh.editEventInfo.pressedButton, 0);
}

TEST(SelectComponent3D, ColourShowsOnlyForTheCurrentStateAndListenersRunFirst)
{
    log.clear();
    Member m("a", 0, 1);
    m.addSelectListener(memberSelect);
    m.setUnselectedEmissionColor(0.2, 0, 0);
    EXPECT_FLOAT_EQ(m.emission[0], 0.2f);   // applied: it is the current state's
    m.setSelectedEmissionColor(0.7, 0.1, 0);
    EXPECT_FLOAT_EQ(m.emission[0], 0.2f);   // stored only
    m.setSelected(true);
    EXPECT_FLOAT_EQ(m.emission[0], 0.7f);
    EXPECT_FLOAT_EQ(m.emission[1], 0.1f);
    m.emission[0] = 0;
    m.setSelected(true);                    // same state: colour applied again
    EXPECT_FLOAT_EQ(m.emission[0], 0.7f);
    // The listener saw the flag already changed but the old colour.
    EXPECT_EQ(log, (std::vector<std::string>{"select a on emission 2", "select a on emission 0"}));
}

TEST(SelectionGroup3D, APressSelectsTheFirstMemberHitAndNothingElseChangesTheSelection)
{
    log.clear();
    Member a("a", 0, 20), b("b", 10, 30), c("c", 40, 50);
    SelectionGroup3D group;
    for (Member* m : {&a, &b, &c}) {
        group.addSelection(m);
        m->addMouseDownListener(memberDown);
        m->addSelectListener(memberSelect);
    }
    group.addSelectListener(groupSelect);
    group.setUnselectedEmissionColor(0.1, 0, 0);
    group.setSelectedEmissionColor(0.9, 0, 0);
    EXPECT_FALSE(group.isPointIn(15, 0));

    struct Step {
        int x, type;
        const char* selected;
        std::vector<std::string> log;
    } steps[] = {
        // Overlap of a and b: the one added first wins; both get the press.
        {15, MOUSE_DOWN, "a", {"down a", "down b", "select a on emission 1", "group none -> a"}},
        {15, MOUSE_UP, "a", {}},
        {45, MOUSE_MOVE, "a", {}},
        {45, MOUSE_UP, "a", {}},
        {45, MOUSE_DOWN, "c", {"down c", "select a off emission 9", "select c on emission 1", "group a -> c"}},
        {45, MOUSE_UP, "c", {}},
        // Already selected: no listener, though the member still sees its press.
        {48, MOUSE_DOWN, "c", {"down c"}},
        {48, MOUSE_UP, "c", {}},
        // Nothing hit: the selection stays.
        {35, MOUSE_DOWN, "c", {}},
        {35, MOUSE_UP, "c", {}},
    };
    for (const Step& s : steps) {
        log.clear();
        group.fireMouseEvent(s.x, 0, 0, s.type);
        EXPECT_EQ(static_cast<Member*>(group.getSelected())->name, s.selected) << "at x " << s.x;
        EXPECT_EQ(log, s.log) << "at x " << s.x << " type " << s.type;
    }
    EXPECT_FLOAT_EQ(a.emission[0], 0.1f);
    EXPECT_FLOAT_EQ(c.emission[0], 0.9f);

    log.clear();
    group.show();
    EXPECT_EQ(log, (std::vector<std::string>{"show a", "show b", "show c"}));
    log.clear();
    group.setSelected(&a);
    EXPECT_EQ(log.back(), "group c -> a");
    log.clear();
    group.show();   // the selected one is drawn last, on top
    EXPECT_EQ(log, (std::vector<std::string>{"show b", "show c", "show a"}));
}

SelectionGroup3D* watched = nullptr;

void noteGroupSelection(SelectComponent3D* s)
{
    if (!s->selected)
        return;
    const SelectComponent3D* g = watched->getSelected();
    log.push_back(static_cast<Member*>(s)->name + " on while the group has " +
                  (g ? static_cast<const Member*>(g)->name : std::string("none")));
}

TEST(SelectionGroup3D, APressTellsTheHitMemberBeforeTheGroupChangesItsSelection)
{
    Member a("a", 0, 10), c("c", 20, 30);
    SelectionGroup3D group;
    watched = &group;
    for (Member* m : {&a, &c}) {
        group.addSelection(m);
        m->addSelectListener(noteGroupSelection);
    }
    log.clear();
    group.fireMouseEvent(5, 0, 0, MOUSE_DOWN);
    group.fireMouseEvent(5, 0, 0, MOUSE_UP);
    group.fireMouseEvent(25, 0, 0, MOUSE_DOWN);
    EXPECT_EQ(log, (std::vector<std::string>{"a on while the group has none",
                                             "c on while the group has a"}));
    // Selecting directly changes the group first.
    log.clear();
    group.setSelected(&a);
    EXPECT_EQ(log, (std::vector<std::string>{"a on while the group has a"}));
    watched = nullptr;
}

TEST(EditBrush, OutlineIsADecagonFromTheTopClockwiseAndAlwaysUnderThePointer)
{
    EditBrush brush;
    brush.setSize(1);
    std::vector<ovek::OverlayVertex> v = brush.outline();
    ASSERT_EQ(v.size(), 10u);   // 6.2831852 is not below 6.28
    EXPECT_FLOAT_EQ(v[0].x, 0);
    EXPECT_FLOAT_EQ(v[0].y, 1);
    EXPECT_GT(v[1].x, 0);       // clockwise with y up: the second vertex lies right
    for (const ovek::OverlayVertex& p : v)
        EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-6);
    brush.setPosition(2, 3, 4);
    v = brush.outline();
    EXPECT_FLOAT_EQ(v[0].y, 4);
    EXPECT_FLOAT_EQ(v[0].z, 4);
    EXPECT_TRUE(brush.isPointIn(-1e9, 1e9));
    // A step that would never finish the circle gives a bounded outline.
    brush.step = 1e-300;
    EXPECT_LE(brush.outline().size(), 4096u);
    brush.step = 0;
    EXPECT_TRUE(brush.outline().empty());
}

}  // namespace
