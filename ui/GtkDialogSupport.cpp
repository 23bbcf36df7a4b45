#include "ui/GtkDialogSupport.h"

#include "ui/WxText.h"

#include <gtk/gtk.h>
#include <wx/statbox.h>
#include <wx/toplevel.h>

namespace {

// "&Show" becomes "_Show"; "&&" a plain '&'; a '_' of the text stays one.
std::string gtkMnemonicText(const std::string& text) {
    std::string converted;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            converted += "__";
        } else if (text[i] == '&' && i + 1 < text.size()) {
            converted += text[i + 1] == '&' ? "&" : "_";
            if (text[i + 1] == '&') {
                ++i;
            }
        } else {
            converted += text[i];
        }
    }
    return converted;
}

GtkLabel* labelWidget(wxWindow& label) {
    GtkWidget* widget = static_cast<GtkWidget*>(label.GetHandle());
    if (widget == nullptr) {
        return nullptr;
    }
    if (GTK_IS_FRAME(widget)) {
        widget = gtk_frame_get_label_widget(GTK_FRAME(widget));
    }
    return widget != nullptr && GTK_IS_LABEL(widget) ? GTK_LABEL(widget) : nullptr;
}

// The widget that takes the focus for a control. A composite control (the
// list view) takes it in an inner window.
GtkWidget* focusWidget(wxWindow& target) {
    for (wxWindow* child : target.GetChildren()) {
        if (child->AcceptsFocus()) {
            return child->GetConnectWidget();
        }
    }
    return target.GetConnectWidget();
}

void onMnemonicsVisibleChanged(GObject* object, GParamSpec*, gpointer) {
    GtkWindow* window = GTK_WINDOW(object);
    if (!gtk_window_get_mnemonics_visible(window)) {
        gtk_window_set_mnemonics_visible(window, TRUE);
    }
}

} // namespace

void keepMnemonicsVisible(wxTopLevelWindow& window) {
    GtkWidget* widget = static_cast<GtkWidget*>(window.GetHandle());
    if (widget == nullptr || !GTK_IS_WINDOW(widget)) {
        return;
    }
    gtk_window_set_mnemonics_visible(GTK_WINDOW(widget), TRUE);
    g_signal_connect(widget, "notify::mnemonics-visible", G_CALLBACK(onMnemonicsVisibleChanged),
                     nullptr);
}

void linkMnemonic(wxWindow& label, const std::string& text, wxWindow* target) {
    GtkLabel* gtkLabel = labelWidget(label);
    if (gtkLabel == nullptr) {
        return;
    }
    // A frame's title loses its mnemonic on the toolkit's way in.
    if (dynamic_cast<wxStaticBox*>(&label) != nullptr) {
        gtk_label_set_text_with_mnemonic(gtkLabel, gtkMnemonicText(text).c_str());
    }
    gtk_label_set_mnemonic_widget(gtkLabel, target != nullptr ? focusWidget(*target) : nullptr);
}

void markDefaultButtons() {
    static const bool installed = [] {
        GdkScreen* screen = gdk_screen_get_default();
        if (screen == nullptr) {
            return false;
        }
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(css,
                                        "messagedialog button.default, button.template-default {"
                                        " border-color: @theme_selected_bg_color;"
                                        " box-shadow: inset 0 0 0 1px @theme_selected_bg_color; }",
                                        -1, nullptr);
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    static_cast<void>(installed);
}

void markAsDefault(wxWindow& button) {
    if (GtkWidget* widget = static_cast<GtkWidget*>(button.GetHandle()); widget != nullptr) {
        gtk_style_context_add_class(gtk_widget_get_style_context(widget), "template-default");
    }
}

namespace {

// Measures widget as the toolkit sees it without a size request of the
// layer's own, which would be measured instead.
template <typename Measure>
int measured(wxWindow& control, Measure measure) {
    GtkWidget* widget = static_cast<GtkWidget*>(control.GetHandle());
    if (widget == nullptr) {
        return 0;
    }
    int requestWidth = -1;
    int requestHeight = -1;
    gtk_widget_get_size_request(widget, &requestWidth, &requestHeight);
    gtk_widget_set_size_request(widget, -1, -1);
    const int size = measure(widget);
    gtk_widget_set_size_request(widget, requestWidth, requestHeight);
    return size;
}

} // namespace

int minimumWidth(wxWindow& control) {
    return measured(control, [](GtkWidget* widget) {
        int width = 0;
        gtk_widget_get_preferred_width(widget, &width, nullptr);
        return width;
    });
}

int naturalWidth(wxWindow& control) {
    return measured(control, [](GtkWidget* widget) {
        int width = 0;
        gtk_widget_get_preferred_width(widget, nullptr, &width);
        return width;
    });
}

int minimumHeight(wxWindow& control, int width) {
    return measured(control, [width](GtkWidget* widget) {
        int height = 0;
        gtk_widget_get_preferred_height_for_width(widget, width, &height, nullptr);
        return height;
    });
}
