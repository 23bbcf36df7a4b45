#pragma once

#include "location/CSelectCityDlg.h"
#include "location/ResolveLocationFactory.h"
#include "slideshow/CDrawWnd.h"
#include "ui/CHyperLink.h"
#include "ui/CTemplateDialog.h"
#include "ui/SaverDialogLogic.h"

#include <wx/timer.h>

class wxScrollEvent;

// The settings dialog: how photos are picked and how often they change, the
// location, the temperature unit and the image pack, with a live preview of
// the show on the monitor picture. What it decides is SaverDialogLogic's;
// this class moves values between the controls and the logic.
class CSaverDlg : public CTemplateDialog, private SaverDialogControls {
public:
    // The command of the about box in the dialog's context menu.
    static constexpr int IDM_ABOUTBOX = 16;
    static constexpr int FIRST_USE_TIMER_ID = 1;
    static constexpr int FIRST_USE_DELAY_MS = 500;

    explicit CSaverDlg(SaverDialogServices& services);
    ~CSaverDlg() override;

    // The values: filled by the caller before DoModal, read after OK.
    SaverDialogValues& values() { return m_logic.values(); }
    SaverDialogLogic& logic() { return m_logic; }

protected:
    bool OnInitDialog() override;
    void OnOK() override { m_logic.onOK(); }
    void afterLayout() override;

private:
    // The controls, for the logic.
    void readValues(SaverDialogValues& values) override;
    void writeValues(const SaverDialogValues& values) override;
    int speedPosition() const override;
    void setSpeedPosition(int nPosition) override;
    void setItemText(int nId, const std::string& text) override;
    std::string itemText(int nId) const override;
    void enableItem(int nId, bool bEnable) override;
    int addListEntry(int nId, const std::string& text) override;
    void selectListEntry(int nId, int nIndex) override;
    int selectedListEntry(int nId) const override;
    void showWaitCursor(bool bWait) override;
    void startFirstUseTimer() override;
    void stopFirstUseTimer() override;
    void endDialog(int nResult) override { EndDialog(nResult); }

    bool isChecked(int nId) const;
    void check(int nId, bool bChecked);
    void bindEvents();
    void setUpLinks();
    void placeMonitorPicture(const wxRect& screen);
    void showAboutBox();
    void OnSpeedScroll(wxScrollEvent& event);
    void OnSpeedKey(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);

    class Preview : public SaverPreview {
    public:
        explicit Preview(CDrawWnd& window) : m_window(window) {}
        void SetSpeed(int nSpeed, bool speedUp) override { m_window.SetSpeed(nSpeed, speedUp); }
        void setDisplayMethod(int nMethod, int nOrder) override {
            m_window.setDisplayMethod(nMethod, nOrder);
        }
        void setBlendImages(bool bBlend) override { m_window.setBlendImages(bBlend); }
        void setPausePreview(bool bPause) override { m_window.setPausePreview(bPause); }
        void setImagePackFile(const std::string& csPath) override {
            m_window.setImagePackFile(csPath);
        }
        void setFavorites(const std::string& csText) override { m_window.setFavorites(csText); }
        void setLocation(const std::string& csName, const std::string& csId) override {
            m_window.setLocation(csName, csId);
        }

    private:
        CDrawWnd& m_window;
    };

    CDrawWnd m_preview;
    Preview m_previewOperations{m_preview};
    CHyperLink m_linkProfile;
    CHyperLink m_linkFaq;
    CHyperLink m_linkMoreInfo;
    CHyperLink m_linkDownload;
    wxTimer m_firstUseTimer;
    wxSize m_monitorPictureSize;
    ResolveLocationFactory m_factory;
    CityChooserDialog m_chooser;
    SaverDialogLogic m_logic;
    bool m_bWaitCursor = false;
};
