#include "ui/CSelectImageDlg.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "ui/ControlMap.h"

#include <cstdio>
#include <fstream>
#include <wx/imaglist.h>
#include <wx/listctrl.h>

CSelectImageDlg::CSelectImageDlg()
    : CTemplateDialog(nullptr, *res::findDialogTemplate(res::IDD_SELECT_IMAGES)),
      m_pList(dlgItem<wxListCtrl>(res::IDC_IMAGE_LIST)) {}

void CSelectImageDlg::setImageList(std::unique_ptr<wxImageList> pImageList) {
    m_pImageList = std::move(pImageList);
}

void CSelectImageDlg::setItems(std::vector<std::string> captions, std::vector<bool> selected,
                               std::vector<std::string> keys) {
    m_captions = std::move(captions);
    m_selected = std::move(selected);
    m_keys = std::move(keys);
}

bool CSelectImageDlg::OnInitDialog() {
    if (m_pList == nullptr) {
        return true;
    }
    if (m_pImageList != nullptr) {
        // The list owns it from now on and deletes it with the dialog.
        m_pList->AssignImageList(m_pImageList.release(), wxIMAGE_LIST_NORMAL);
    }
    for (std::size_t i = 0; i < m_captions.size(); ++i) {
        const long nItem = m_pList->InsertItem(
            static_cast<long>(i), wxString::FromUTF8(m_captions[i]), static_cast<int>(i));
        if (i < m_selected.size() && m_selected[i]) {
            m_pList->SetItemState(nItem, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        }
    }
    // Every way the selection changes (mouse, keyboard, ranges) ends in an
    // idle moment; the count follows there as well as on each item event.
    for (const auto& type : {wxEVT_LIST_ITEM_SELECTED, wxEVT_LIST_ITEM_DESELECTED}) {
        m_pList->Bind(type, [this](wxListEvent& event) {
            updateCount();
            event.Skip();
        });
    }
    Bind(wxEVT_IDLE, &CSelectImageDlg::onIdle, this);
    updateCount();
    return true;
}

int CSelectImageDlg::selectedCount() const {
    return m_pList != nullptr ? m_pList->GetSelectedItemCount() : 0;
}

std::vector<int> CSelectImageDlg::selectedItems() const {
    std::vector<int> items;
    if (m_pList == nullptr) {
        return items;
    }
    for (long nItem = m_pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); nItem != -1;
         nItem = m_pList->GetNextItem(nItem, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        items.push_back(static_cast<int>(nItem));
    }
    return items;
}

void CSelectImageDlg::updateCount() {
    const int nCount = selectedCount();
    if (nCount != m_nShownCount) {
        m_nShownCount = nCount;
        SetDlgItemText(res::IDC_SELECTED_COUNT, SelectImageLogic::countText(nCount));
    }
}

void CSelectImageDlg::onIdle(wxIdleEvent& event) {
    updateCount();
    if (!m_bItemMapWritten && IsShown() && !controlMapFolder().empty()) {
        m_bItemMapWritten = true;
        writeItemMap();
    }
    event.Skip();
}

void CSelectImageDlg::OnOK() {
    const std::optional<std::string> result = SelectImageLogic(m_keys).onOK(selectedItems());
    if (!result) {
        return;
    }
    m_csResult = *result;
    EndDialog(kOK);
}

// Where each item's thumbnail is on the screen, for programs that drive the
// picker: "<template id>.items", one line "index x y width height" each.
void CSelectImageDlg::writeItemMap() const {
    if (m_pList == nullptr) {
        return;
    }
    const std::string csPath =
        controlMapFolder() + "/" + std::to_string(dialogTemplate().id) + ".items";
    const std::string csTemporary = csPath + ".part";
    {
        std::ofstream out(csTemporary, std::ios::trunc);
        for (long nItem = 0; nItem < m_pList->GetItemCount(); ++nItem) {
            wxRect rect;
            if (!m_pList->GetItemRect(nItem, rect, wxLIST_RECT_ICON)) {
                continue;
            }
            const wxPoint origin = m_pList->ClientToScreen(rect.GetPosition());
            out << nItem << ' ' << origin.x << ' ' << origin.y << ' ' << rect.width << ' '
                << rect.height << '\n';
        }
    }
    std::rename(csTemporary.c_str(), csPath.c_str());
}
