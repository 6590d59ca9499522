#pragma once

class QApplication;
class QLocale;
class QTranslator;

// The look every window of the program shares: style, a font that shows
// Japanese at the size the layout was drawn for, and the icon; Qt's own
// texts (the save dialog's) in the user's language; the desktop entry the
// windows belong to.
void SetUpApplication(QApplication& app);

// Installs Qt's own translations for the locale from Qt's translations
// folder. Returns the installed translator, owned by the application, or
// nullptr when Qt has none for that language.
QTranslator* InstallQtTranslations(const QLocale& locale);
