#include "app/settings_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

using testing::FakePlatform;
using Writes = std::vector<std::pair<std::string, std::string>>;

class SettingsTest : public ::testing::Test {
 protected:
  FakePlatform fake;
  AppContext app{fake.platform, "C:\\Program Files\\Snapwell"};

  void Load() { LoadSettings(app); }
};

TEST_F(SettingsTest, FirstRunMigrationWritesTheAngleKeysTheEnlargementAndTheVersion) {
  MigrateSettings(app);
  EXPECT_EQ(fake.store.writes, (Writes{{"StartAng", "0"},
                                       {"EndAng", "0"},
                                       {"StepAng", "90"},
                                       {"EnlargeValue", "1"},
                                       {"CurrentVersion", "4.5"}}));
  EXPECT_TRUE(fake.store.deletes.empty());
}

TEST_F(SettingsTest, FirstRunLoadsTheDefaultsAndCentresTheDialogOnTheScreen) {
  fake.screen.size = {1024, 768};
  MigrateSettings(app);
  Load();
  const Settings& s = app.settings;
  EXPECT_EQ(s.FlameStyle, 3);
  EXPECT_EQ(s.FixFieldX, 1);
  EXPECT_EQ(s.CopyTime, 1.0f);
  EXPECT_EQ(s.RollValue, 6);
  EXPECT_EQ(s.EnlargeValue, 1.0f);
  EXPECT_EQ(s.Outputs, 1);
  EXPECT_EQ(s.OutDialog, 1);
  EXPECT_EQ(s.ContOutCulc, 3);
  EXPECT_EQ(s.StepAng, 90.0f);
  EXPECT_EQ(s.DefaultExt, 1);
  EXPECT_EQ(s.VOLFileName, "default.vol");
  EXPECT_EQ(s.FreehandLineWidth, 2);
  EXPECT_EQ(s.EnlargeColorControl, 1);
  EXPECT_TRUE(s.HotKeyEnabled);
  EXPECT_EQ(s.HotKeyModifiers, 2);
  EXPECT_EQ(s.HotKeyKeyCode, 109);
  EXPECT_EQ(app.FileName.Path(), "VellOut");
  EXPECT_EQ(app.PrintDocumentName, "VellOut");
  EXPECT_EQ(app.screenWidth, 1024);
  EXPECT_EQ(app.screenHeight, 768);
  EXPECT_EQ(s.WindowLeft, 4890);  // (1024 * 15 - 5580) / 2 twips
  EXPECT_EQ(s.WindowTop, 2137);
  // A dialog larger than the screen centres to a negative offset truncated towards zero.
  fake.screen.size = {300, 200};
  Load();
  EXPECT_EQ(s.WindowLeft, -540);
  EXPECT_EQ(s.WindowTop, -2122);  // -4245 / 2
}

TEST_F(SettingsTest, Version40StoreLosesTheFileExtensionAndTakesItsFormat) {
  fake.store.values = {{"CurrentVersion", "4"}, {"FileName", "D:\\shots.v2\\capture.png"}};
  MigrateSettings(app);
  EXPECT_EQ(fake.store.values["FileName"], "D:\\shots.v2\\capture");
  EXPECT_EQ(fake.store.values["DefaultExt"], "3");
  // 4.0 is past every file-clean-up threshold.
  EXPECT_EQ(fake.store.values.count("EnlargeValue"), 0u);
  EXPECT_EQ(fake.store.values["CurrentVersion"], "4.5");
  // A capital extension is removed but matches no format.
  fake.store.values = {
      {"CurrentVersion", "4.0"}, {"FileName", "D:\\shots\\capture.PNG"}, {"DefaultExt", "2"}};
  MigrateSettings(app);
  EXPECT_EQ(fake.store.values["FileName"], "D:\\shots\\capture");
  EXPECT_EQ(fake.store.values["DefaultExt"], "2");
}

TEST_F(SettingsTest, StoresOfThisOrANewerVersionAreLeftUntouched) {
  // A number beyond the range of a single is newer still, not the default 3.4.
  for (const char* version : {"4.5", "4.50", "5", "99.9", "1e39", "9e99", "1e999"}) {
    fake.store.values = {{"CurrentVersion", version}, {"StartArg", "10"}, {"FileName", "a.png"}};
    fake.store.writes.clear();
    MigrateSettings(app);
    EXPECT_TRUE(fake.store.writes.empty()) << version;
    EXPECT_TRUE(fake.store.deletes.empty()) << version;
    EXPECT_TRUE(fake.files.deleted.empty()) << version;
  }
}

TEST_F(SettingsTest, VersionThresholdsCompareInSinglePrecision) {
  // "3.8" read as a single is 3.7999999; it must not count as older than 3.8.
  fake.store.values = {{"CurrentVersion", "3.8"}, {"EnlargeValue", "2.5"}, {"LargeValue", "7"}};
  MigrateSettings(app);
  EXPECT_EQ(fake.store.values["EnlargeValue"], "2.5");
  // "4.1" must not split the file name again.
  fake.store.values = {{"CurrentVersion", "4.1"}, {"FileName", "C:\\a\\b.c.jpg"}};
  MigrateSettings(app);
  EXPECT_EQ(fake.store.values["FileName"], "C:\\a\\b.c.jpg");
}

TEST_F(SettingsTest, OldAngleAndScaleKeysAreRenamed) {
  fake.store.values = {{"CurrentVersion", "3.6"},
                       {"StartArg", "15"},
                       {"EndArg", "-30.5"},
                       {"StepArg", "abc"},
                       {"LargeValue", "0.25"}};
  MigrateSettings(app);
  EXPECT_EQ(fake.store.values["StartAng"], "15");
  EXPECT_EQ(fake.store.values["EndAng"], "-30.5");
  EXPECT_EQ(fake.store.values["StepAng"], "0");  // a non-numeric text reads 0, not the default
  EXPECT_EQ(fake.store.values["EnlargeValue"], "0.25");
  for (const char* gone : {"StartArg", "EndArg", "StepArg", "LargeValue"}) {
    EXPECT_EQ(fake.store.values.count(gone), 0u) << gone;
  }
}

TEST_F(SettingsTest, OldFilesAreDeletedBesideTheProgramOnlyByThresholdAndFailuresAreSkipped) {
  const std::string folder = "C:\\Program Files\\Snapwell\\";
  // Which of the files beside the program a store of that version leaves; a locked one is skipped.
  const struct {
    const char* version;
    bool lockLimit;
    std::vector<std::pair<const char*, bool>> kept;
  } cases[] = {
      {"3.4",
       true,
       {{"velltemp.bmp", false},
        {"Help\\wavelet.htm", false},
        {"Help\\limit.htm", true},
        {"Help\\argsetcircle.htm", false},
        {"Help\\argsetcircle.gif", false},
        {"Help\\one.gif", false},
        {"Help\\keep.htm", true}}},
      {"3.71",  // argsetcircle* goes only below 3.7, *.gif only below 3.5
       false,
       {{"Help\\limit.htm", false},
        {"velltemp.bmp", false},
        {"Help\\wavelet.htm", false},
        {"Help\\argsetcircle.x", true},
        {"Help\\a.gif", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    FakePlatform local;
    AppContext context{local.platform, "C:\\Program Files\\Snapwell"};
    local.store.values = {{"CurrentVersion", c.version}};
    for (const auto& [name, kept] : c.kept)
      local.files.AddFile(folder + name);
    local.files.AddFile("C:\\Users\\me\\velltemp.bmp");  // the user's own files elsewhere
    local.files.AddFile("C:\\Users\\me\\Help\\photo.gif");
    if (c.lockLimit) local.files.locked.insert("c:\\program files\\snapwell\\help\\limit.htm");
    MigrateSettings(context);
    for (const auto& [name, kept] : c.kept)
      EXPECT_EQ(local.files.HasFile(folder + name), kept) << name;
    EXPECT_TRUE(local.files.HasFile("C:\\Users\\me\\velltemp.bmp"));
    EXPECT_TRUE(local.files.HasFile("C:\\Users\\me\\Help\\photo.gif"));
    EXPECT_EQ(local.store.values["CurrentVersion"], "4.5");
  }
}

TEST_F(SettingsTest, OddStoredTextsLoadWithoutFailing) {
  fake.store.values = {
      {"CopyTime", "abc"},           // non-numeric: 0, not the default
      {"FlameStyle", "7"},           // outside its option group: default
      {"DefaultExt", "0"},           // outside 1..6: default
      {"WhereStay", "5"},            // outside 0..2: default
      {"FixFieldX", "70000"},        // fits an i32
      {"FixFieldY", "1e999"},        // outside the type: default
      {"VariLineShape", "70000"},    // outside i16: default
      {"RollValue", ""},             // empty: 0
      {"DefRoll", "-"},              // 0
      {"EnlargeValue", "0x10"},      // 0
      {"StepAng", "1e39"},           // overflows a single: default
      {"StartAng", " 12.5deg"},      // leading number
      {"ReverseValue", "2.5"},       // halves to even: 2
      {"Outputs", "6.5"},            // 6
      {"HotKeyEnabled", "garbage"},  // default True
      {"HotKeyModifiers", std::string(10000, '9')},
      {"VOLFileName", std::string(10000, 'v')},
      {"AppearWindow", "1"},
  };
  Load();
  const Settings& s = app.settings;
  EXPECT_EQ(s.CopyTime, 0.0f);
  EXPECT_EQ(s.FlameStyle, 3);
  EXPECT_EQ(s.DefaultExt, 1);
  EXPECT_EQ(s.WhereStay, 0);
  EXPECT_EQ(s.FixFieldX, 70000);
  EXPECT_EQ(s.FixFieldY, 1);
  EXPECT_EQ(s.VariLineShape, 0);
  EXPECT_EQ(s.RollValue, 0);
  EXPECT_EQ(s.DefRoll, 0.0f);
  EXPECT_EQ(s.EnlargeValue, 0.0f);
  EXPECT_EQ(s.StepAng, 90.0f);
  EXPECT_EQ(s.StartAng, 12.5f);
  EXPECT_EQ(s.ReverseValue, 2);
  EXPECT_EQ(s.Outputs, 6);
  EXPECT_TRUE(s.HotKeyEnabled);
  EXPECT_EQ(s.HotKeyModifiers, 2);
  EXPECT_EQ(s.VOLFileName.size(), 10000u);
  EXPECT_EQ(s.AppearWindow, 1);
}

TEST_F(SettingsTest, HotkeyFlagIsReadAsAWordAndAnEmptyFileNameFallsBackToTheDocumentName) {
  fake.store.values = {
      {"HotKeyEnabled", "False"}, {"HotKeyModifiers", "5"}, {"HotKeyKeyCode", "65"}, {"FileName", ""}};
  Load();
  EXPECT_FALSE(app.settings.HotKeyEnabled);
  EXPECT_EQ(app.settings.HotKeyModifiers, 5);
  EXPECT_EQ(app.settings.HotKeyKeyCode, 65);
  EXPECT_EQ(app.FileName.Path(), "VellOut");
  fake.store.values = {{"FileName", "E:\\out\\shot"}};
  Load();
  EXPECT_EQ(app.FileName.Path(), "E:\\out\\shot");
  EXPECT_EQ(app.FileName.Body(), "shot");
}

TEST(SettingsLanguage, DocumentNameAndDefaultFileNameFollowTheLanguage) {
  FakePlatform fake;
  AppContext app(fake.platform, "C:\\Snapwell\\", Texts(Language::Japanese));
  LoadSettings(app);
  EXPECT_EQ(app.PrintDocumentName, "Snapwell出力ファイル");
  EXPECT_EQ(app.FileName.Path(), "Snapwell出力ファイル");
}

TEST_F(SettingsTest, SaveMainSettingsWritesExactlyItsKeysInOrder) {
  Load();
  app.settings.FlameStyle = 1;
  app.settings.CopyTime = 0.25f;
  app.FileName.SetPath("C:\\pics\\shot");
  bool validated = false;
  SaveAllSettings(app, 1200, -30, [&] {
    validated = true;
    app.settings.FixFieldX = 640;  // text typed into a box but not yet confirmed
  });
  EXPECT_TRUE(validated);
  std::string keys;
  for (const auto& [key, value] : fake.store.writes)
    keys += key + " ";
  EXPECT_EQ(
      keys,
      "AppearWindow AutoName CaptureWindow ContOutCulc ContOutput CopyTimer CopyTime DefaultExt DefRoll "
      "EndAng EnlargeColorControl EnlargeValue FileName FixField FixFieldX FixFieldY FlameStyle "
      "FreehandLineWidth VOLFileName OutDialog Outputs ReductColorControl ReverseValue RollColorControl "
      "RollValue StartAng StepAng VariLineShape WhereStay WindowLeft WindowTop ");
  EXPECT_EQ(fake.store.values["FlameStyle"], "1");
  EXPECT_EQ(fake.store.values["CopyTime"], "0.25");
  EXPECT_EQ(fake.store.values["FileName"], "C:\\pics\\shot");
  EXPECT_EQ(fake.store.values["FixFieldX"], "640");
  EXPECT_EQ(fake.store.values["WindowLeft"], "1200");
  EXPECT_EQ(fake.store.values["WindowTop"], "-30");
  EXPECT_EQ(fake.store.values["StepAng"], "90");
}

TEST_F(SettingsTest, SavedValuesLoadBackUnchanged) {
  Settings& s = app.settings;
  s.FlameStyle = 2;
  s.CopyTime = 3600.0f;
  s.DefRoll = -179.5f;
  s.EnlargeValue = 0.01f;
  s.Outputs = 7;
  s.VOLFileName = "D:\\frames, mine\\list.vol";
  s.StartAng = 12.75f;
  app.FileName.SetPath("C:\\a.b\\c");
  SaveAllSettings(app, 15, 30);
  WriteSetting(app, "HotKeyEnabled");
  const Settings saved = s;
  app.settings = Settings{};
  app.settings.HotKeyEnabled = false;
  Load();
  EXPECT_EQ(s.FlameStyle, saved.FlameStyle);
  EXPECT_EQ(s.CopyTime, saved.CopyTime);
  EXPECT_EQ(s.DefRoll, saved.DefRoll);
  EXPECT_EQ(s.EnlargeValue, saved.EnlargeValue);
  EXPECT_EQ(s.Outputs, saved.Outputs);
  EXPECT_EQ(s.VOLFileName, saved.VOLFileName);
  EXPECT_EQ(s.StartAng, saved.StartAng);
  EXPECT_TRUE(s.HotKeyEnabled);
  EXPECT_EQ(fake.store.values["HotKeyEnabled"], "True");
  EXPECT_EQ(app.FileName.Path(), "C:\\a.b\\c");
}

TEST_F(SettingsTest, ReadOnlyStoreNeverStopsStartUp) {
  fake.store.readOnly = true;
  MigrateSettings(app);
  Load();
  EXPECT_EQ(app.settings.FlameStyle, 3);
  EXPECT_FALSE(WriteSetting(app, "DefaultExt"));
  EXPECT_FALSE(WriteSetting(app, "NoSuchSetting"));
}

// LoadSettings reads in the order of its steps 3 to 5; every key of the table but the version.
TEST(SettingTable, LoadOrderIsTheDocumentedOne) {
  std::string keys;
  for (std::string_view key : LoadOrder())
    keys += std::string(key) + " ";
  EXPECT_EQ(keys,
            "DefaultExt AppearWindow AutoName CaptureWindow CopyTimer CopyTime DefRoll FlameStyle FileName "
            "FixField FixFieldX FixFieldY HotKeyEnabled HotKeyModifiers HotKeyKeyCode EnlargeValue "
            "FreehandLineWidth OutDialog EnlargeColorControl ReductColorControl RollColorControl VOLFileName "
            "Outputs ReverseValue RollValue WindowLeft WindowTop WhereStay ContOutCulc ContOutput StartAng "
            "EndAng StepAng VariLineShape ");
  for (std::string_view key : LoadOrder()) {
    if (key != kFileNameKey) {
      EXPECT_NE(FindSetting(key), nullptr) << key;
    }
  }
}

}  // namespace
}  // namespace snapwell
