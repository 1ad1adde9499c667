// qyx_gallery: every visual component of the libraries with real data. Headless (no display, or
// --headless) it writes one PNG per component and says what each shows; with a display (or
// --window) it opens one window with a page per library.
#include "Gallery.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef QYX_GALLERY_OUT
#define QYX_GALLERY_OUT "gallery"
#endif

namespace {

void Usage() {
    std::printf("usage: qyx_gallery [--headless | --window | --snapshot PREFIX] [--out DIR] [--list]\n"
                "  --headless  write every component's picture as PNG (default without a display)\n"
                "  --window    open the gallery window (default with a display)\n"
                "  --out DIR   where the pictures go (default %s)\n"
                "  --snapshot P  open the window, save each page as P<library>.png and quit\n"
                "  --list      list the components and exit\n",
                QYX_GALLERY_OUT);
}

} // namespace

int main(int argc, char** argv) {
    using namespace qyxgallery;
    const char* display = std::getenv("DISPLAY");
    bool window = display != nullptr && *display != '\0' && HaveWindow();
    bool forcedWindow = false;
    std::string out = QYX_GALLERY_OUT;
    std::string snapshot;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--headless") {
            window = false;
        } else if (a == "--window") {
            window = forcedWindow = true;
        } else if (a == "--snapshot" && i + 1 < argc) {
            snapshot = argv[++i];
            window = forcedWindow = true;
        } else if (a == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (a == "--list") {
            for (const TTile& t : Tiles())
                std::printf("%-12s %-18s %s\n", t.Library.c_str(), t.Name.c_str(), t.Description.c_str());
            return 0;
        } else if (a == "--help" || a == "-h") {
            Usage();
            return 0;
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", a.c_str());
            Usage();
            return 2;
        }
    }
    if (window) {
        if (!HaveWindow()) {
            std::fprintf(stderr, "this gallery was built without Qt: only --headless works\n");
            return 2;
        }
        if (forcedWindow && (display == nullptr || *display == '\0') &&
            std::getenv("WAYLAND_DISPLAY") == nullptr) {
            std::fprintf(stderr, "no display to open a window on (DISPLAY is not set); try --headless\n");
            return 2;
        }
        return RunWindow(argc, argv, snapshot);
    }
    std::printf("Rendering %zu components into %s\n", Tiles().size(), out.c_str());
    return RenderAll(out) == 0 ? 0 : 1;
}
