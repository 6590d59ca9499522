#include "form1_description.h"

#include <algorithm>
#include <iterator>

namespace Form1Description {

namespace {

constexpr Control kControls[] = {
    {Id::Frame3, "Frame3", Kind::Frame, "", "内容", {3120, 3000, 1695, 735}, 16},
    {Id::opt_inside_style2, "opt_inside_style2", Kind::OptionButton, "Frame3", "FILE名", {120, 480, 855, 180}, 18},
    {Id::opt_inside_style1, "opt_inside_style1", Kind::OptionButton, "Frame3", "PATH+FILE名", {120, 240, 1455, 180}, 17},
    {Id::Text1, "Text1", Kind::TextBox, "", "", {5040, 2040, 1215, 270}, 14},
    {Id::Frame2, "Frame2", Kind::Frame, "", "出力書式", {1800, 3000, 1215, 735}, 6},
    {Id::opt_out2, "opt_out2", Kind::OptionButton, "Frame2", "TEXT", {120, 480, 855, 180}, 12},
    {Id::opt_out1, "opt_out1", Kind::OptionButton, "Frame2", "HtmlLink", {120, 240, 975, 180}, 11},
    {Id::Frame1, "Frame1", Kind::Frame, "", "拡張子", {4920, 120, 2055, 2415}, 5},
    {Id::opt_ext6, "opt_ext6", Kind::OptionButton, "Frame1", "OTHER", {120, 1560, 1335, 180}, 15},
    {Id::opt_ext5, "opt_ext5", Kind::OptionButton, "Frame1", "txt/text", {120, 1200, 1215, 180}, 13},
    {Id::opt_ext4, "opt_ext4", Kind::OptionButton, "Frame1", "GIF", {120, 960, 1455, 255}, 10},
    {Id::opt_ext3, "opt_ext3", Kind::OptionButton, "Frame1", "JPG/JPEG", {120, 720, 1575, 255}, 9},
    {Id::opt_ext2, "opt_ext2", Kind::OptionButton, "Frame1", "JPG/JPEG/GIF", {120, 480, 1575, 255}, 8},
    {Id::opt_ext1, "opt_ext1", Kind::OptionButton, "Frame1", "HTM/HTML", {120, 240, 1575, 255}, 7},
    {Id::Drive1, "Drive1", Kind::DriveList, "", "", {360, 3120, 1215, 300}, 3},
    {Id::Dir1, "Dir1", Kind::FolderList, "", "", {360, 360, 4215, 2400}, 2},
    {Id::Command_Exit, "Command_Exit", Kind::CommandButton, "", "Exit", {5400, 3240, 1215, 375}, 1},
    {Id::Command_Exec, "Command_Exec", Kind::CommandButton, "", "Execute", {5400, 2760, 1215, 375}, 0},
    {Id::Frame4, "Frame4", Kind::Frame, "", "検索ディレクトリの設定", {120, 120, 4695, 2775}, 19},
    {Id::Label2, "Label2", Kind::Label, "", "", {120, 3840, 6855, 495}, 20},
};

// Each row stands at its id, so that Get is an index that cannot miss.
constexpr bool RowsStandAtTheirIds() {
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (kControls[i].id != static_cast<Id>(i)) return false;
    }
    return std::size(kControls) == static_cast<std::size_t>(Id::Label2) + 1;
}
static_assert(RowsStandAtTheirIds(), "one row per control, in the order of Id");

// The controls that show no caption, named by their role.
struct RoleName {
    Id control;
    std::string_view name;
};
constexpr RoleName kRoleNames[] = {
    {Id::Dir1, "フォルダー一覧"},
    {Id::Drive1, "ドライブ"},
    {Id::Text1, "OTHER の拡張子"},
    {Id::Label2, "状態"},
};

}  // namespace

std::span<const Control> Controls() { return kControls; }

std::string_view AccessibleName(const Control& control) {
    if (!control.caption.empty()) return control.caption;
    for (const RoleName& role : kRoleNames) {
        if (role.control == control.id) return role.name;
    }
    return control.name;
}

const Control& Get(Id id) { return kControls[static_cast<std::size_t>(id)]; }

const Control* Find(std::string_view name) {
    for (const Control& control : kControls) {
        if (control.name == name) return &control;
    }
    return nullptr;
}

bool TakesFocus(Kind kind) { return kind != Kind::Frame && kind != Kind::Label; }

std::vector<const Control*> TabOrder() {
    std::vector<const Control*> order;
    for (const Control& control : kControls) {
        if (TakesFocus(control.kind)) order.push_back(&control);
    }
    std::sort(order.begin(), order.end(), [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
    return order;
}

Twips PlaceInClientArea(const Control& control) {
    Twips place = control.place;
    for (const Control* frame = Find(control.parent); frame != nullptr; frame = Find(frame->parent)) {
        place.left += frame->place.left;
        place.top += frame->place.top;
    }
    return place;
}

std::vector<const Control*> OptionGroup(const Control& option) {
    std::vector<const Control*> group;
    for (const Control& control : kControls) {
        if (control.kind == Kind::OptionButton && control.parent == option.parent) group.push_back(&control);
    }
    // Top to bottom, the order in which the arrow keys move through them.
    std::sort(group.begin(), group.end(), [](const Control* a, const Control* b) { return a->place.top < b->place.top; });
    return group;
}

}  // namespace Form1Description
