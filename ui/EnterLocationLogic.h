#pragma once

#include "location/CityChoice.h"
#include "location/ResolveLocationFactory.h"

#include <string>

// What the location entry dialog does, without its window: OK resolves the
// typed text and keeps the place taken.
class EnterLocationLogic {
public:
    EnterLocationLogic(const ResolveLocationFactory& factory, CityChooser& chooser)
        : m_factory(factory), m_chooser(chooser) {}

    // OK pressed with editText in the field. True when the dialog is to end
    // with OK; otherwise the reason has been shown in a box (or the user
    // cancelled the city choice) and the dialog stays open as it is.
    bool onOK(const std::string& editText);

    // Set only when a place was taken.
    const std::string& displayName() const { return m_csDisplayName; }
    const std::string& locationId() const { return m_csLocationId; }

private:
    const ResolveLocationFactory& m_factory;
    CityChooser& m_chooser;
    std::string m_csDisplayName;
    std::string m_csLocationId;
};
