#include "app/PendingMessageBoxes.h"

#include "platform/MessageBox.h"

#include <cstdlib>
#include <mutex>

namespace {

std::mutex& queueMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<PendingMessageBox>& queue() {
    static std::vector<PendingMessageBox> boxes;
    return boxes;
}

} // namespace

void queueMessageBoxesUntilToolkit() {
    platform::setMessageBoxHandler([](const std::string& title, const std::string& text) {
        const std::lock_guard<std::mutex> lock(queueMutex());
        queue().push_back({title, text});
    });
}

std::vector<PendingMessageBox> takePendingMessageBoxes() {
    const std::lock_guard<std::mutex> lock(queueMutex());
    std::vector<PendingMessageBox> boxes;
    boxes.swap(queue());
    return boxes;
}

bool messageBoxesGoToStandardError() {
    const char* value = std::getenv("NIMBORA_MESSAGE_BOXES");
    return value != nullptr && std::string(value) == "stderr";
}
