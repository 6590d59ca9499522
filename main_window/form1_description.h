#pragma once

// Form1 as the window was designed, written once for every front end: the
// controls with their kinds, captions, places, frames, stacking and tab
// order, the menu, the window's own texts and the order in which a run locks
// the controls. A front end turns this into its toolkit's controls; it adds
// no caption or place of its own.

#include <chrono>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace Form1Description {

enum class Kind { Frame, OptionButton, TextBox, CommandButton, Label, DriveList, FolderList };

// The controls, named as the window's code names them, in stacking order
// (the order of Controls()): a name that is not a control does not compile.
enum class Id {
    Frame3, opt_inside_style2, opt_inside_style1, Text1, Frame2, opt_out2, opt_out1, Frame1, opt_ext6, opt_ext5,
    opt_ext4, opt_ext3, opt_ext2, opt_ext1, Drive1, Dir1, Command_Exit, Command_Exec, Frame4,
    Label2,  // the last: Controls() holds one row per id, up to this one
};

// A place and size in twips (1/1440 inch).
struct Twips {
    int left, top, width, height;
};

struct Control {
    Id id;
    std::string_view name;
    Kind kind;
    std::string_view parent;   // the frame it lies in; empty for the window itself
    std::string_view caption;  // empty where the control shows none
    Twips place;               // relative to the parent frame, else to the client area
    int tab_index;
};

// In stacking order: a control lies above every control further down that it overlaps.
std::span<const Control> Controls();
// The control of that id.
const Control& Get(Id id);
// The control of that name, or nullptr.
const Control* Find(std::string_view name);
// Whether the kind can hold the keyboard focus (frames and labels never do).
bool TakesFocus(Kind kind);
// The controls that take the focus, in rising tab index.
std::vector<const Control*> TabOrder();
// The place in the client area's coordinates, whatever frame the control is in.
Twips PlaceInClientArea(const Control& control);
// The option buttons that exclude each other: those of the same frame.
std::vector<const Control*> OptionGroup(const Control& option);
// The name a screen reader gives the control: its caption, or, for a control
// that shows none, its role in Japanese (the drive list's name is not the
// drive it shows, the status label's is not the match it shows).
std::string_view AccessibleName(const Control& control);

// Where the focus is put: a control, or, with none, the window itself.
using FocusTarget = std::optional<Id>;

// While a run goes the focus rests on the window itself, where Enter, Space
// and an input method's keys act on nothing: a key meant for the save dialog
// that arrives late (an input method often wants one Enter to commit the
// name and one more for the dialog) cannot end the walk. Exit stays live for
// the mouse and the close box, and Tab reaches it from there.
inline constexpr FocusTarget kFocusDuringRun{};
// Execute takes the focus back when a run ends, completed, cancelled or
// failed, so that Enter or Space runs again.
inline constexpr FocusTarget kFocusAfterRun = Id::Command_Exec;

// A box's OK takes a key only once the box has been on screen this long:
// keys drummed through a run and after it (Space, Enter) would otherwise
// close the closing box unseen, as browsers guard their prompts. The mouse
// acts at once.
inline constexpr std::chrono::milliseconds kBoxKeyDelay{300};

// The controls a run locks, in the order it locks and unlocks them.
inline constexpr Id kRunLockOrder[] = {
    Id::opt_ext1,          Id::opt_ext2, Id::opt_ext3, Id::opt_ext4, Id::opt_ext5, Id::opt_ext6,
    Id::opt_inside_style1, Id::opt_inside_style2, Id::opt_out1, Id::opt_out2, Id::Text1, Id::Command_Exec,
    Id::Dir1,              Id::Drive1,
};
// The options the window selects when it loads, one per group.
inline constexpr Id kSelectedAtLoad[] = {Id::opt_ext1, Id::opt_out1, Id::opt_inside_style1};

// The window: client area and its opening place on the screen, in twips.
inline constexpr int kClientWidth = 7080;
inline constexpr int kClientHeight = 4365;
inline constexpr int kClientLeft = 3690;
inline constexpr int kClientTop = 2085;

// The menu: one menu with one item. "&" marks the access key (Alt+A).
inline constexpr std::string_view kMenuName = "mnuFile_about";
inline constexpr std::string_view kMenuCaption = "&About";
inline constexpr std::string_view kMenuItemName = "mnuFile_about_about";
inline constexpr std::string_view kMenuItemCaption = "About";

// The window's own texts (the titles of boxes and the run's texts are in texts.h).
inline constexpr char kAboutText[] = "MARROWPINE\u3000ver0.8";
inline constexpr char kSaveDialogTitle[] = "検索結果を保存";
inline constexpr char kDriveUnreadable[] = "ドライブを読み取れません";
// Said when the save dialog is given a name of blanks only.
inline constexpr char kBlankFileName[] = "空白だけのファイル名は使えません";
inline constexpr char kDefaultExtHtml[] = "htm";
inline constexpr char kDefaultExtText[] = "txt";

// Form2, the hidden host of the save dialog.
inline constexpr char kForm2Caption[] = "検索結果の保存";
inline constexpr int kForm2ClientWidth = 5175;
inline constexpr int kForm2ClientHeight = 2085;
// Its one control besides the dialog, the command button dlg_cmd1.
inline constexpr char kDlgCmd1Caption[] = "dlg_cmd1";
inline constexpr Twips kDlgCmd1Place{3120, 480, 1215, 495};

// Twips to pixels at the given dots per inch (15 twips per pixel at 96),
// rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

}  // namespace Form1Description
