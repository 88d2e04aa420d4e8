// The persistent settings: one declarative table (key, type, default, valid values, dialog page,
// when written) that loading, saving, migration and the tests all walk.
#pragma once

#include <cstdint>
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

enum class SettingPage : std::uint8_t { Main, Environment, Series, OutputName, FrameList, None };

// When a value reaches the store: the dialog handler writes it at once, "Save Main settings"
// writes it, the hotkey dialog writes it, or only start-up does.
enum class SettingWritten : std::uint8_t { Save, AtOnce, HotkeyDialog, StartUp };

// Where the value lives: a field of Settings, or (FileName) the shared output-name object.
using SettingField = std::variant<std::int16_t Settings::*, std::int32_t Settings::*, float Settings::*,
                                  bool Settings::*, std::string Settings::*, std::monostate>;

struct SettingDef {
  std::string_view key;
  SettingField field;
  double defaultNumber;          // numeric default (booleans: 1 = True)
  std::string_view defaultText;  // string default ("" when computed elsewhere)
  // Valid values of an option group or check box; a stored value outside reads as the default.
  // For plain numbers groupMin > groupMax: only the range of the type applies.
  int groupMin;
  int groupMax;
  SettingPage page;
  SettingWritten written;
  int loadRank;  // position in LoadSettings, 0 = not read there
  int saveRank;  // position in SaveAllSettings, 0 = not written there

  bool IsGroup() const { return groupMin <= groupMax; }
};

// The whole table, in the order of the settings table of the documentation.
std::span<const SettingDef> SettingTable();
// One entry by key; nullptr when there is no such setting.
const SettingDef* FindSetting(std::string_view key);

}  // namespace snapwell
