#pragma once

#include "ui/CTemplateDialog.h"
#include "ui/SelectImageLogic.h"

#include <memory>
#include <string>
#include <vector>

class wxImageList;
class wxListCtrl;
class wxIdleEvent;

// The favourite picker: the pack's thumbnails in a large-icon list in which
// the user selects up to 35 (click, Ctrl-click, Shift-click, or the
// keyboard), with the count of selected images below. OK makes the
// selection, in list order, the new favourites list.
class CSelectImageDlg : public CTemplateDialog {
public:
    CSelectImageDlg();

    // What the list shows, given before DoModal: the thumbnails (taken over;
    // may be null), and per item its caption, whether it starts selected
    // and its key; the three sequences have the same length.
    void setImageList(std::unique_ptr<wxImageList> pImageList);
    void setItems(std::vector<std::string> captions, std::vector<bool> selected,
                  std::vector<std::string> keys);

    // The new favourites list, after OK.
    const std::string& getResult() const { return m_csResult; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int selectedCount() const;
    std::vector<int> selectedItems() const;
    void updateCount();
    void onIdle(wxIdleEvent& event);
    void writeItemMap() const;

    wxListCtrl* m_pList = nullptr;
    std::unique_ptr<wxImageList> m_pImageList;
    std::vector<std::string> m_captions;
    std::vector<bool> m_selected;
    std::vector<std::string> m_keys;
    std::string m_csResult;
    int m_nShownCount = -1;
    bool m_bItemMapWritten = false;
};
