// Forms: whatever the user enters is held to the field's limits, and the
// pane of native widgets keeps the back buffer off its rectangle while shown.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/toolkit/platform_fixture.h"
#include "toolkit/form_pane.h"

using namespace ovek;

namespace {

TEST(Form, EveryEntryIsHeldToItsFieldsLimitsAndReportedOnce)
{
    Form form;
    FormField n;
    n.kind = FieldKind::Number;
    n.minimum = -2.5;
    n.maximum = 40;
    const int real = form.add(n);
    n.whole = true;
    const int whole = form.add(n);
    FormField c;
    c.kind = FieldKind::Choice;
    c.choices = {"a", "b", "c"};
    const int choice = form.add(c);
    FormField k;
    k.kind = FieldKind::Check;
    const int check = form.add(k);

    std::vector<int> told, redisplayed;
    form.userChanged = [&](int i) { told.push_back(i); };
    form.redisplay = [&](int i) { redisplayed.push_back(i); };
    std::mt19937 random(21);
    std::uniform_real_distribution<double> any(-1e6, 1e6);
    std::vector<double> entries = {std::nan(""), std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(), -2.5, 40, 39.6};
    for (int i = 0; i < 200; ++i)
        entries.push_back(i % 2 ? any(random) : any(random) / 1e5);
    for (double v : entries)
        for (int field : {real, whole, choice, check}) {
            told.clear();
            redisplayed.clear();
            form.enterValue(field, v);
            const double held = form.value(field);
            ASSERT_EQ(told, std::vector<int>{field}) << v;
            const FormField& f = form.fields[size_t(field)];
            if (f.kind == FieldKind::Number) {
                EXPECT_GE(held, f.minimum) << v;
                EXPECT_LE(held, f.maximum) << v;
                if (f.whole) {
                    EXPECT_EQ(held, std::round(held)) << v;
                }
            } else {
                const double last = f.kind == FieldKind::Check ? 1 : double(f.choices.size() - 1);
                EXPECT_TRUE(held >= 0 && held <= last && held == std::floor(held)) << v;
            }
            // The widget shows what was typed until told otherwise.
            EXPECT_EQ(!redisplayed.empty(), held != v) << v;
        }

    // Entries into an inactive field or no field at all change nothing.
    told.clear();
    form.setActive(real, false);
    const double before = form.value(real);
    form.enterValue(real, 1);
    form.enterValue(-1, 1);
    form.enterValue(99, 1);
    EXPECT_EQ(form.value(real), before);
    EXPECT_TRUE(told.empty());
}

class FormPaneTest : public faketk::PlatformTest {};

TEST_F(FormPaneTest, TheBackBufferLeavesTheShownFormAloneUntilThePaneGoes)
{
    Form form;
    auto copiedOver = [&](int x, int y) {
        windows.window.copies.clear();
        MYPLAT.repaint();
        MYPLAT.flush();
        for (const auto& c : windows.window.copies)
            if (x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h)
                return true;
        return false;
    };
    {
        FormPane pane;
        pane.setBounds(60, 0, 40, 60);
        pane.setShown(false);
        MYPLAT.getRootComponent()->add(&pane);
        pane.attach(form, MYPLAT);
        ASSERT_NE(windows.lastForm, nullptr);
        EXPECT_FALSE(windows.lastForm->shown);
        EXPECT_EQ(windows.lastForm->x, 60);
        EXPECT_TRUE(copiedOver(70, 10)) << "hidden: the back buffer shows there";
        pane.setShown(true);
        EXPECT_TRUE(windows.lastForm->shown);
        EXPECT_FALSE(copiedOver(70, 10));
        EXPECT_TRUE(copiedOver(30, 10));
        pane.setBounds(0, 0, 40, 60);
        EXPECT_EQ(windows.lastForm->x, 0);
        EXPECT_FALSE(copiedOver(30, 10)) << "the widgets moved with the pane";
        MYPLAT.getRootComponent()->remove(&pane);
    }
    EXPECT_TRUE(MYPLAT.emptyComponents.empty());
    EXPECT_TRUE(copiedOver(30, 10));
}

// A window system that makes no forms: the pane stays empty and the back
// buffer shows where it is.
TEST(FormPaneWithoutForms, LeavesTheBackBufferShowing)
{
    struct NoForms : faketk::FakeWindowSystem {
        std::unique_ptr<NativeForm> createForm(Form& f, int x, int y, int w, int h) override
        {
            return WindowSystem::createForm(f, x, y, w, h);
        }
    } windows;
    MYPLAT.init(&windows, 100, 80);
    Form form;
    FormPane pane;
    pane.attach(form, MYPLAT);
    pane.setShown(true);
    EXPECT_EQ(pane.native, nullptr);
    EXPECT_TRUE(MYPLAT.emptyComponents.empty());
    MYPLAT.reset();
}

}  // namespace
