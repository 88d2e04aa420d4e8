#include "app/settings_io.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

#include "text/number_text.h"

namespace snapwell {
namespace {

constexpr int kPrintDocumentNameText = 106;  // "VellOut": default output name and print title

// A stored number converted to T; nothing when it does not fit the type.
template <typename T>
std::optional<T> Converted(double number) {
  if constexpr (std::is_same_v<T, std::int16_t>) {
    return RoundToInt16(number);
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    return RoundToInt32(number);
  } else {
    return ToSingle(number);
  }
}

// The value of one stored number converted to T, or the fallback when missing, out of the type's
// range, or outside the setting's choices.
template <typename T>
T ReadNumber(const SettingsStore& store, std::string_view key, T fallback,
             std::optional<ValueRange> choices = std::nullopt) {
  const std::optional<std::string> text = store.Get(key);
  if (!text) return fallback;
  const std::optional<T> value = Converted<T>(ReadLeadingNumber(*text));
  if (!value) return fallback;
  if (choices && (*value < choices->first || *value > choices->last)) return fallback;
  return *value;
}

// Reads one row into its field; `fallback` holds the defaults (computed ones included).
void ReadSetting(const SettingsStore& store, const SettingDef& def, Settings& settings,
                 const Settings& fallback) {
  std::visit(
      [&](auto member) {
        using Value = std::remove_reference_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<Value, bool>) {
          const std::optional<std::string> text = store.Get(def.key);
          const std::optional<bool> value = text ? ReadBooleanText(*text) : std::nullopt;
          settings.*member = value.value_or(fallback.*member);
        } else if constexpr (std::is_same_v<Value, std::string>) {
          settings.*member = store.Get(def.key).value_or(fallback.*member);
        } else {
          settings.*member = ReadNumber<Value>(store, def.key, fallback.*member, def.choices);
        }
      },
      def.field);
}

std::string SettingText(const Settings& settings, const SettingDef& def) {
  return std::visit(
      [&](auto member) -> std::string {
        using Value = std::remove_cvref_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<Value, bool>) {
          return settings.*member ? "True" : "False";
        } else if constexpr (std::is_same_v<Value, std::string>) {
          return settings.*member;
        } else if constexpr (std::is_same_v<Value, float>) {
          return FormatSingle(settings.*member);
        } else {
          return std::to_string(settings.*member);
        }
      },
      def.field);
}

void DeleteMatching(AppContext& app, std::string_view pattern) {
  FileSystem& files = app.platform.files;
  for (const std::string& path : files.FindFiles(app.AppFolder + std::string(pattern))) {
    files.DeleteFile(path);  // a locked or vanished file is skipped
  }
}

}  // namespace

void MeasureScreen(AppContext& app) {
  app.screenLayout = app.platform.screen.Layout();
  app.screenWidth = app.screenLayout.width;
  app.screenHeight = app.screenLayout.height;
  app.dialogArea = {};
}

void LoadSettings(AppContext& app, DialogSizeTwips dialog) {
  const Screen& screen = app.platform.screen;
  MeasureScreen(app);
  const ScreenArea primary = PrimaryArea(app.screenLayout);
  // Centred dialog: screen and dialog in twips, as a 32-bit integer, halved with integer division.
  const auto centred = [](long long screenTwips, long long dialogTwips) -> std::int32_t {
    const long long difference = std::clamp<long long>(screenTwips - dialogTwips, INT32_MIN, INT32_MAX);
    return static_cast<std::int32_t>(difference) / 2;
  };
  const std::int32_t defaultLeft =
      centred(static_cast<long long>(primary.Width()) * screen.TwipsPerPixelX(), dialog.width);
  const std::int32_t defaultTop =
      centred(static_cast<long long>(primary.Height()) * screen.TwipsPerPixelY(), dialog.height);

  app.PrintDocumentName = std::string(app.texts(kPrintDocumentNameText));

  Settings defaults;
  defaults.WindowLeft = defaultLeft;
  defaults.WindowTop = defaultTop;
  const SettingsStore& store = app.platform.store;
  for (const std::string_view key : LoadOrder()) {
    if (key == kFileNameKey) {
      app.FileName.SetPath(store.Get(kFileNameKey).value_or(app.PrintDocumentName));
      if (app.FileName.Path().empty()) app.FileName.SetPath(app.PrintDocumentName);
    } else {
      ReadSetting(store, *FindSetting(key), app.settings, defaults);
    }
  }
}

void SaveAllSettings(AppContext& app, int dialogLeftTwips, int dialogTopTwips,
                     const std::function<void()>& validateFields) {
  app.settings.WindowLeft = dialogLeftTwips;
  app.settings.WindowTop = dialogTopTwips;
  if (validateFields) validateFields();
  for (const std::string_view key : SaveOrder())
    WriteSetting(app, key);
}

bool WriteSetting(AppContext& app, std::string_view key) {
  if (key == kFileNameKey) return app.platform.store.Set(kFileNameKey, app.FileName.Path());
  const SettingDef* def = FindSetting(key);
  return def != nullptr && app.platform.store.Set(def->key, SettingText(app.settings, *def));
}

void MigrateSettings(AppContext& app) {
  SettingsStore& store = app.platform.store;
  // Thresholds are compared in single precision, like the stored value itself: "3.8" must not
  // count as older than 3.8. A number above the single range was written by a newer program.
  const std::optional<std::string> stored = store.Get("CurrentVersion");
  const Settings defaults;
  const double number = stored ? ReadLeadingNumber(*stored) : defaults.CurrentVersion;
  if (number > std::numeric_limits<float>::max()) return;
  const float version = ToSingle(number).value_or(defaults.CurrentVersion);
  if (version >= kSettingsVersion) return;

  // Angle keys of the series dialog got new names.
  Settings& s = app.settings;
  s.StartAng = ReadNumber(store, "StartArg", defaults.StartAng);
  s.EndAng = ReadNumber(store, "EndArg", defaults.EndAng);
  s.StepAng = ReadNumber(store, "StepArg", defaults.StepAng);
  WriteSetting(app, "StartAng");
  WriteSetting(app, "EndAng");
  WriteSetting(app, "StepAng");
  store.Delete("StartArg");
  store.Delete("EndArg");
  store.Delete("StepArg");

  // The output name used to carry its extension; the format is a setting of its own now.
  if (version < 4.1f) {
    const CFileName old(store.Get(kFileNameKey).value_or(""));
    if (!old.Path().empty()) {
      store.Set(kFileNameKey, old.Folder() + old.Body());
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
      s.EnlargeValue = ReadNumber(store, "LargeValue", defaults.EnlargeValue);
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
