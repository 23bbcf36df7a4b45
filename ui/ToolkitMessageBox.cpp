#include "ui/ToolkitMessageBox.h"

#include "ui/GtkDialogSupport.h"
#include "ui/WxText.h"

#include <wx/msgdlg.h>

namespace {

long iconStyle(platform::MessageBoxIcon icon) {
    switch (icon) {
    case platform::MessageBoxIcon::None:
        return wxICON_NONE;
    case platform::MessageBoxIcon::Information:
        return wxICON_INFORMATION;
    case platform::MessageBoxIcon::Exclamation:
        return wxICON_EXCLAMATION;
    case platform::MessageBoxIcon::Error:
        return wxICON_ERROR;
    }
    return wxICON_NONE;
}

} // namespace

void showToolkitMessageBox(const std::string& title, const std::string& text,
                           platform::MessageBoxIcon icon) {
    markDefaultButtons();
    wxMessageBox(toWxString(text), toWxString(title), wxOK | wxCENTRE | iconStyle(icon));
}
