#pragma once

#include "ui/DialogTemplate.h"

#include <vector>

namespace res {

// The dialog template with that id, or null.
const DialogTemplate* findDialogTemplate(int id);

// Every template the program has, by id.
std::vector<int> dialogTemplateIds();

// One per file, beside this one.
DialogTemplate aboutBoxTemplate();
DialogTemplate saverDialogTemplate();
DialogTemplate selectCityTemplate();
DialogTemplate selectImagesTemplate();
DialogTemplate enterLocationTemplate();
DialogTemplate imagePackPromotionTemplate();

} // namespace res
