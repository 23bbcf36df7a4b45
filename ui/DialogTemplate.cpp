#include "ui/DialogTemplate.h"

const ControlTemplate* DialogTemplate::findControl(int controlId) const {
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}
