#include "ui/MnemonicText.h"

#include <cctype>

char mnemonicLetter(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') {
            continue;
        }
        if (text[i + 1] != '&') {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        }
        ++i;
    }
    return 0;
}

std::string withoutMnemonics(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::GroupBox:
    case ControlKind::Bitmap:
        return false;
    default:
        return true;
    }
}

int mnemonicTarget(const DialogTemplate& dialogTemplate, std::size_t labelIndex) {
    const auto& controls = dialogTemplate.controls;
    for (std::size_t i = labelIndex + 1; i < controls.size(); ++i) {
        if (takesFocus(controls[i].kind) && !controls[i].has(ControlStyle::kHidden)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
