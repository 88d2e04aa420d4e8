// The module-wide state of one running Snapwell: the settings, the shared objects made at
// start-up and the values measured from the screen. Passed around instead of globals so that
// tests can build as many as they like.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "output/file_name.h"
#include "platform/platform.h"
#include "text/texts.h"

namespace snapwell {

struct AppContext {
  AppContext(Platform& platformIn, std::string appFolder, Texts textsIn = Texts());

  Platform& platform;
  Texts texts;  // every visible text, in the user's language
  Settings settings;
  CFileName FileName;     // the output name; owns the FileName setting
  std::string AppFolder;  // program folder, always with a trailing backslash
  std::string PrintDocumentName;
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  float Pi = static_cast<float>(4.0 * std::atan(1.0));
  float HalfPi = Pi / 2.0f;
};

// A folder with exactly one trailing backslash added when it has none ("" stays "").
std::string WithTrailingBackslash(std::string folder);

}  // namespace snapwell
