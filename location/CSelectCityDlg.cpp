#include "location/CSelectCityDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "ui/WxText.h"

#include <wx/choice.h>

CSelectCityDlg::CSelectCityDlg(wxWindow* parent)
    : CTemplateDialog(parent, *res::findDialogTemplate(res::IDD_SELECT_CITY)),
      m_pCities(dlgItem<wxChoice>(res::IDC_CITY_LIST)) {}

bool CSelectCityDlg::OnInitDialog() {
    for (const std::string& name : m_cityNames) {
        m_pCities->Append(toWxString(name));
    }
    m_pCities->SetSelection(initialSelection());
    return true;
}

void CSelectCityDlg::OnOK() {
    accept(m_pCities->GetSelection());
    EndDialog(res::IDOK);
}

int CityChooserDialog::chooseCity(const std::vector<std::string>& cityNames) {
    CSelectCityDlg dialog(m_pParent);
    dialog.m_cityNames = cityNames;
    return dialog.DoModal() == res::IDOK ? dialog.m_nSelectedCity : -1;
}
