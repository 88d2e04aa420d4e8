// The persistent settings: the Settings fields with their first-run defaults, one row per stored
// field (key, field, valid choices) and the two key orders of loading and saving, which loading,
// saving, migration and the tests all walk.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace snapwell {

// Every setting, named exactly like its registry value. Defaults are those of a first run.
struct Settings {
  std::int16_t FlameStyle = 3;
  std::int16_t VariLineShape = 0;
  std::int16_t FixField = 0;
  std::int32_t FixFieldX = 1;
  std::int32_t FixFieldY = 1;
  std::int16_t CaptureWindow = 0;
  std::int16_t CopyTimer = 0;
  float CopyTime = 1.0f;
  std::int16_t RollValue = 6;
  float DefRoll = 0.0f;
  float EnlargeValue = 1.0f;
  std::int16_t ReverseValue = 0;
  std::int16_t Outputs = 1;
  std::int16_t AutoName = 0;
  std::int16_t OutDialog = 1;
  std::int16_t ContOutput = 0;
  std::int16_t ContOutCulc = 3;
  float StartAng = 0.0f;
  float EndAng = 0.0f;
  float StepAng = 90.0f;
  std::int16_t DefaultExt = 1;
  std::string VOLFileName = "default.vol";
  std::int16_t WhereStay = 0;
  std::int16_t AppearWindow = 0;
  std::int16_t FreehandLineWidth = 2;
  std::int16_t RollColorControl = 1;
  std::int16_t ReductColorControl = 1;
  std::int16_t EnlargeColorControl = 1;
  bool HotKeyEnabled = true;
  std::int32_t HotKeyModifiers = 2;
  std::int32_t HotKeyKeyCode = 109;
  std::int32_t WindowLeft = 0;
  std::int32_t WindowTop = 0;
  float CurrentVersion = 3.4f;
};

// The values an option group or check box can take; a stored value outside reads as the default.
struct ValueRange {
  int first;
  int last;
};

// Where a stored value lives: one field of Settings, of one of the stored types.
using SettingField = std::variant<std::int16_t Settings::*, std::int32_t Settings::*, float Settings::*,
                                  bool Settings::*, std::string Settings::*>;

// One stored key. Its default is the field's initialiser in Settings.
struct SettingDef {
  std::string_view key;
  SettingField field;
  std::optional<ValueRange> choices;  // only for option groups and check boxes
};

// The output name is stored too, but lives in the shared output-name object (AppContext::FileName,
// default PrintDocumentName), so it has no row: loading and saving handle it by this key.
inline constexpr std::string_view kFileNameKey = "FileName";

// Every stored field, in the order of the settings table of the documentation.
std::span<const SettingDef> SettingTable();
// One row by key; nullptr when there is no such row (also for kFileNameKey).
const SettingDef* FindSetting(std::string_view key);

// The keys LoadSettings reads and SaveAllSettings writes, each in its own fixed order.
std::span<const std::string_view> LoadOrder();
std::span<const std::string_view> SaveOrder();

}  // namespace snapwell
