#include "application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

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
    // The window's own texts are Japanese whatever the locale; Qt's (the
    // save dialog's labels and buttons) follow the user's language.
    InstallQtTranslations(QLocale());
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MARROWPINE_APP_ID));
}

QTranslator* InstallQtTranslations(const QLocale& locale) {
    auto* translator = new QTranslator(qApp);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        return translator;
    }
    delete translator;
    return nullptr;
}
