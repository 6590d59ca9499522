// Form1's controls as Qt widgets, made from the window's description: each
// kind becomes its widget, each place is converted from twips, frames are
// the parents of their option buttons.

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <map>

#include "drive_list.h"
#include "elided_label.h"
#include "folder_list.h"
#include "form1.h"
#include "form1_description.h"
#include "frame_box.h"
#include "texts.h"

namespace {

namespace fd = Form1Description;

// Qt lays out in device-independent pixels, 96 to the inch.
constexpr int kLogicalDpi = 96;

int Pixels(int twips) { return fd::TwipsToPixels(twips, kLogicalDpi); }

QRect Geometry(const fd::Twips& t) { return {Pixels(t.left), Pixels(t.top), Pixels(t.width), Pixels(t.height)}; }

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QWidget* MakeControl(const fd::Control& control, QWidget* parent, Module1::Platform& platform) {
    const QString caption = Text(control.caption);
    switch (control.kind) {
    case fd::Kind::Frame: return new FrameBox(caption, parent);
    case fd::Kind::OptionButton: return new QRadioButton(caption, parent);
    case fd::Kind::TextBox: return new QLineEdit(caption, parent);
    case fd::Kind::CommandButton: {
        // Enter presses the focused button, as Space does; outside a dialog
        // Qt's buttons answer only Space.
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(true);
        return button;
    }
    case fd::Kind::Label: return new ElidedLabel(caption, parent);
    case fd::Kind::DriveList: return new DriveList(parent);
    case fd::Kind::FolderList: return new FolderList(platform, parent);
    }
    return nullptr;
}

}  // namespace

void Form1::BuildLayout() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Module1::kTitle));
    client_area = new QWidget(this);
    client_area->setObjectName(QStringLiteral("client_area"));
    setCentralWidget(client_area);

    // Frames first, so that their option buttons have a parent.
    std::map<std::string_view, QWidget*> made;
    const auto controls = fd::Controls();
    for (int pass = 0; pass < 2; ++pass) {
        for (const fd::Control& control : controls) {
            if ((control.kind == fd::Kind::Frame) != (pass == 0)) continue;
            QWidget* parent = control.parent.empty() ? client_area : made.at(control.parent);
            QWidget* widget = MakeControl(control, parent, platform());
            widget->setObjectName(Text(control.name));
            widget->setGeometry(Geometry(control.place));
            if (!fd::TakesFocus(control.kind)) widget->setFocusPolicy(Qt::NoFocus);
            widget->setAccessibleName(Text(fd::AccessibleName(control)));
            // On Linux Qt reports a drop-down list's current entry as its
            // name (the convention there); the role still reaches the reader.
            if (control.kind == fd::Kind::DriveList) widget->setAccessibleDescription(Text(fd::AccessibleName(control)));
            made[control.name] = widget;
        }
    }
    // Raised from the bottom of the stack up, so that Dir1 lies above
    // Frame4 and Text1 above Frame1.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) made.at(it->name)->raise();

    widgets_.resize(controls.size());
    for (const fd::Control& control : controls) widgets_[static_cast<std::size_t>(control.id)] = made.at(control.name);
    auto get = [this]<typename Type>(Type*& member, fd::Id id) { member = static_cast<Type*>(Widget(id)); };
    get(Frame1, fd::Id::Frame1);
    get(Frame2, fd::Id::Frame2);
    get(Frame3, fd::Id::Frame3);
    get(Frame4, fd::Id::Frame4);
    get(opt_ext1, fd::Id::opt_ext1);
    get(opt_ext2, fd::Id::opt_ext2);
    get(opt_ext3, fd::Id::opt_ext3);
    get(opt_ext4, fd::Id::opt_ext4);
    get(opt_ext5, fd::Id::opt_ext5);
    get(opt_ext6, fd::Id::opt_ext6);
    get(opt_out1, fd::Id::opt_out1);
    get(opt_out2, fd::Id::opt_out2);
    get(opt_inside_style1, fd::Id::opt_inside_style1);
    get(opt_inside_style2, fd::Id::opt_inside_style2);
    get(Text1, fd::Id::Text1);
    get(Drive1, fd::Id::Drive1);
    get(Dir1, fd::Id::Dir1);
    get(Command_Exec, fd::Id::Command_Exec);
    get(Command_Exit, fd::Id::Command_Exit);
    get(Label2, fd::Id::Label2);

    // The focus shows on every control from the start, not only once Tab
    // has been pressed: the window is used from the keyboard as much as with
    // the mouse, and Enter or Space acts on whatever holds the focus.
    setAttribute(Qt::WA_KeyboardFocusChange);
    // Exit stays live during a run, so it keeps the arrow under the hourglass.
    Command_Exit->setCursor(Qt::ArrowCursor);

    mnuFile_about = menuBar()->addMenu(Text(fd::kMenuCaption));
    mnuFile_about->setObjectName(Text(fd::kMenuName));
    mnuFile_about_about = mnuFile_about->addAction(Text(fd::kMenuItemCaption));
    mnuFile_about_about->setObjectName(Text(fd::kMenuItemName));
    mnuFile_about_about->setMenuRole(QAction::NoRole);

    SetTabOrder();
    PlaceWindow();
}

void Form1::SetTabOrder() {
    const std::vector<const fd::Control*> order = fd::TabOrder();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(Widget(order[i]->id), Widget(order[i + 1]->id));
}

void Form1::PlaceWindow() {
    // The client area is what lies below the menu bar; it opens at a fixed
    // place on the screen and never changes size.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const int menu_height = menuBar()->sizeHint().height();
    const QSize client(Pixels(fd::kClientWidth), Pixels(fd::kClientHeight));
    setFixedSize(client.width(), client.height() + menu_height);
    setGeometry(Pixels(fd::kClientLeft), Pixels(fd::kClientTop) - menu_height, client.width(),
                client.height() + menu_height);
}
