#pragma once

#include "platform/MessageBox.h"

#include <string>
#include <vector>

namespace location_test {

struct Box {
    std::string title;
    std::string text;
    platform::MessageBoxIcon icon;
};

// Records every message box for the lifetime of the object instead of
// showing it.
class RecordedBoxes {
public:
    RecordedBoxes()
        : m_previous(platform::setMessageBoxHandler([this](const std::string& title,
                                                           const std::string& text,
                                                           platform::MessageBoxIcon icon) {
              m_boxes.push_back({title, text, icon});
          })) {}
    ~RecordedBoxes() { platform::setMessageBoxHandler(m_previous); }
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    const std::vector<Box>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); }

private:
    std::vector<Box> m_boxes;
    platform::MessageBoxHandler m_previous;
};

} // namespace location_test
