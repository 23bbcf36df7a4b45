#include "ui/CEnterLocation.h"

#include "location/CSelectCityDlg.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "ui/EnterLocationLogic.h"
#include "ui/WxText.h"

#include <wx/textctrl.h>

CEnterLocation::CEnterLocation()
    : CTemplateDialog(nullptr, *res::findDialogTemplate(res::IDD_ENTER_LOCATION)),
      m_pEdit(dlgItem<wxTextCtrl>(res::IDC_LOCATION_EDIT)) {}

void CEnterLocation::OnOK() {
    const ResolveLocationFactory factory;
    CityChooserDialog chooser(this);
    EnterLocationLogic logic(factory, chooser);
    if (!logic.onOK(fromWxString(m_pEdit->GetValue()))) {
        return;
    }
    m_csDisplayName = logic.displayName();
    m_csLocationId = logic.locationId();
    EndDialog(res::IDOK);
}
