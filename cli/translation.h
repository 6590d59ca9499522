#pragma once

// The tool's texts in the user's language: Japanese for a Japanese user,
// English for everyone else, from one catalogue (po/ja.po): through gettext
// on POSIX, from the catalogue built into the program on Windows, where
// there is no gettext. The texts in the code are the English ones; a new
// text is written as Tr("...") (N_("...") in a table), `cmake --build build
// --target update-po` brings it into po/ja.po, and its Japanese is written
// there (the catalogue test fails until it is).

#include <initializer_list>
#include <string>
#include <string_view>

namespace list_tool {

enum class Language { kEnglish, kJapanese };

// Takes the language from the user's settings: on POSIX the locale's
// messages as gettext reads them (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), on
// Windows the user's UI language. The system's own texts (the reasons of
// errors) are asked for in the same language, so that no line mixes two.
// locale_dir: where the catalogues lie; empty: PREFIX/share/locale beside
// the program's PREFIX/bin (also the build tree's layout).
Language ChooseLanguage(const std::string& locale_dir = {});
// The language chosen; English until ChooseLanguage.
Language CurrentLanguage();

// The text in the chosen language.
const char* Tr(const char* english);
// Marks a text for the catalogue where it is translated later (a table).
constexpr const char* N_(const char* english) { return english; }

// The text with its "%s" replaced by the arguments in turn; "%N$s" takes
// the N-th, for a translation that needs another order.
std::string Format(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace list_tool
