#include "app/settings.h"

#include <array>

namespace snapwell {
namespace {

using S = Settings;

constexpr ValueRange kCheck{0, 1};

constexpr std::array<SettingDef, 34> kTable{{
    {"FlameStyle", &S::FlameStyle, ValueRange{0, 3}},
    {"VariLineShape", &S::VariLineShape, std::nullopt},
    {"FixField", &S::FixField, kCheck},
    {"FixFieldX", &S::FixFieldX, std::nullopt},
    {"FixFieldY", &S::FixFieldY, std::nullopt},
    {"CaptureWindow", &S::CaptureWindow, ValueRange{0, 2}},
    {"CopyTimer", &S::CopyTimer, kCheck},
    {"CopyTime", &S::CopyTime, std::nullopt},
    {"RollValue", &S::RollValue, ValueRange{0, 6}},
    {"DefRoll", &S::DefRoll, std::nullopt},
    {"EnlargeValue", &S::EnlargeValue, std::nullopt},
    {"ReverseValue", &S::ReverseValue, ValueRange{0, 3}},
    {"Outputs", &S::Outputs, ValueRange{0, 7}},
    {"AutoName", &S::AutoName, kCheck},
    {"OutDialog", &S::OutDialog, kCheck},
    {"ContOutput", &S::ContOutput, kCheck},
    {"ContOutCulc", &S::ContOutCulc, ValueRange{0, 3}},
    {"StartAng", &S::StartAng, std::nullopt},
    {"EndAng", &S::EndAng, std::nullopt},
    {"StepAng", &S::StepAng, std::nullopt},
    {"DefaultExt", &S::DefaultExt, ValueRange{1, 6}},
    {"VOLFileName", &S::VOLFileName, std::nullopt},
    {"WhereStay", &S::WhereStay, ValueRange{0, 2}},
    {"AppearWindow", &S::AppearWindow, kCheck},
    {"FreehandLineWidth", &S::FreehandLineWidth, ValueRange{1, 3}},
    {"RollColorControl", &S::RollColorControl, kCheck},
    {"ReductColorControl", &S::ReductColorControl, kCheck},
    {"EnlargeColorControl", &S::EnlargeColorControl, ValueRange{0, 2}},
    {"HotKeyEnabled", &S::HotKeyEnabled, std::nullopt},
    {"HotKeyModifiers", &S::HotKeyModifiers, std::nullopt},
    {"HotKeyKeyCode", &S::HotKeyKeyCode, std::nullopt},
    {"WindowLeft", &S::WindowLeft, std::nullopt},
    {"WindowTop", &S::WindowTop, std::nullopt},
    {"CurrentVersion", &S::CurrentVersion, std::nullopt},
}};

// LoadSettings: first the keys of step 3, then FileName (step 4), then those of step 5.
constexpr std::array<std::string_view, 34> kLoadOrder{
    "DefaultExt",
    "AppearWindow",
    "AutoName",
    "CaptureWindow",
    "CopyTimer",
    "CopyTime",
    "DefRoll",
    "FlameStyle",
    kFileNameKey,
    "FixField",
    "FixFieldX",
    "FixFieldY",
    "HotKeyEnabled",
    "HotKeyModifiers",
    "HotKeyKeyCode",
    "EnlargeValue",
    "FreehandLineWidth",
    "OutDialog",
    "EnlargeColorControl",
    "ReductColorControl",
    "RollColorControl",
    "VOLFileName",
    "Outputs",
    "ReverseValue",
    "RollValue",
    "WindowLeft",
    "WindowTop",
    "WhereStay",
    "ContOutCulc",
    "ContOutput",
    "StartAng",
    "EndAng",
    "StepAng",
    "VariLineShape",
};

// SaveAllSettings: every key but the hotkey keys and CurrentVersion.
constexpr std::array<std::string_view, 31> kSaveOrder{
    "AppearWindow",
    "AutoName",
    "CaptureWindow",
    "ContOutCulc",
    "ContOutput",
    "CopyTimer",
    "CopyTime",
    "DefaultExt",
    "DefRoll",
    "EndAng",
    "EnlargeColorControl",
    "EnlargeValue",
    kFileNameKey,
    "FixField",
    "FixFieldX",
    "FixFieldY",
    "FlameStyle",
    "FreehandLineWidth",
    "VOLFileName",
    "OutDialog",
    "Outputs",
    "ReductColorControl",
    "ReverseValue",
    "RollColorControl",
    "RollValue",
    "StartAng",
    "StepAng",
    "VariLineShape",
    "WhereStay",
    "WindowLeft",
    "WindowTop",
};

}  // namespace

std::span<const SettingDef> SettingTable() {
  return kTable;
}

const SettingDef* FindSetting(std::string_view key) {
  for (const SettingDef& def : kTable) {
    if (def.key == key) return &def;
  }
  return nullptr;
}

std::span<const std::string_view> LoadOrder() {
  return kLoadOrder;
}

std::span<const std::string_view> SaveOrder() {
  return kSaveOrder;
}

}  // namespace snapwell
