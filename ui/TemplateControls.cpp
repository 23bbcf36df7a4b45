#include "ui/TemplateControls.h"

#include "ui/GtkDialogSupport.h"
#include "ui/WxText.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// Template texts break lines with "\r" as well.
wxString controlText(const std::string& text) {
    wxString converted = toWxString(text);
    converted.Replace("\r\n", "\n");
    converted.Replace("\r", "\n");
    return converted;
}

long labelStyle(const ControlTemplate& control) {
    long style = wxST_NO_AUTORESIZE;
    if (control.has(ControlStyle::kAlignRight)) {
        style |= wxALIGN_RIGHT;
    } else if (control.has(ControlStyle::kAlignCentre)) {
        style |= wxALIGN_CENTRE_HORIZONTAL;
    }
    if (control.has(ControlStyle::kBorder)) {
        style |= wxBORDER_SIMPLE;
    }
    return style;
}

wxWindow* createControl(wxWindow* parent, const ControlTemplate& control) {
    const wxWindowID id = toolkitId(control.id);
    const wxString text = controlText(control.text);
    const wxPoint at = wxDefaultPosition;
    const wxSize size = wxDefaultSize;
    switch (control.kind) {
    case ControlKind::Label:
        return new wxStaticText(parent, id, text, at, size, labelStyle(control));
    case ControlKind::GroupBox:
        return new wxStaticBox(parent, id, text);
    case ControlKind::PushButton:
        // The template gives the width; the toolkit's own least button width
        // would only make the dialog grow for nothing.
        return new wxButton(parent, id, text, at, size, wxBU_EXACTFIT);
    case ControlKind::RadioButton:
        return new wxRadioButton(parent, id, text, at, size,
                                 control.has(ControlStyle::kGroupStart) ? wxRB_GROUP : 0);
    case ControlKind::CheckBox:
        return new wxCheckBox(parent, id, text);
    case ControlKind::Edit: {
        auto* edit = new wxTextCtrl(parent, id, wxEmptyString, at, size,
                                    control.has(ControlStyle::kBorder) ? 0 : wxBORDER_NONE);
        if (control.textLimit > 0) {
            edit->SetMaxLength(static_cast<unsigned long>(control.textLimit));
        }
        return edit;
    }
    case ControlKind::DropDownList:
        return new wxChoice(parent, id, at, size, 0, nullptr,
                            control.has(ControlStyle::kSorted) ? wxCB_SORT : 0);
    case ControlKind::HorizontalScrollBar:
        return new wxScrollBar(parent, id, at, size, wxSB_HORIZONTAL);
    case ControlKind::ListView:
        return new wxListCtrl(
            parent, id, at, size,
            wxLC_ICON | wxLC_AUTOARRANGE |
                (control.has(ControlStyle::kSingleSelection) ? wxLC_SINGLE_SEL : 0) |
                (control.has(ControlStyle::kBorder) ? wxBORDER_THEME : 0));
    case ControlKind::Bitmap:
        return new wxStaticBitmap(parent, id, wxNullBitmap, at, size,
                                  control.has(ControlStyle::kBorder) ? wxBORDER_SIMPLE : 0);
    }
    return nullptr;
}

} // namespace

wxWindowID toolkitId(int templateId) {
    return templateId == -1 ? wxID_ANY : templateId;
}

wxWindow* createTemplateControl(wxWindow* parent, const ControlTemplate& control) {
    wxWindow* window = createControl(parent, control);
    if (control.has(ControlStyle::kHidden)) {
        window->Hide();
    }
    if (control.has(ControlStyle::kDisabled)) {
        window->Disable();
    }
    if (control.kind == ControlKind::PushButton && control.has(ControlStyle::kDefault)) {
        static_cast<wxButton*>(window)->SetDefault();
        markAsDefault(*window);
    }
    return window;
}

PixelSize neededSize(wxWindow& window, const ControlTemplate& control, const std::string& text,
                     int width) {
    if (auto* own = dynamic_cast<OwnTemplateControl*>(&window); own != nullptr) {
        return own->neededSize(width);
    }
    switch (control.kind) {
    case ControlKind::Label: {
        if (text.empty()) {
            return {};
        }
        // A line of the dialog font is 8 dialog units tall. A label of one
        // line must hold its text on it; a taller one wraps to its width.
        if (control.rect.height < 16) {
            const int lineWidth = naturalWidth(window);
            return {lineWidth, minimumHeight(window, lineWidth)};
        }
        return {0, minimumHeight(window, width)};
    }
    case ControlKind::GroupBox:
        return text.empty() ? PixelSize{} : PixelSize{minimumWidth(window), 0};
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: {
        const int least = minimumWidth(window);
        return {least, minimumHeight(window, std::max(least, width))};
    }
    case ControlKind::Edit:
    case ControlKind::DropDownList:
    case ControlKind::HorizontalScrollBar:
        return {0, minimumHeight(window, width)};
    case ControlKind::ListView:
    case ControlKind::Bitmap:
        return {};
    }
    return {};
}
