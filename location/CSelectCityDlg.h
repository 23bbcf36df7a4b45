#pragma once

#include "location/CityChoice.h"
#include "ui/CTemplateDialog.h"

#include <vector>

class wxChoice;

// Lets the user pick one of the places a location search found. The caller
// sets m_cityNames, shows the dialog and, on OK, reads m_nSelectedCity.
class CSelectCityDlg : public CTemplateDialog, public CityChoice {
public:
    explicit CSelectCityDlg(wxWindow* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    wxChoice* m_pCities = nullptr;
};

// Shows the city choice over parent.
class CityChooserDialog : public CityChooser {
public:
    explicit CityChooserDialog(wxWindow* parent) : m_pParent(parent) {}
    int chooseCity(const std::vector<std::string>& cityNames) override;

private:
    wxWindow* m_pParent;
};
