// The gallery's registry: every visual component adds itself with one tile registration.
//
// A tile is a live control made by Create: headless, the gallery sizes it, lets Script drive it into
// a telling state through the test driver, and writes what it shows to <Name>.png; in the window, the
// same control sits on its library's page with real interaction.
#pragma once

#include <qyx/platform/TestDriver.h>

#include <functional>
#include <string>
#include <vector>

namespace qyxgallery {

struct TTile {
    std::string Library;     ///< the page it appears on ("qyxcore", ...)
    std::string Name;        ///< file stem of its picture, unique
    std::string Description; ///< what the picture and the live control show
    /// Makes the control (no owner: the gallery owns it), sized as it wants to be shown.
    std::function<qyx::TControl*()> Create;
    /// Optional: drives the control headless before its picture is taken.
    std::function<void(qyx::TControl*, qyx::TTestDriver&)> Script;
    /// Optional: what to try in the window ("click a frame", ...).
    std::string Hint;
};

/// The registered tiles in registration order, grouped by library in page order.
std::vector<TTile> Tiles();

/// Registers a tile at start-up: `static const TRegistration reg{{...}};` in the tile's file.
struct TRegistration {
    explicit TRegistration(TTile Tile);
};

/// Page order of the libraries (pages of libraries not listed come last, alphabetically).
const std::vector<std::string>& LibraryOrder();

/// Writes every tile's picture into Dir; prints one line per file. Returns the number of failures.
int RenderAll(const std::string& Dir);
/// Opens the gallery window (Qt); returns the program's exit code. With a snapshot prefix it saves a
/// picture of every page as <prefix><library>.png and quits.
int RunWindow(int& Argc, char** Argv, const std::string& SnapshotPrefix = "");
/// Whether the gallery was built with its Qt window.
bool HaveWindow();

} // namespace qyxgallery
