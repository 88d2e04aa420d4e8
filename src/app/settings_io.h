// Reading and writing the settings store: loading every setting, "Save Main settings", the
// single writes of the dialog's "at once" handlers, and bringing stores of older versions up to date.
#pragma once

#include <functional>
#include "app/app_context.h"

namespace snapwell {

// The version this program writes into CurrentVersion.
inline constexpr float kSettingsVersion = 4.5f;

// Size of the settings dialog in twips, for the default dialog position.
struct DialogSizeTwips {
  int width = 5580;
  int height = 7245;
};

// Refreshes the screen's size and monitors from the desktop; the output dialogs go back to the
// primary monitor.
void MeasureScreen(AppContext& app);

// Reads every setting into app.settings (and FileName into app.FileName). Never fails: a missing
// value takes its default, an odd one reads as its leading number, a value outside its type or
// option group takes the default.
void LoadSettings(AppContext& app, DialogSizeTwips dialog = {});

// Writes every setting of "Save Main settings" in its fixed order. dialogLeft/Top are the dialog's
// current position in twips; validateFields takes over text typed into the dialog's boxes but not
// yet confirmed (the dialog supplies it; may be empty).
void SaveAllSettings(AppContext& app, int dialogLeftTwips, int dialogTopTwips,
                     const std::function<void()>& validateFields = {});

// Writes one setting from app.settings (or app.FileName); false when the store refused it.
bool WriteSetting(AppContext& app, std::string_view key);

// Brings a store written by an older version up to date; ignores every failure.
void MigrateSettings(AppContext& app);

}  // namespace snapwell
