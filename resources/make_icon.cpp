// make-icon: draws the program's icon from its one design.
//
//   make-icon OUT.xpm OUT.png OUT.ico   the 32 x 32, 16-colour picture: XPM
//                                       (compiled into the program), indexed
//                                       PNG and the program file's ICO
//   make-icon --hicolor DIR             the same design at the desktop's
//                                       sizes, DIR/NxN/apps/marrowpine.png,
//                                       and DIR/scalable/apps/marrowpine.svg

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "icon_design.h"
#include "icon_files.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out) std::fprintf(stderr, "make-icon: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--hicolor") {
        const std::filesystem::path dir = argv[2];
        bool ok = true;
        for (int size : {16, 24, 48, 64, 128, 256}) {
            const std::string name = std::to_string(size) + "x" + std::to_string(size);
            ok &= WriteFile(dir / name / "apps" / "marrowpine.png",
                            icon::RgbPng(icon::Render(icon::ForSize(size), size), size));
        }
        ok &= WriteFile(dir / "scalable" / "apps" / "marrowpine.svg", icon::Svg(icon::Full()));
        return ok ? 0 : 1;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-icon OUT.xpm OUT.png OUT.ico\n       make-icon --hicolor DIR\n");
        return 2;
    }
    const icon::Indexed picture = icon::Picture32();
    const bool ok = WriteFile(argv[1], icon::Xpm(picture)) && WriteFile(argv[2], icon::IndexedPng(picture)) &&
                    WriteFile(argv[3], icon::Ico(picture));
    return ok ? 0 : 1;
}
