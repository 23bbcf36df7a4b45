#pragma once

#include <optional>
#include <string>
#include <vector>

// What the favourite picker decides, without its window: the count label
// and what OK makes of the selection. The keys are the list's, in list order.
class SelectImageLogic {
public:
    static constexpr int kMaxFavorites = 35;
    static constexpr const char* kTooManyTitle = "Note";
    static constexpr const char* kTooManyText = "There can be no more than 35 images selected";

    explicit SelectImageLogic(std::vector<std::string> keys = {}) : m_keys(std::move(keys)) {}

    // "1 item selected", otherwise "<n> items selected" (0 included).
    static std::string countText(int nSelected);

    // OK with the items at those indexes selected: the new favourites list
    // (the keys in list order, joined by ";"; empty for none), or nullopt
    // after saying that more than 35 were chosen, when the picker stays.
    // Indexes outside the list are ignored.
    std::optional<std::string> onOK(std::vector<int> selected) const;

private:
    std::vector<std::string> m_keys;
};
