#pragma once

namespace testing_support {

// One wxWidgets application for the whole test program, on the display the
// tests run on, brought up before the first test and down after the last.
// A test program that uses it calls wxApplicationReady() to know whether
// there is a display.
bool wxApplicationReady();

} // namespace testing_support
