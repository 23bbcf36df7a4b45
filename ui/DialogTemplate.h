#pragma once

#include <string>
#include <vector>

// A dialog as its template describes it: the layout in dialog units, and
// for every control its id, kind, text (with '&' before the mnemonic
// letter), rectangle and style. The order of the controls is the tab order.
// The templates themselves live in res/.

// x, y, width and height in dialog units: a quarter of the dialog font's
// average character width horizontally, an eighth of its height vertically.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind {
    Label,               // static text
    GroupBox,            // a frame with a title round other controls
    PushButton,          // the default button carries ControlStyle::kDefault
    RadioButton,         // checks itself; kGroupStart begins a new group
    CheckBox,            // toggles itself
    Edit,                // one line of text
    DropDownList,        // picks one entry of its list; no typing
    HorizontalScrollBar, //
    ListView,            // large icons from an image list, with captions
    Bitmap,              // a picture from the bitmap resources (resourceId)
};

// Style bits of a control.
namespace ControlStyle {
enum : unsigned {
    kGroupStart = 1u << 0,       // starts a group (radio buttons, navigation)
    kHidden = 1u << 1,           // created without being shown; never shown
    kDisabled = 1u << 2,         //
    kBorder = 1u << 3,           // a frame round the control
    kDefault = 1u << 4,          // the default push button (Enter)
    kAlignRight = 1u << 5,       // label text
    kAlignCentre = 1u << 6,      // label text
    kCentreImage = 1u << 7,      // label text vertically centred, one line
    kAutoHScroll = 1u << 8,      // edit scrolls with the caret
    kSorted = 1u << 9,           // list kept in alphabetical order
    kVScroll = 1u << 10,         // list with a vertical scroll bar
    kMultiLine = 1u << 11,       // check box text over several lines
    kRealSizeImage = 1u << 12,   // bitmap shown at its own size
    kShowSelAlways = 1u << 13,   // list view shows the selection without focus
    kSingleSelection = 1u << 14, // list view takes one item only
    kNoTabStop = 1u << 15,       // not reached with Tab
};
} // namespace ControlStyle

struct ControlTemplate {
    int id = -1; // -1: a control the program never addresses
    ControlKind kind = ControlKind::Label;
    std::string text;
    DialogRect rect;
    unsigned style = 0;
    int resourceId = 0; // bitmap of a Bitmap control
    int textLimit = 0;  // longest text an edit takes, in characters; 0: no limit

    bool has(unsigned bits) const { return (style & bits) == bits; }
};

// Style bits of a dialog.
namespace DialogStyle {
enum : unsigned {
    kCaption = 1u << 0,    // a title bar
    kSystemMenu = 1u << 1, // the window menu and close box
    kModalFrame = 1u << 2, // a dialog frame
    kThinBorder = 1u << 3, // no title bar, a thin border only
};
} // namespace DialogStyle

struct DialogTemplate {
    int id = 0;
    std::string title;
    int width = 0; // dialog units
    int height = 0;
    // The font the template was drawn for. Every dialog is laid out in the
    // desktop's dialog font instead, which stands in for it.
    std::string fontName;
    int pointSize = 8;
    unsigned style = 0;
    std::vector<ControlTemplate> controls; // in tab order

    bool has(unsigned bits) const { return (style & bits) == bits; }
    // The first control with that id, or null.
    const ControlTemplate* findControl(int controlId) const;
};
