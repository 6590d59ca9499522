// The description of Form1 that both front ends render: faults that would
// lose a control, confuse the focus, hide a control or break a run's locking.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "form1_description.h"
#include "start_folder.h"

namespace fd = Form1Description;

namespace {

bool Overlap(const fd::Twips& a, const fd::Twips& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool Inside(const fd::Twips& inner, int width, int height) {
    return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= width && inner.top + inner.height <= height;
}

}  // namespace

TEST(Form1Description, EveryControlOfTheWindowExistsOnce) {
    const char* const names[] = {
        "Frame1", "Frame2", "Frame3", "Frame4", "opt_ext1", "opt_ext2", "opt_ext3", "opt_ext4", "opt_ext5", "opt_ext6",
        "opt_out1", "opt_out2", "opt_inside_style1", "opt_inside_style2", "Text1", "Drive1", "Dir1",
        "Command_Exec", "Command_Exit", "Label2",
    };
    for (const char* name : names) {
        EXPECT_EQ(std::count_if(fd::Controls().begin(), fd::Controls().end(),
                                [&](const fd::Control& c) { return c.name == name; }),
                  1)
            << name;
    }
    EXPECT_EQ(fd::Controls().size(), std::size(names));
}

// The tab order holds every control that takes the focus exactly once, in
// an order with no ties, and starts on Execute.
TEST(Form1Description, TabOrderIsAPermutationStartingOnExecute) {
    std::set<int> indexes;
    for (const fd::Control& c : fd::Controls()) indexes.insert(c.tab_index);
    EXPECT_EQ(indexes.size(), fd::Controls().size());

    const auto order = fd::TabOrder();
    std::set<std::string_view> in_order;
    for (const fd::Control* c : order) EXPECT_TRUE(in_order.insert(c->name).second) << c->name;
    for (const fd::Control& c : fd::Controls()) EXPECT_EQ(in_order.count(c.name), fd::TakesFocus(c.kind) ? 1u : 0u) << c.name;
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front()->name, "Command_Exec");
}

// Every control lies within its frame, and the frames within the client area.
TEST(Form1Description, ControlsLieInsideTheirParents) {
    for (const fd::Control& c : fd::Controls()) {
        if (c.parent.empty()) {
            EXPECT_TRUE(Inside(c.place, fd::kClientWidth, fd::kClientHeight)) << c.name;
            continue;
        }
        const fd::Control* frame = fd::Find(c.parent);
        ASSERT_NE(frame, nullptr) << c.name;
        EXPECT_EQ(frame->kind, fd::Kind::Frame) << c.name;
        EXPECT_TRUE(Inside(c.place, frame->place.width, frame->place.height)) << c.name;
    }
}

// A control lying over a frame it does not belong to must be stacked above
// it, or the frame would hide it (Dir1 on Frame4, Text1 on Frame1).
TEST(Form1Description, ControlsOverFramesAreStackedAboveThem) {
    const auto controls = fd::Controls();
    int overlaps = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = 0; j < controls.size(); ++j) {
            const fd::Control& frame = controls[j];
            const fd::Control& other = controls[i];
            if (frame.kind != fd::Kind::Frame || i == j || other.parent == frame.name) continue;
            if (!Overlap(fd::PlaceInClientArea(other), fd::PlaceInClientArea(frame))) continue;
            ++overlaps;
            EXPECT_LT(i, j) << other.name << " lies below " << frame.name;
        }
    }
    EXPECT_GE(overlaps, 2);
}

// The lock covers every control that feeds the run settings, once each, and
// never Exit, which must stay live during a run.
TEST(Form1Description, RunLocksEveryInputOnceButNotExit) {
    std::set<std::string_view> locked;
    for (const fd::Id id : fd::kRunLockOrder) {
        const std::string_view name = fd::Get(id).name;
        EXPECT_TRUE(locked.insert(name).second) << name << " twice";
    }
    for (const fd::Control& c : fd::Controls()) {
        const bool feeds_run = c.kind == fd::Kind::OptionButton || c.kind == fd::Kind::TextBox ||
                               c.kind == fd::Kind::DriveList || c.kind == fd::Kind::FolderList ||
                               c.name == "Command_Exec";
        EXPECT_EQ(locked.count(c.name), feeds_run ? 1u : 0u) << c.name;
    }
}

// Each option group gets exactly one selection at load.
TEST(Form1Description, OneOptionOfEachGroupIsSelectedAtLoad) {
    std::set<std::string_view> frames;
    for (const fd::Control& c : fd::Controls()) {
        if (c.kind != fd::Kind::OptionButton) continue;
        frames.insert(c.parent);
        const auto group = fd::OptionGroup(c);
        EXPECT_GE(group.size(), 2u) << c.name;
        const auto in_group = [&](fd::Id id) {
            return std::any_of(group.begin(), group.end(), [&](const fd::Control* g) { return g->id == id; });
        };
        const auto selected = std::count_if(std::begin(fd::kSelectedAtLoad), std::end(fd::kSelectedAtLoad), in_group);
        EXPECT_EQ(selected, 1) << c.name;
    }
    EXPECT_EQ(frames.size(), std::size(fd::kSelectedAtLoad));
}

// Places scale with the screen's resolution, not a fixed 15 twips per pixel.
TEST(Form1Description, TwipsFollowTheResolution) {
    struct Case { int twips, dpi, pixels; };
    for (const Case c : {Case{7080, 96, 472}, Case{7080, 144, 708}, Case{180, 120, 15}, Case{15, 192, 2}}) {
        EXPECT_EQ(fd::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

// A screen reader names each control by its caption or its role, never by
// the program's internal name, and no two controls sound the same.
TEST(Form1Description, EveryControlHasItsOwnReadableName) {
    std::set<std::string_view> names;
    for (const fd::Control& c : fd::Controls()) {
        const std::string_view name = fd::AccessibleName(c);
        EXPECT_FALSE(name.empty()) << c.name;
        EXPECT_NE(name, c.name) << "a control without caption or role name";
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    ASSERT_TRUE(fd::kFocusAfterRun.has_value());
    EXPECT_TRUE(fd::TakesFocus(fd::Get(*fd::kFocusAfterRun).kind));
}

// The command line: at most one FOLDER, which may start with "-" after "--".
TEST(StartArguments, OneFolderAtMost) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> folder;
        bool help, error;
    };
    const Case cases[] = {
        {{}, std::nullopt, false, false},
        {{"/usr/share/doc"}, "/usr/share/doc", false, false},
        {{"--", "-odd"}, "-odd", false, false},
        {{"-"}, "-", false, false},
        {{"--help"}, std::nullopt, true, false},
        {{"-x"}, std::nullopt, false, true},
        {{"a", "b"}, "a", false, true},
    };
    for (const Case& c : cases) {
        const StartArguments parsed = ParseStartArguments(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        if (!c.error) {
            EXPECT_EQ(parsed.folder, c.folder) << shown;
        }
        EXPECT_EQ(parsed.help, c.help) << shown;
        EXPECT_EQ(!parsed.error.empty(), c.error) << shown;
    }
}
