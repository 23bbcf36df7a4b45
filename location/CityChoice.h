#pragma once

#include <string>
#include <vector>

// What the city choice dialog works on: the names offered, in the search's
// order, and the index of the one chosen (-1 until the user chose).
struct CityChoice {
    std::vector<std::string> m_cityNames;
    int m_nSelectedCity = -1;

    // The entry selected when the dialog opens: the first, if any.
    int initialSelection() const { return m_cityNames.empty() ? -1 : 0; }
    // OK with the list's selected index; an index outside the list (an empty
    // list has no selection) counts as no choice.
    void accept(int selectedIndex) {
        const bool inList =
            selectedIndex >= 0 && static_cast<std::size_t>(selectedIndex) < m_cityNames.size();
        m_nSelectedCity = inList ? selectedIndex : -1;
    }
};

// Lets the user pick one of several places.
class CityChooser {
public:
    virtual ~CityChooser() = default;
    // The index of the name chosen, or -1 when the user cancelled.
    virtual int chooseCity(const std::vector<std::string>& cityNames) = 0;
};
