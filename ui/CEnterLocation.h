#pragma once

#include "ui/CTemplateDialog.h"

#include <string>

class wxTextCtrl;

// Asks for a location when none is stored yet, resolves what the user typed
// through the location search and ends with OK only once it holds a place.
class CEnterLocation : public CTemplateDialog {
public:
    CEnterLocation();

    // Set when the dialog ended with OK.
    const std::string& getDisplayName() const { return m_csDisplayName; }
    const std::string& getLocationId() const { return m_csLocationId; }

protected:
    void OnOK() override;

private:
    wxTextCtrl* m_pEdit = nullptr;
    std::string m_csDisplayName;
    std::string m_csLocationId;
};
