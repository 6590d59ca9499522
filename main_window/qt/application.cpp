#include "application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>

#include "window_style.h"

#include "marrowpine.xpm"

void SetUpApplication(QApplication& app) {
    // One style everywhere, so that the fixed layout looks the same on every desktop.
    QApplication::setStyle(new WindowStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);
    app.setWindowIcon(QIcon(QPixmap(marrowpine)));
}
