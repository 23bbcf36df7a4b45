#pragma once

#include "ui/DialogLayout.h"

#include <optional>
#include <string>
#include <vector>

// Where a shown dialog's controls are on the screen, for programs that
// drive dialogs as a person would (window tests, screenshot scripts). A
// dialog writes its map when NIMBORA_CONTROL_MAP_FOLDER names a folder: one
// file per template, "<template id>.map", replaced whole each time.
struct MappedControl {
    int id = -1;
    std::string kind;
    PixelRect screenRect; // in the toolkit's logical pixels
    bool shown = false;
    bool enabled = false;
    std::string text;
};

struct ControlMap {
    int templateId = 0;
    std::string title;
    PixelRect screenRect;                // the dialog's client area
    int scale = 1;                       // device pixels per logical pixel
    std::vector<MappedControl> controls; // in tab order

    // The first control with that id, or null.
    const MappedControl* find(int id) const;
};

// The folder named by NIMBORA_CONTROL_MAP_FOLDER; empty when none is.
std::string controlMapFolder();
std::string controlMapPath(const std::string& folder, int templateId);

const char* controlKindName(ControlKind kind);

std::string formatControlMap(const ControlMap& map);
std::optional<ControlMap> parseControlMap(const std::string& text);
