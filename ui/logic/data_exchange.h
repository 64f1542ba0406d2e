// Moving numbers between edit boxes and values, with the checks and
// messages of a dialog's data exchange.
#pragma once

#include <string>

#include "tarvo/settings.h"
#include "ui/platform/controls.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

// Writing direction: the text an edit box shows for a value.
std::string FormatLong(long value);
std::string FormatFloat(float value);  // general format: 1.0 shows as 1

// Reading direction. Each reads the edit's text into *value and checks it
// against the setting's range (CheckSetting); on failure it shows a message
// that names the field by its caption and says what it takes, and returns
// false, leaving *value as it was when the text is not a number. A number
// too large for the type is a range failure.
bool ExchangeLong(PlatformHost& host, const EditModel& edit, const char* caption, BoundedSetting setting,
                  long* value);
bool ExchangeFloat(PlatformHost& host, const EditModel& edit, const char* caption, float* value);
bool ExchangeFloatInRange(PlatformHost& host, const EditModel& edit, const char* caption,
                          BoundedSetting setting, float* value);

}  // namespace tarvo::ui
