#include "app/PendingMessageBoxes.h"
#include "platform/MessageBox.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxQueue, BoxesWaitInOrderUntilTaken) {
    queueMessageBoxesUntilToolkit();
    platform::showMessageBox("Error", "first");
    platform::showMessageBox("Error", "second");
    const std::vector<PendingMessageBox> boxes = takePendingMessageBoxes();
    platform::setMessageBoxHandler({});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(boxes[0].text, "first");
    EXPECT_EQ(boxes[1].text, "second");
    EXPECT_TRUE(takePendingMessageBoxes().empty());
}

TEST(MessageBoxQueue, StandardErrorOnlyWhenAskedForExactly) {
    {
        testing_support::ScopedEnvironment unset("NIMBORA_MESSAGE_BOXES", std::nullopt);
        EXPECT_FALSE(messageBoxesGoToStandardError());
    }
    {
        testing_support::ScopedEnvironment other("NIMBORA_MESSAGE_BOXES", "STDERR ");
        EXPECT_FALSE(messageBoxesGoToStandardError());
    }
    testing_support::ScopedEnvironment set("NIMBORA_MESSAGE_BOXES", "stderr");
    EXPECT_TRUE(messageBoxesGoToStandardError());
}

} // namespace
