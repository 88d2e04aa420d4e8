#include "app/settings.h"

#include <array>

namespace snapwell {
namespace {

using S = Settings;
// A minimum above the maximum: the value is no option group, only its type limits it.
constexpr int kNoMin = 1;
constexpr int kNoMax = 0;

// key, field, default, default text, min, max, page, written, load rank, save rank
constexpr std::array<SettingDef, 35> kTable{{
    {"FlameStyle", &S::FlameStyle, 3, "", 0, 3, SettingPage::Main, SettingWritten::Save, 8, 17},
    {"VariLineShape", &S::VariLineShape, 0, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 34,
     28},
    {"FixField", &S::FixField, 0, "", 0, 1, SettingPage::Main, SettingWritten::Save, 10, 14},
    {"FixFieldX", &S::FixFieldX, 1, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 11, 15},
    {"FixFieldY", &S::FixFieldY, 1, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 12, 16},
    {"CaptureWindow", &S::CaptureWindow, 0, "", 0, 2, SettingPage::Main, SettingWritten::Save, 4, 3},
    {"CopyTimer", &S::CopyTimer, 0, "", 0, 1, SettingPage::Main, SettingWritten::Save, 5, 6},
    {"CopyTime", &S::CopyTime, 1, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 6, 7},
    {"RollValue", &S::RollValue, 6, "", 0, 6, SettingPage::Main, SettingWritten::Save, 25, 25},
    {"DefRoll", &S::DefRoll, 0, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 7, 9},
    {"EnlargeValue", &S::EnlargeValue, 1, "", kNoMin, kNoMax, SettingPage::Main, SettingWritten::Save, 16,
     12},
    {"ReverseValue", &S::ReverseValue, 0, "", 0, 3, SettingPage::Main, SettingWritten::Save, 24, 23},
    {"Outputs", &S::Outputs, 1, "", 0, 7, SettingPage::Main, SettingWritten::Save, 23, 21},
    {"AutoName", &S::AutoName, 0, "", 0, 1, SettingPage::Main, SettingWritten::Save, 3, 2},
    {"OutDialog", &S::OutDialog, 1, "", 0, 1, SettingPage::Main, SettingWritten::Save, 18, 20},
    {"ContOutput", &S::ContOutput, 0, "", 0, 1, SettingPage::Main, SettingWritten::Save, 30, 5},
    {"ContOutCulc", &S::ContOutCulc, 3, "", 0, 3, SettingPage::Series, SettingWritten::Save, 29, 4},
    {"StartAng", &S::StartAng, 0, "", kNoMin, kNoMax, SettingPage::Series, SettingWritten::Save, 31, 26},
    {"EndAng", &S::EndAng, 0, "", kNoMin, kNoMax, SettingPage::Series, SettingWritten::Save, 32, 10},
    {"StepAng", &S::StepAng, 90, "", kNoMin, kNoMax, SettingPage::Series, SettingWritten::Save, 33, 27},
    {"FileName", std::monostate{}, 0, "", kNoMin, kNoMax, SettingPage::OutputName, SettingWritten::Save, 9,
     13},
    {"DefaultExt", &S::DefaultExt, 1, "", 1, 6, SettingPage::Environment, SettingWritten::AtOnce, 1, 8},
    {"VOLFileName", &S::VOLFileName, 0, "default.vol", kNoMin, kNoMax, SettingPage::FrameList,
     SettingWritten::Save, 22, 19},
    {"WhereStay", &S::WhereStay, 0, "", 0, 2, SettingPage::Environment, SettingWritten::AtOnce, 28, 29},
    {"AppearWindow", &S::AppearWindow, 0, "", 0, 1, SettingPage::Environment, SettingWritten::AtOnce, 2, 1},
    {"FreehandLineWidth", &S::FreehandLineWidth, 2, "", 1, 3, SettingPage::Environment,
     SettingWritten::AtOnce, 17, 18},
    {"RollColorControl", &S::RollColorControl, 1, "", 0, 1, SettingPage::Environment, SettingWritten::AtOnce,
     21, 24},
    {"ReductColorControl", &S::ReductColorControl, 1, "", 0, 1, SettingPage::Environment,
     SettingWritten::AtOnce, 20, 22},
    {"EnlargeColorControl", &S::EnlargeColorControl, 1, "", 0, 2, SettingPage::Environment,
     SettingWritten::AtOnce, 19, 11},
    {"HotKeyEnabled", &S::HotKeyEnabled, 1, "", kNoMin, kNoMax, SettingPage::Environment,
     SettingWritten::HotkeyDialog, 13, 0},
    {"HotKeyModifiers", &S::HotKeyModifiers, 2, "", kNoMin, kNoMax, SettingPage::Environment,
     SettingWritten::HotkeyDialog, 14, 0},
    {"HotKeyKeyCode", &S::HotKeyKeyCode, 109, "", kNoMin, kNoMax, SettingPage::Environment,
     SettingWritten::HotkeyDialog, 15, 0},
    // The defaults of the dialog position are computed from the screen when loading.
    {"WindowLeft", &S::WindowLeft, 0, "", kNoMin, kNoMax, SettingPage::None, SettingWritten::Save, 26, 30},
    {"WindowTop", &S::WindowTop, 0, "", kNoMin, kNoMax, SettingPage::None, SettingWritten::Save, 27, 31},
    {"CurrentVersion", &S::CurrentVersion, 3.4, "", kNoMin, kNoMax, SettingPage::None,
     SettingWritten::StartUp, 0, 0},
}};

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

}  // namespace snapwell
