// The tile registry and the headless rendering of every tile into PNG files.
#include "Gallery.h"

#include <qyx/platform/Controls.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>

namespace qyxgallery {

namespace {

std::vector<TTile>& Registry() {
    static std::vector<TTile> tiles;
    return tiles;
}

int PageIndex(const std::string& Library) {
    const auto& order = LibraryOrder();
    const auto it = std::find(order.begin(), order.end(), Library);
    return it != order.end() ? static_cast<int>(it - order.begin()) : static_cast<int>(order.size());
}

} // namespace

TRegistration::TRegistration(TTile Tile) {
    Registry().push_back(std::move(Tile));
}

const std::vector<std::string>& LibraryOrder() {
    static const std::vector<std::string> order = {"qyxgfx",     "qyxui",    "qyxcore",    "qyxnumerics",
                                                   "qyxwidgets", "qyxcarto", "qyxmolecule"};
    return order;
}

std::vector<TTile> Tiles() {
    std::vector<TTile> tiles = Registry();
    // Registration order across files is not fixed: order by page, then by name.
    std::stable_sort(tiles.begin(), tiles.end(), [](const TTile& A, const TTile& B) {
        const int a = PageIndex(A.Library), b = PageIndex(B.Library);
        if (a != b) return a < b;
        if (A.Library != B.Library) return A.Library < B.Library;
        return A.Name < B.Name;
    });
    return tiles;
}

int RenderAll(const std::string& Dir) {
    using namespace qyx;
    std::error_code ec;
    std::filesystem::create_directories(Dir, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", Dir.c_str(), ec.message().c_str());
        return 1;
    }
    int failures = 0;
    std::string page;
    for (const TTile& t : Tiles()) {
        if (t.Library != page) {
            page = t.Library;
            std::printf("== %s\n", page.c_str());
        }
        const std::string path = (std::filesystem::absolute(Dir) / (t.Name + ".png")).string();
        try {
            TTestDriver driver; // headless: stepped clock, scripted services
            std::unique_ptr<TControl> control(t.Create());
            control->SetVisible(true);
            if (auto* w = dynamic_cast<TWinControl*>(control.get())) w->HandleNeeded();
            control->Invalidate();
            driver.ProcessMessages();
            if (t.Script) t.Script(control.get(), driver);
            control->Invalidate();
            driver.ProcessMessages();
            TBitmap picture;
            driver.Snapshot(control.get(), &picture);
            picture.SaveToFile(path);
            std::printf("%s\n    %s\n", path.c_str(), t.Description.c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", t.Name.c_str(), e.what());
            ++failures;
        }
    }
    return failures;
}

} // namespace qyxgallery
