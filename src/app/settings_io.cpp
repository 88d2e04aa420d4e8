#include "app/settings_io.h"

#include <algorithm>
#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "app/settings_number.h"

namespace snapwell {
namespace {

constexpr int kPrintDocumentNameText = 106;  // "VellOut": default output name and print title

// The value of one stored number converted to T, or the fallback when missing, out of the type's
// range, or outside the setting's option group.
template <typename T>
T ReadNumber(const SettingsStore& store, std::string_view key, double fallback, const SettingDef* def) {
  const auto fallbackValue = [&] { return static_cast<T>(fallback); };
  const std::optional<std::string> text = store.Get(key);
  if (!text) return fallbackValue();
  const double number = ReadLeadingNumber(*text);
  std::optional<T> value;
  if constexpr (std::is_same_v<T, std::int16_t>) {
    value = RoundToInt16(number);
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    value = RoundToInt32(number);
  } else {
    value = ToSingle(number);
  }
  if (!value) return fallbackValue();
  if (def != nullptr && def->IsGroup() && (*value < def->groupMin || *value > def->groupMax))
    return fallbackValue();
  return *value;
}

// Reads one table entry into its field; `fallback` replaces the table default where it is computed.
void ReadSetting(const SettingsStore& store, const SettingDef& def, Settings& settings, double fallback) {
  std::visit(
      [&](auto member) {
        using Member = decltype(member);
        if constexpr (std::is_same_v<Member, std::int16_t Settings::*>) {
          settings.*member = ReadNumber<std::int16_t>(store, def.key, fallback, &def);
        } else if constexpr (std::is_same_v<Member, std::int32_t Settings::*>) {
          settings.*member = ReadNumber<std::int32_t>(store, def.key, fallback, &def);
        } else if constexpr (std::is_same_v<Member, float Settings::*>) {
          settings.*member = ReadNumber<float>(store, def.key, fallback, &def);
        } else if constexpr (std::is_same_v<Member, bool Settings::*>) {
          const std::optional<std::string> text = store.Get(def.key);
          const std::optional<bool> value = text ? ReadBooleanText(*text) : std::nullopt;
          settings.*member = value.value_or(fallback != 0.0);
        } else if constexpr (std::is_same_v<Member, std::string Settings::*>) {
          settings.*member = store.Get(def.key).value_or(std::string(def.defaultText));
        }
      },
      def.field);
}

std::string SettingText(const AppContext& app, const SettingDef& def) {
  return std::visit(
      [&](auto member) -> std::string {
        using Member = decltype(member);
        if constexpr (std::is_same_v<Member, std::int16_t Settings::*> ||
                      std::is_same_v<Member, std::int32_t Settings::*>) {
          return std::to_string(app.settings.*member);
        } else if constexpr (std::is_same_v<Member, float Settings::*>) {
          return FormatSingle(app.settings.*member);
        } else if constexpr (std::is_same_v<Member, bool Settings::*>) {
          return app.settings.*member ? "True" : "False";
        } else if constexpr (std::is_same_v<Member, std::string Settings::*>) {
          return app.settings.*member;
        } else {
          return app.FileName.Path();  // FileName lives in the output-name object
        }
      },
      def.field);
}

const SettingDef& Def(std::string_view key) {
  return *FindSetting(key);
}

// Table entries sorted by one of their ranks, skipping rank 0.
std::vector<const SettingDef*> InRankOrder(int SettingDef::*rank) {
  std::vector<const SettingDef*> ordered;
  for (const SettingDef& def : SettingTable()) {
    if (def.*rank > 0) ordered.push_back(&def);
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [rank](const SettingDef* a, const SettingDef* b) { return a->*rank < b->*rank; });
  return ordered;
}

void DeleteMatching(AppContext& app, std::string_view pattern) {
  FileSystem& files = app.platform.files;
  for (const std::string& path : files.FindFiles(app.AppFolder + std::string(pattern))) {
    files.DeleteFile(path);  // a locked or vanished file is skipped
  }
}

}  // namespace

void MeasureScreen(AppContext& app) {
  const ScreenSize size = app.platform.screen.DesktopSize();
  app.screenWidth = size.width;
  app.screenHeight = size.height;
}

void LoadSettings(AppContext& app, DialogSizeTwips dialog) {
  const Screen& screen = app.platform.screen;
  const ScreenSize size = screen.DesktopSize();
  // Centred dialog: screen and dialog in twips, as a 32-bit integer, halved with integer division.
  const auto centred = [](long long screenTwips, long long dialogTwips) -> std::int32_t {
    const long long difference = std::clamp<long long>(screenTwips - dialogTwips, INT32_MIN, INT32_MAX);
    return static_cast<std::int32_t>(difference) / 2;
  };
  const std::int32_t defaultLeft =
      centred(static_cast<long long>(size.width) * screen.TwipsPerPixelX(), dialog.width);
  const std::int32_t defaultTop =
      centred(static_cast<long long>(size.height) * screen.TwipsPerPixelY(), dialog.height);

  app.PrintDocumentName = std::string(app.texts(kPrintDocumentNameText));
  MeasureScreen(app);

  const SettingsStore& store = app.platform.store;
  for (const SettingDef* def : InRankOrder(&SettingDef::loadRank)) {
    if (def->key == "FileName") {
      app.FileName.SetPath(store.Get("FileName").value_or(app.PrintDocumentName));
      if (app.FileName.Path().empty()) app.FileName.SetPath(app.PrintDocumentName);
    } else if (def->key == "WindowLeft") {
      ReadSetting(store, *def, app.settings, defaultLeft);
    } else if (def->key == "WindowTop") {
      ReadSetting(store, *def, app.settings, defaultTop);
    } else {
      ReadSetting(store, *def, app.settings, def->defaultNumber);
    }
  }
}

void SaveAllSettings(AppContext& app, int dialogLeftTwips, int dialogTopTwips,
                     const std::function<void()>& validateFields) {
  app.settings.WindowLeft = dialogLeftTwips;
  app.settings.WindowTop = dialogTopTwips;
  if (validateFields) validateFields();
  for (const SettingDef* def : InRankOrder(&SettingDef::saveRank)) {
    app.platform.store.Set(def->key, SettingText(app, *def));
  }
}

bool WriteSetting(AppContext& app, std::string_view key) {
  const SettingDef* def = FindSetting(key);
  return def != nullptr && app.platform.store.Set(def->key, SettingText(app, *def));
}

void MigrateSettings(AppContext& app) {
  SettingsStore& store = app.platform.store;
  // Thresholds are compared in single precision, like the stored value itself: "3.8" must not
  // count as older than 3.8.
  const float version =
      ReadNumber<float>(store, "CurrentVersion", Def("CurrentVersion").defaultNumber, nullptr);
  if (version >= kSettingsVersion) return;

  // Angle keys of the series dialog got new names.
  Settings& s = app.settings;
  s.StartAng = ReadNumber<float>(store, "StartArg", 0.0, nullptr);
  s.EndAng = ReadNumber<float>(store, "EndArg", 0.0, nullptr);
  s.StepAng = ReadNumber<float>(store, "StepArg", 90.0, nullptr);
  WriteSetting(app, "StartAng");
  WriteSetting(app, "EndAng");
  WriteSetting(app, "StepAng");
  store.Delete("StartArg");
  store.Delete("EndArg");
  store.Delete("StepArg");

  // The output name used to carry its extension; the format is a setting of its own now.
  if (version < 4.1f) {
    const CFileName old(store.Get("FileName").value_or(""));
    if (!old.Path().empty()) {
      store.Set("FileName", old.Folder() + old.Body());
      for (int i = 1; i <= kExtensionCount; ++i) {
        if (old.Ext() == ExtensionTable(i)) {
          store.Set("DefaultExt", std::to_string(i));
          break;
        }
      }
    }
  }

  // Files left by old versions, always beside the program (never the current directory).
  if (version < 3.95f) {
    app.platform.files.DeleteFile(app.AppFolder + "velltemp.bmp");
    if (version < 3.8f) {
      s.EnlargeValue = ReadNumber<float>(store, "LargeValue", 1.0, nullptr);
      WriteSetting(app, "EnlargeValue");
      store.Delete("LargeValue");
      app.platform.files.DeleteFile(app.AppFolder + "Help\\wavelet.htm");
    }
    if (version < 3.72f) app.platform.files.DeleteFile(app.AppFolder + "Help\\limit.htm");
    if (version < 3.7f) DeleteMatching(app, "Help\\argsetcircle.*");
    if (version < 3.5f) DeleteMatching(app, "Help\\*.gif");
  }

  s.CurrentVersion = kSettingsVersion;
  store.Set("CurrentVersion", FormatSingle(kSettingsVersion));
}

}  // namespace snapwell
