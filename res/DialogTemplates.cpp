#include "res/DialogTemplates.h"

#include <map>

namespace res {

namespace {

const std::map<int, DialogTemplate>& templates() {
    static const std::map<int, DialogTemplate> all = [] {
        std::map<int, DialogTemplate> byId;
        for (DialogTemplate dialog :
             {aboutBoxTemplate(), saverDialogTemplate(), selectCityTemplate(),
              selectImagesTemplate(), enterLocationTemplate(), imagePackPromotionTemplate()}) {
            const int id = dialog.id;
            byId.emplace(id, std::move(dialog));
        }
        return byId;
    }();
    return all;
}

} // namespace

const DialogTemplate* findDialogTemplate(int id) {
    const auto found = templates().find(id);
    return found == templates().end() ? nullptr : &found->second;
}

std::vector<int> dialogTemplateIds() {
    std::vector<int> ids;
    for (const auto& entry : templates()) {
        ids.push_back(entry.first);
    }
    return ids;
}

} // namespace res
