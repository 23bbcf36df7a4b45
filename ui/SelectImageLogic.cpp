#include "ui/SelectImageLogic.h"

#include "platform/MessageBox.h"

#include <algorithm>

std::string SelectImageLogic::countText(int nSelected) {
    if (nSelected == 1) {
        return "1 item selected";
    }
    return std::to_string(nSelected) + " items selected";
}

std::optional<std::string> SelectImageLogic::onOK(std::vector<int> selected) const {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::erase_if(selected,
                  [this](int n) { return n < 0 || static_cast<std::size_t>(n) >= m_keys.size(); });
    if (selected.size() > static_cast<std::size_t>(kMaxFavorites)) {
        platform::showMessageBox(kTooManyTitle, kTooManyText,
                                 platform::MessageBoxIcon::Exclamation);
        return std::nullopt;
    }
    std::string result;
    for (const int n : selected) {
        if (!result.empty()) {
            result += ';';
        }
        result += m_keys[static_cast<std::size_t>(n)];
    }
    return result;
}
