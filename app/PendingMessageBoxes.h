#pragma once

#include <string>
#include <vector>

struct PendingMessageBox {
    std::string title;
    std::string text;
};

// Message boxes asked for before the toolkit is up (the framework library is
// loaded first of all) are kept, to be shown once it is.
void queueMessageBoxesUntilToolkit();

// The boxes kept so far, oldest first; the queue is left empty.
std::vector<PendingMessageBox> takePendingMessageBoxes();

// True when boxes are to be written to standard error instead of shown, for
// unattended runs: NIMBORA_MESSAGE_BOXES=stderr.
bool messageBoxesGoToStandardError();
