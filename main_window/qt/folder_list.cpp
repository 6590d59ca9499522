#include "folder_list.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "folder_rows.h"
#include "message_box.h"
#include "native_names.h"
#include "platform.h"
#include "texts.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndent = 7;  // pixels per level

// Shifts each row right by its depth, as a folder list indents its levels.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + kIndent * index.data(kDepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + kIndent * index.data(kDepthRole).toInt(), size.height()};
    }
    // A name shortened to fit its row shows whole as the row's tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid()) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        if (const QString name = index.data(Qt::DisplayRole).toString(); IsShortened(option, index, view)) {
            QToolTip::showText(event->globalPos(), PlainToolTip(name), view->viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }

    bool IsShortened(const QStyleOptionViewItem& option, const QModelIndex& index, const QAbstractItemView* view) const {
        // The room the style gives the text in the visible row, less the
        // margins it keeps on either side.
        QStyleOptionViewItem item = option;
        item.rect.setLeft(option.rect.left() + kIndent * index.data(kDepthRole).toInt());
        item.rect.setRight(std::min(item.rect.right(), view->viewport()->rect().right()));
        initStyleOption(&item, index);
        const QStyle* style = view->style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view).width() - 2 * margin;
        return item.fontMetrics.horizontalAdvance(item.text) > room;
    }
};

// Sorted as a reader expects, with byte order breaking ties so that names
// differing only in case or in undecodable bytes keep a fixed order.
void SortByName(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = QString::compare(NameToText(a), NameToText(b), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace

FolderList::FolderList(Module1::Platform& platform, QWidget* parent) : QListWidget(parent), platform_(platform) {
    setItemDelegate(new IndentDelegate(this));
    // A long name keeps its start and its end; the tooltip shows it whole.
    setTextElideMode(Qt::ElideMiddle);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::OpenRow);
}

std::string FolderList::RowPath(const QListWidgetItem* item) {
    return item->data(kPathRole).toByteArray().toStdString();
}

bool FolderList::Open(const std::string& root, const std::string& path, std::string& failure) {
    std::vector<std::string> names;
    if (!platform_.ListSubFolders(path, names, failure)) return false;
    std::erase_if(names, [](const std::string& name) { return name.empty() || name.front() == '.'; });
    SortByName(names);

    clear();
    const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    std::size_t open_row = 0;
    for (const FolderRow& row : FolderRows(root, path, names, open_row)) {
        auto* item = new QListWidgetItem(row.open ? open_icon : closed_icon, ShownText(row.text), this);
        item->setData(kPathRole, QByteArray::fromStdString(row.path));
        item->setData(kDepthRole, row.depth);
    }
    setCurrentRow(static_cast<int>(open_row));

    root_ = root;
    const bool changed = path != path_;
    path_ = path;
    if (changed) emit PathChanged();
    return true;
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr) {
        OpenRow(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::OpenRow(QListWidgetItem* item) {
    const std::string path = RowPath(item);
    std::string failure;
    if (!Open(root_, path, failure)) {
        ShowMessageBox(window(), QString::fromUtf8(Module1::kCannotOpenFolder) + QStringLiteral(": %1 (%2)")
                                     .arg(ShownText(path), QString::fromUtf8(failure)));
    }
}
