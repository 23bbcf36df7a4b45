#pragma once

#include "location/CityChoice.h"
#include "location/ResolveLocationFactory.h"
#include "packs/PackFolders.h"
#include "ui/SaverDialogParts.h"
#include "ui/SpeedScroll.h"

#include <string>
#include <vector>

// What the settings dialog does, without its window: the window class calls
// one handler per message and supplies its controls, the preview and the
// services; the caller fills values() before the dialog opens and reads them
// once it ended with OK.
class SaverDialogLogic {
public:
    SaverDialogLogic(SaverDialogControls& controls, SaverDialogServices& services,
                     const ResolveLocationFactory& factory, CityChooser& chooser);

    SaverDialogValues& values() { return m_values; }
    const SaverDialogValues& values() const { return m_values; }

    // Everything of the dialog's initialisation after its controls exist;
    // preview is the drawing window just created over the monitor picture.
    void onInitDialog(SaverPreview& preview);
    void onSpeedScroll(SpeedScroll action, int nThumbPosition);
    void onMethodOrOrderClicked();
    void onBlendImagesClicked();
    void onTemperatureChanged();
    void onPackChanged();
    void onSelectFavoriteImages();
    void onFirstUseTimer();
    void onOK();

    // The pack files behind the entries of the pack list, in list order.
    const std::vector<PackFile>& packEntries() const { return m_packEntries; }

private:
    void fillTemperatureList();
    bool fillImagePackList();
    int currentPackEntry() const;
    bool takeTypedLocation();
    void storeDisplayMethods();

    SaverDialogControls& m_controls;
    SaverDialogServices& m_services;
    const ResolveLocationFactory& m_factory;
    CityChooser& m_chooser;
    SaverPreview* m_pPreview = nullptr;
    SaverDialogValues m_values;
    std::vector<PackFile> m_packEntries;
};

// The dialog's construction defaults, before the caller fills the values.
SaverDialogValues initialSaverDialogValues();
