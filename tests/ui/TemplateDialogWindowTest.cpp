// Every dialog template built by the dialog layer on the real toolkit: ids,
// tab order, hidden controls, the default button, mnemonics, and no control
// given less room than the toolkit needs to draw it whole. The suite runs
// at GDK_SCALE 1 and 2.
#include "res/DialogTemplates.h"
#include "support/WxTestApplication.h"
#include "ui/CTemplateDialog.h"
#include "ui/MnemonicText.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <thread>
#include <wx/app.h>
#include <wx/button.h>

namespace {

// Runs the toolkit until condition holds or ten seconds have passed.
bool runEventsUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

GtkWidget* widgetOf(wxWindow* window) {
    return static_cast<GtkWidget*>(window->GetHandle());
}

// One template built and laid out, for the checks of every template.
class BuiltDialog {
public:
    explicit BuiltDialog(int id)
        : m_template(*res::findDialogTemplate(id)),
          m_pDialog(new CTemplateDialog(nullptr, m_template)) {
        m_pDialog->layoutControls();
    }
    ~BuiltDialog() {
        m_pDialog->Destroy();
        wxTheApp->Yield(true);
    }
    BuiltDialog(const BuiltDialog&) = delete;
    BuiltDialog& operator=(const BuiltDialog&) = delete;

    const DialogTemplate& dialogTemplate() const { return m_template; }
    CTemplateDialog& dialog() const { return *m_pDialog; }

private:
    const DialogTemplate& m_template;
    CTemplateDialog* m_pDialog;
};

// Each check runs over every template in one program, since bringing the
// toolkit up is what takes the time.
class TemplateDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing_support::wxApplicationReady()) {
            GTEST_SKIP() << "needs a display (run under xvfb-run)";
        }
    }
    template <typename Check>
    static void forEveryTemplate(Check check) {
        for (int id : res::dialogTemplateIds()) {
            SCOPED_TRACE("template " + std::to_string(id));
            BuiltDialog built(id);
            check(built.dialogTemplate(), built.dialog());
        }
    }
};

TEST_F(TemplateDialogWindowTest, HasEveryControlInTabOrderWithItsIdTextAndState) {
    forEveryTemplate([](const DialogTemplate& dialogTemplate, CTemplateDialog& dialog) {
        const auto& controls = dialogTemplate.controls;
        const wxWindowList& children = dialog.GetChildren();
        ASSERT_EQ(children.size(), controls.size());
        std::size_t i = 0;
        for (wxWindow* child : children) {
            SCOPED_TRACE(controls[i].text + " (" + std::to_string(controls[i].id) + ")");
            EXPECT_EQ(child, dialog.controlAt(i)) << "tab order";
            if (controls[i].id != -1) {
                EXPECT_EQ(dialog.GetDlgItem(controls[i].id), child);
            }
            EXPECT_EQ(child->IsShown(), !controls[i].has(ControlStyle::kHidden));
            const bool isDefault = controls[i].has(ControlStyle::kDefault);
            EXPECT_EQ(dialog.GetDefaultItem() == child, isDefault);
            const bool wraps =
                controls[i].kind == ControlKind::Label && controls[i].rect.height >= 16;
            if (!controls[i].text.empty() && !wraps && controls[i].kind != ControlKind::CheckBox) {
                EXPECT_EQ(child->GetLabel().utf8_string(), controls[i].text);
            }
            ++i;
        }
        EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    });
}

TEST_F(TemplateDialogWindowTest, PlacesControlsThroughTheToolkitsDialogUnits) {
    forEveryTemplate([](const DialogTemplate& dialogTemplate, CTemplateDialog& dialog) {
        const double growth = dialog.growth();
        EXPECT_GE(growth, 1.0);
        EXPECT_LE(growth, 1.5) << "the desktop font should not need this much more room";
        const auto pixels = [&dialog, growth](int x, int y) {
            const wxPoint point = dialog.ConvertDialogToPixels(wxPoint(x, y));
            return wxPoint(static_cast<int>(std::lround(point.x * growth)),
                           static_cast<int>(std::lround(point.y * growth)));
        };
        for (std::size_t i = 0; i < dialogTemplate.controls.size(); ++i) {
            const DialogRect& rect = dialogTemplate.controls[i].rect;
            SCOPED_TRACE(dialogTemplate.controls[i].text);
            EXPECT_EQ(dialog.controlAt(i)->GetPosition(), pixels(rect.x, rect.y));
            if (dialogTemplate.controls[i].kind != ControlKind::DropDownList) {
                EXPECT_EQ(dialog.controlAt(i)->GetPosition() + dialog.controlAt(i)->GetSize(),
                          pixels(rect.x + rect.width, rect.y + rect.height));
            }
        }
        const wxPoint size = pixels(dialogTemplate.width, dialogTemplate.height);
        EXPECT_EQ(dialog.GetClientSize(), wxSize(size.x, size.y));
    });
}

TEST_F(TemplateDialogWindowTest, GivesEveryShownControlTheRoomItNeedsInsideTheDialog) {
    forEveryTemplate([](const DialogTemplate& dialogTemplate, CTemplateDialog& dialog) {
        dialog.Show();
        const auto& controls = dialogTemplate.controls;
        ASSERT_TRUE(runEventsUntil([&] {
            for (std::size_t i = 0; i < controls.size(); ++i) {
                GtkAllocation allocation;
                gtk_widget_get_allocation(widgetOf(dialog.controlAt(i)), &allocation);
                if (dialog.controlAt(i)->IsShown() && allocation.width <= 1) {
                    return false;
                }
            }
            return true;
        }));
        // The window may be cut by a small screen; the layout must not be.
        const PixelSize client = dialog.placement().clientSize;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            wxWindow* control = dialog.controlAt(i);
            if (!control->IsShown()) {
                continue;
            }
            SCOPED_TRACE(controls[i].text + " (" + std::to_string(controls[i].id) + ")");
            GtkWidget* widget = widgetOf(control);
            GtkAllocation allocation;
            gtk_widget_get_allocation(widget, &allocation);
            int minimumWidth = 0;
            int minimumHeight = 0;
            gtk_widget_get_preferred_width(widget, &minimumWidth, nullptr);
            gtk_widget_get_preferred_height_for_width(widget, allocation.width, &minimumHeight,
                                                      nullptr);
            // Lists and pictures take any size; a shut drop-down list shows the
            // start of a long entry, as it always has.
            const ControlKind kind = controls[i].kind;
            if (kind != ControlKind::ListView && kind != ControlKind::Bitmap &&
                kind != ControlKind::DropDownList && kind != ControlKind::Edit &&
                kind != ControlKind::HorizontalScrollBar) {
                EXPECT_GE(allocation.width, minimumWidth);
            }
            if (kind != ControlKind::ListView && kind != ControlKind::Bitmap) {
                EXPECT_GE(allocation.height, minimumHeight);
            }
            const wxRect rect = control->GetRect();
            EXPECT_GE(rect.x, 0);
            EXPECT_GE(rect.y, 0);
            EXPECT_LE(rect.GetRight(), client.width);
            EXPECT_LE(rect.GetBottom(), client.height);
        }
    });
}

TEST_F(TemplateDialogWindowTest, LinksEveryLabelMnemonicToTheControlAfterIt) {
    forEveryTemplate([](const DialogTemplate& dialogTemplate, CTemplateDialog& dialog) {
        const auto& controls = dialogTemplate.controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].kind != ControlKind::Label || mnemonicLetter(controls[i].text) == 0) {
                continue;
            }
            SCOPED_TRACE(controls[i].text);
            const int target = mnemonicTarget(dialogTemplate, i);
            ASSERT_GE(target, 0);
            GtkWidget* label = widgetOf(dialog.controlAt(i));
            ASSERT_TRUE(GTK_IS_LABEL(label));
            // The widget that takes the focus: the control's own, or for a
            // composite control (the list view) one inside it.
            GtkWidget* linked = gtk_label_get_mnemonic_widget(GTK_LABEL(label));
            wxWindow* expected = dialog.controlAt(static_cast<std::size_t>(target));
            ASSERT_NE(linked, nullptr);
            EXPECT_TRUE(linked == expected->GetConnectWidget() ||
                        gtk_widget_is_ancestor(linked, widgetOf(expected)));
        }
    });
}

// What the settings dialog does with its speed group box: a text set at run
// time gets its mnemonic and the room it needs.
TEST(TemplateDialogWindow, ARunTimeTextGetsItsMnemonicAndItsRoom) {
    if (!testing_support::wxApplicationReady()) {
        GTEST_SKIP() << "needs a display (run under xvfb-run)";
    }
    CTemplateDialog dialog(nullptr, *res::findDialogTemplate(102));
    dialog.layoutControls();
    const double before = dialog.growth();
    dialog.SetDlgItemText(1019, "&Show a new image every 15 seconds");
    EXPECT_EQ(dialog.GetDlgItemText(1019), "&Show a new image every 15 seconds");
    GtkWidget* frame = widgetOf(dialog.GetDlgItem(1019));
    GtkWidget* label = gtk_frame_get_label_widget(GTK_FRAME(frame));
    ASSERT_TRUE(GTK_IS_LABEL(label));
    EXPECT_EQ(gtk_label_get_mnemonic_keyval(GTK_LABEL(label)), GDK_KEY_s);
    EXPECT_EQ(gtk_label_get_mnemonic_widget(GTK_LABEL(label)),
              dialog.GetDlgItem(1002)->GetConnectWidget());
    EXPECT_EQ(dialog.growth(), before);

    // Far too long for the box: the whole dialog grows instead of cutting it.
    dialog.SetDlgItemText(1019, "&Show a new image every fifteen seconds, or as often as the "
                                "speed below says");
    EXPECT_GT(dialog.growth(), before);
    int needed = 0;
    gtk_widget_get_preferred_width(frame, &needed, nullptr);
    EXPECT_GE(dialog.GetDlgItem(1019)->GetSize().x, needed);
}

TEST(TemplateDialogWindow, TheCloseBoxCancels) {
    if (!testing_support::wxApplicationReady()) {
        GTEST_SKIP() << "needs a display (run under xvfb-run)";
    }
    CTemplateDialog dialog(nullptr, *res::findDialogTemplate(131));
    dialog.Show();
    dialog.Close();
    EXPECT_EQ(dialog.GetReturnCode(), CTemplateDialog::kCancel);
    EXPECT_FALSE(dialog.IsShown());
}

} // namespace
