#pragma once

#include "app/SaverModeHost.h"

// Shows the settings dialog for the configuration mode; the other modes go
// to the host given.
class SettingsDialogHost : public ForwardingModeHost {
public:
    using ForwardingModeHost::ForwardingModeHost;

    bool runSettingsDialog(ConfigurationValues& values, UsageTracker& tracker) override;
};
