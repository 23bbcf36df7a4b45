#pragma once

#include "location/CityChoice.h"

#include <string>
#include <vector>

namespace location_test {

// Answers the city choice with a set index (-1: Cancel) and remembers what
// it was offered.
class FakeCityChooser : public CityChooser {
public:
    int chooseCity(const std::vector<std::string>& cityNames) override {
        m_offered.push_back(cityNames);
        return m_nAnswer;
    }

    int m_nAnswer = 0;
    std::vector<std::vector<std::string>> m_offered;
};

} // namespace location_test
