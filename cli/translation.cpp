#include "translation.h"

#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "win32_text.h"
#else
#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#endif

namespace list_tool {

namespace {

Language language = Language::kEnglish;

#ifdef _WIN32

// The Japanese catalogue, built from po/ja.po into the program's resources
// (catalogue.rc) in gettext's binary form: a header, then the lengths and
// offsets of the English texts, sorted, and of their translations.
class BuiltInCatalogue {
public:
    BuiltInCatalogue() {
        HRSRC found = FindResourceW(nullptr, L"JA_CATALOGUE", MAKEINTRESOURCEW(10));  // RT_RCDATA
        HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
        data_ = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        size_ = found != nullptr ? SizeofResource(nullptr, found) : 0;
        if (size_ < 20 || Word(0) != 0x950412de) data_ = nullptr;  // little-endian, as msgfmt writes here
    }
    bool Loaded() const { return data_ != nullptr; }

    // The translation, or nullptr when the catalogue has none.
    const char* Find(const char* english) const {
        if (data_ == nullptr) return nullptr;
        const std::uint32_t count = Word(8), originals = Word(12), translations = Word(16);
        std::uint32_t low = 0, high = count;
        while (low < high) {
            const std::uint32_t middle = low + (high - low) / 2;
            const char* original = Text(originals, middle);
            if (original == nullptr) return nullptr;
            const int order = std::strcmp(english, original);
            if (order == 0) return Text(translations, middle);
            if (order < 0) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return nullptr;
    }

private:
    std::uint32_t Word(std::uint32_t at) const {
        std::uint32_t word = 0;
        if (at + 4 <= size_) std::memcpy(&word, data_ + at, 4);
        return word;
    }
    const char* Text(std::uint32_t table, std::uint32_t index) const {
        const std::uint32_t length = Word(table + 8 * index), offset = Word(table + 8 * index + 4);
        return offset < size_ && length < size_ - offset ? data_ + offset : nullptr;
    }

    const char* data_ = nullptr;
    std::uint32_t size_ = 0;
};

const BuiltInCatalogue& Catalogue() {
    static const BuiltInCatalogue catalogue;
    return catalogue;
}

#else

constexpr char kDomain[] = "marrowpine-list";

// PREFIX/share/locale for the program at PREFIX/bin (or build/cli).
std::string LocaleDirBesideProgram() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
    for (int up = 0; up < 2 && !path.empty(); ++up) {
        const std::size_t slash = path.rfind('/');
        path.erase(slash == std::string::npos ? 0 : slash);
    }
    return path.empty() ? MARROWPINE_LOCALEDIR : path + "/share/locale";
}

#endif

}  // namespace

#ifdef _WIN32

Language ChooseLanguage(const std::string&) {
    const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE && Catalogue().Loaded();
    language = japanese ? Language::kJapanese : Language::kEnglish;
    Module1::win32::SetReasonLanguage(japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN)
                                               : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    return language;
}

const char* Tr(const char* english) {
    const char* japanese = language == Language::kJapanese ? Catalogue().Find(english) : nullptr;
    return japanese != nullptr && *japanese != '\0' ? japanese : english;
}

#else

Language ChooseLanguage(const std::string& locale_dir) {
    bindtextdomain(kDomain, (locale_dir.empty() ? LocaleDirBesideProgram() : locale_dir).c_str());
    // Names are written as UTF-8 whatever the locale's encoding; so are the texts.
    bind_textdomain_codeset(kDomain, "UTF-8");
    // Only a catalogue found for the user's language answers "" with its header.
    language = *dgettext(kDomain, "") != '\0' ? Language::kJapanese : Language::kEnglish;
    if (language == Language::kJapanese) {
        // The system's reasons in Japanese too, even where LANGUAGE names another language first.
        setenv("LANGUAGE", "ja", 1);
    } else {
        // The system's reasons in English too, not in a third language.
        std::setlocale(LC_MESSAGES, "C");
    }
    return language;
}

const char* Tr(const char* english) {
    return language == Language::kJapanese ? dgettext(kDomain, english) : english;
}

#endif

Language CurrentLanguage() { return language; }

std::string Format(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%' || at + 1 == text.size()) {
            out += text[at];
        } else if (text[at + 1] == '%') {
            out += '%';
            ++at;
        } else if (text[at + 1] == 's') {
            if (next < arguments.size()) out += arguments.begin()[next];
            ++next;
            ++at;
        } else if (text[at + 1] >= '1' && text[at + 1] <= '9' && text.substr(at + 2, 2) == "$s") {
            const std::size_t n = static_cast<std::size_t>(text[at + 1] - '1');
            if (n < arguments.size()) out += arguments.begin()[n];
            at += 3;
        } else {
            out += '%';
        }
    }
    return out;
}

}  // namespace list_tool
