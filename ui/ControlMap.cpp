#include "ui/ControlMap.h"

#include <cstdlib>
#include <sstream>

namespace {

// Tabs and line breaks would break the line format.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> parts;
    std::stringstream in(line);
    for (std::string part; std::getline(in, part, '\t');) {
        parts.push_back(part);
    }
    return parts;
}

bool toInt(const std::string& text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end == nullptr || *end != '\0') {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool toRect(const std::vector<std::string>& parts, std::size_t at, PixelRect& rect) {
    return toInt(parts[at], rect.x) && toInt(parts[at + 1], rect.y) &&
           toInt(parts[at + 2], rect.width) && toInt(parts[at + 3], rect.height);
}

std::string rectFields(const PixelRect& rect) {
    return std::to_string(rect.x) + "\t" + std::to_string(rect.y) + "\t" +
           std::to_string(rect.width) + "\t" + std::to_string(rect.height);
}

} // namespace

const MappedControl* ControlMap::find(int id) const {
    for (const MappedControl& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

std::string controlMapFolder() {
    const char* folder = std::getenv("NIMBORA_CONTROL_MAP_FOLDER");
    return folder != nullptr ? std::string(folder) : std::string();
}

std::string controlMapPath(const std::string& folder, int templateId) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + std::to_string(templateId) + ".map";
}

const char* controlKindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::PushButton:
        return "button";
    case ControlKind::RadioButton:
        return "radio";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::DropDownList:
        return "dropdown";
    case ControlKind::HorizontalScrollBar:
        return "scrollbar";
    case ControlKind::ListView:
        return "listview";
    case ControlKind::Bitmap:
        return "bitmap";
    }
    return "unknown";
}

// dialog <id> <x> <y> <w> <h> <scale> <title>
// control <id> <kind> <x> <y> <w> <h> <shown 0|1> <enabled 0|1> <text>
std::string formatControlMap(const ControlMap& map) {
    std::string text = "dialog\t" + std::to_string(map.templateId) + "\t" +
                       rectFields(map.screenRect) + "\t" + std::to_string(map.scale) + "\t" +
                       oneLine(map.title) + "\n";
    for (const MappedControl& control : map.controls) {
        text += "control\t" + std::to_string(control.id) + "\t" + control.kind + "\t" +
                rectFields(control.screenRect) + "\t" + (control.shown ? "1" : "0") + "\t" +
                (control.enabled ? "1" : "0") + "\t" + oneLine(control.text) + "\n";
    }
    return text;
}

std::optional<ControlMap> parseControlMap(const std::string& text) {
    ControlMap map;
    bool sawDialog = false;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> parts = fields(line);
        if (parts.size() >= 7 && parts[0] == "dialog") {
            sawDialog = toInt(parts[1], map.templateId) && toRect(parts, 2, map.screenRect) &&
                        toInt(parts[6], map.scale);
            map.title = parts.size() > 7 ? parts[7] : std::string();
        } else if (parts.size() >= 9 && parts[0] == "control") {
            MappedControl control;
            if (!toInt(parts[1], control.id) || !toRect(parts, 3, control.screenRect)) {
                return std::nullopt;
            }
            control.kind = parts[2];
            control.shown = parts[7] == "1";
            control.enabled = parts[8] == "1";
            control.text = parts.size() > 9 ? parts[9] : std::string();
            map.controls.push_back(control);
        } else if (!line.empty()) {
            return std::nullopt;
        }
    }
    return sawDialog ? std::optional<ControlMap>(map) : std::nullopt;
}
