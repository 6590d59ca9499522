// Form1's controls: kinds, captions, places and sizes, nesting, stacking and
// tab order. Places and sizes are kept in twips, as the window was designed.

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "drive_list.h"
#include "folder_list.h"
#include "form1.h"
#include "frame_box.h"
#include "texts.h"

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 7080;
constexpr int kClientHeight = 4365;
constexpr int kClientLeft = 3690;  // on the screen
constexpr int kClientTop = 2085;

QRect Twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

template <typename Control>
Control* Place(Control* control, const char* name, const QRect& geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QRadioButton* Option(QWidget* frame, const char* name, const QString& text, const QRect& geometry) {
    return Place(new QRadioButton(text, frame), name, geometry);
}

}  // namespace

void Form1::BuildLayout() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(Module1::kTitle));
    client_area = new QWidget(this);
    client_area->setObjectName(QStringLiteral("client_area"));
    setCentralWidget(client_area);
    QWidget* w = client_area;

    // Created from the bottom of the stack up: a later sibling lies above an
    // earlier one, so Dir1 lies above Frame4 and Text1 above Frame1.
    Label2 = Place(new QLabel(QStringLiteral("Label2"), w), "Label2", Twips(120, 3840, 6855, 495));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setTextFormat(Qt::PlainText);

    Frame4 = Place(new FrameBox(QStringLiteral("検索ディレクトリの設定"), w), "Frame4",
                   Twips(120, 120, 4695, 2775));
    Command_Exec = Place(new QPushButton(QStringLiteral("Execute"), w), "Command_Exec",
                         Twips(5400, 2760, 1215, 375));
    Command_Exit = Place(new QPushButton(QStringLiteral("Exit"), w), "Command_Exit",
                         Twips(5400, 3240, 1215, 375));
    Dir1 = Place(new FolderList(w), "Dir1", Twips(360, 360, 4215, 2400));
    Drive1 = Place(new DriveList(w), "Drive1", Twips(360, 3120, 1215, 300));

    Frame1 = Place(new FrameBox(QStringLiteral("拡張子"), w), "Frame1", Twips(4920, 120, 2055, 2415));
    opt_ext1 = Option(Frame1, "opt_ext1", QStringLiteral("HTM/HTML"), Twips(120, 240, 1575, 255));
    opt_ext2 = Option(Frame1, "opt_ext2", QStringLiteral("JPG/JPEG/GIF"), Twips(120, 480, 1575, 255));
    opt_ext3 = Option(Frame1, "opt_ext3", QStringLiteral("JPG/JPEG"), Twips(120, 720, 1575, 255));
    opt_ext4 = Option(Frame1, "opt_ext4", QStringLiteral("GIF"), Twips(120, 960, 1455, 255));
    opt_ext5 = Option(Frame1, "opt_ext5", QStringLiteral("txt/text"), Twips(120, 1200, 1215, 180));
    opt_ext6 = Option(Frame1, "opt_ext6", QStringLiteral("OTHER"), Twips(120, 1560, 1335, 180));

    Frame2 = Place(new FrameBox(QStringLiteral("出力書式"), w), "Frame2", Twips(1800, 3000, 1215, 735));
    opt_out1 = Option(Frame2, "opt_out1", QStringLiteral("HtmlLink"), Twips(120, 240, 975, 180));
    opt_out2 = Option(Frame2, "opt_out2", QStringLiteral("TEXT"), Twips(120, 480, 855, 180));

    Text1 = Place(new QLineEdit(QStringLiteral("Text1"), w), "Text1", Twips(5040, 2040, 1215, 270));

    Frame3 = Place(new FrameBox(QStringLiteral("内容"), w), "Frame3", Twips(3120, 3000, 1695, 735));
    opt_inside_style1 = Option(Frame3, "opt_inside_style1", QStringLiteral("PATH+FILE名"), Twips(120, 240, 1455, 180));
    opt_inside_style2 = Option(Frame3, "opt_inside_style2", QStringLiteral("FILE名"), Twips(120, 480, 855, 180));

    // Frames and the label never take the focus.
    for (QWidget* passive : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                             static_cast<QWidget*>(Frame3), static_cast<QWidget*>(Frame4),
                             static_cast<QWidget*>(Label2)}) {
        passive->setFocusPolicy(Qt::NoFocus);
    }
    // Exit stays live during a run, so it keeps the arrow under the hourglass.
    Command_Exit->setCursor(Qt::ArrowCursor);

    mnuFile_about = menuBar()->addMenu(QStringLiteral("&About"));
    mnuFile_about->setObjectName(QStringLiteral("mnuFile_about"));
    mnuFile_about_about = mnuFile_about->addAction(QStringLiteral("About"));
    mnuFile_about_about->setObjectName(QStringLiteral("mnuFile_about_about"));
    mnuFile_about_about->setMenuRole(QAction::NoRole);

    SetTabOrder();
    PlaceWindow();
}

void Form1::SetTabOrder() {
    // Rising tab index; the frames and the label are left out.
    QWidget* const order[] = {
        Command_Exec, Command_Exit, Dir1,     Drive1,   opt_ext1, opt_ext2,          opt_ext3,          opt_ext4,
        opt_out1,     opt_out2,     opt_ext5, Text1,    opt_ext6, opt_inside_style1, opt_inside_style2,
    };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void Form1::PlaceWindow() {
    // The client area is what lies below the menu bar; it opens at a fixed
    // place on the screen and never changes size.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const int menu_height = menuBar()->sizeHint().height();
    const QSize client(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    setFixedSize(client.width(), client.height() + menu_height);
    setGeometry(kClientLeft / kTwipsPerPixel, kClientTop / kTwipsPerPixel - menu_height, client.width(),
                client.height() + menu_height);
}
