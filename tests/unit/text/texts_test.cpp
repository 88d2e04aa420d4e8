#include "text/texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <utility>

namespace snapwell {
namespace {

// An independent reading of resources/strings.txt, so a slip in the generator shows up here.
std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

// Position just past the closing quote of the quoted text that starts at open.
std::size_t QuotedEnd(const std::string& line, std::size_t open) {
  for (std::size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return i + 1;
    }
  }
  return std::string::npos;
}

std::map<int, std::pair<std::string, std::string>> ReadSource() {
  std::ifstream in(std::string(SNAPWELL_SOURCE_DIR) + "/resources/strings.txt", std::ios::binary);
  EXPECT_TRUE(in.good());
  std::map<int, std::pair<std::string, std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const int id = std::stoi(line);
    const std::size_t enOpen = line.find('"');
    const std::size_t enEnd = QuotedEnd(line, enOpen);
    const std::size_t jaOpen = line.find('"', enEnd);
    const std::size_t jaEnd = QuotedEnd(line, jaOpen);
    EXPECT_NE(jaEnd, std::string::npos) << line;
    if (jaEnd == std::string::npos) continue;
    EXPECT_TRUE(rows.count(id) == 0) << "id " << id << " twice";
    rows[id] = {Unescape(line.substr(enOpen + 1, enEnd - enOpen - 2)),
                Unescape(line.substr(jaOpen + 1, jaEnd - jaOpen - 2))};
  }
  return rows;
}

TEST(TextTableTest, EveryIdMatchesTheSourceInBothLanguages) {
  const auto source = ReadSource();
  ASSERT_EQ(source.size(), static_cast<std::size_t>(kLastTextId - kFirstTextId + 1 - 2));  // no 105, 109
  ASSERT_EQ(TextTable().size(), source.size());
  EXPECT_EQ(source.begin()->first, kFirstTextId);
  EXPECT_EQ(source.rbegin()->first, kLastTextId);
  const Texts english(Language::English);
  const Texts japanese(Language::Japanese);
  for (const auto& [id, texts] : source) {
    SCOPED_TRACE(id);
    EXPECT_EQ(Text(Language::English, id), texts.first);
    EXPECT_EQ(Text(Language::Japanese, id), texts.second);
    EXPECT_EQ(english(id), texts.first);
    EXPECT_EQ(japanese(id), texts.second);
  }
  for (int id = kFirstTextId; id <= kLastTextId; ++id) {
    if (id != 105 && id != 109) {
      EXPECT_EQ(source.count(id), 1u) << "missing id " << id;
    }
  }
}

// Texts across the whole range pinned as the interface shows them, so an edit of the table that
// the generator faithfully carries through (a lost blank, an escape, a half-width character, an
// accelerator letter) still shows. An empty pin is not checked.
TEST(TextTableTest, TextsAcrossTheRangeReadAsPinnedWithBlanksEscapesAndWideCharacters) {
  const struct {
    int id;
    std::string_view english;
    std::string_view japanese;
  } pinned[] = {
      {101, "", "ＭＳ Ｐゴシック"},
      {110, "All Available Formats|*", ""},
      {111,
       "|BMP - 24bit Bitmap (*.bmp)|*.bmp|JPEG - JPEG Format (*.jpg; *.jpeg)|*.jpg;*.jpeg|PNG - Portable "
       "Network Graphic (*.png)|*.png|EPS - Encapsulated PostScript (*.eps)|*.eps|PPM - Portable "
       "PixelMap (*.ppm)|*.ppm|PGM - Portable GrayMap (*.pgm)|*.pgm",
       ""},
      {112, "Fixed Size ", ""},
      {113, " - Whole", ""},
      {118, "", "ワク型 リスト(*.vol)|*.vol"},
      {121, "Now Outputting\n", ""},
      {149, "", "次回起動時は、保存したときの状態で起動します。\r\n"},
      {151, "Are you sure?", ""},
      {186, "Waiting : ", ""},
      {197, "", "ｳｨﾝﾄﾞｳ全体"},
      {217, " %", ""},
      {256, "Adjust       :  higher quality/slower", "補正する　　：　高画質・動作が重いかも"},
      {266, "&Quit Snapwell", "Snapwellの終了(&X)"},
      {276, "", "Snapwellの終了(&Q)"},
      {102, "GulimChe", "ＭＳ ゴシック"},
      {106, "VellOut", "Snapwell出力ファイル"},
      {108, "is available.", "サポート"},
      {115, "Active ", "アクティブ"},
      {116, "Diam.=", "2R ="},
      {117, " deg.", "度"},
      {122, "Version Information", "バージョン情報"},
      {123, "Hey, how and why did you make such many (20,000!) files?", "２万個もファイル作るか、をい"},
      {125, "The picture size after Enlargement becomes quite large ( ",
       "拡大後の画像サイズがかなり大きくなります ( "},
      {126, " ).", " ) 。"},
      {128, "Do you want to continue?", "処理を続行しますか？"},
      {130, "You have to input filename to output.",
       "ファイルに出力するためには、ファイル名を入力する必要があります。"},
      {132, " has already existed.", " は、既に存在します。"},
      {135, "Invalid folder name is specified.", "フォルダの指定が無効です。"},
      {137, ").", "）。"},
      {139, "Illegal filename is specified.", "ファイル名がおかしいです。"},
      {143, ") is not found.", ") が見つかりません。"},
      {145, "File Not Found", "ファイルが見つかりません"},
      {147, "The frame may not be drawn correctly.", "ワク型が正しく描画されない可能性があります。"},
      {150,
       "and then when you push the Reset button or restart up Snapwell, the contents of the Main page will "
       "become as same as the current status.",
       "設定リセットすると、保存したときの状態に戻ります。"},
      {152, "There are too many output files, so it is impossible to create a new file.",
       "作成済みのファイルが多すぎて、新規ファイルを作成できません。"},
      {155, "No output Target is specified.", "出力先が設定されていません。"},
      {157, "&OK", "&OK"},
      {158, "&Cancel", "キャンセル(&C)"},
      {163, "Number of Outputs", "出力画像数"},
      {166, "Cancel", "ｷｬﾝｾﾙ"},
      {168, "No hotkey : BS or Delete key", "ホットキーなし：BS，Delキー"},
      {169, "Hotkey : ", "ホットキー ："},
      {171, "Please restart Snapwell (failed to get the screen size).",
       "Snapwellの再起動をお勧めします (画面サイズの取得に失敗しました)。"},
      {174, "&Stop", "中止(&S)"},
      {181, "Folder : ", "フォルダ  ："},
      {182, "Filename : ", "ファイル名："},
      {195, "Diameter :", "直径 : "},
      {196, "Target :", "対象 : "},
      {199, "Active Window", "ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳ"},
      {203, "sec.", "秒"},
      {207, "+45 deg.", "＋４５度"},
      {210, "-90 deg.", "－９０度"},
      {215, "- : CounterCW", "－：反時計回り"},
      {218, "50 %", "５０％"},
      {225, "180 deg. Rot.", "１８０度回転"},
      {230, "Auto-Renewal of Filename", "ﾌｧｲﾙ名自動更新"},
      {240, "When Snapwell starts up, this dialog will", "起動時にダイアログを"},
      {244, "Freehand Line Thickness", "線の太さ (フリーハンド用) "},
      {246, "2 (Middle)", "2 (やや太)"},
      {254, "Edge Sharpen", "ｴｯｼﾞｼｬｰﾌﾟ化"},
      {257, "Not Adjust  :  lower quality/faster", "補正しない　：　低画質・動作が軽い"},
      {260, "Output &Filename Setup", "出力ﾌｧｲﾙ名設定(&F)"},
      {265, "&Close This Dialog", "このｳｨﾝﾄﾞｳを閉じる(&C)"},
      {268, "&Main settings", "ﾒｲﾝ設定(&E)"},
      {270, "&Version", "ﾊﾞｰｼﾞｮﾝ情報(&V)"},
      {274, "&Reset settings and Capture", "設定リセット＆キャプチャー(&R)"},
      {278, "Menu for Waiting", "待機中用メニュー"},
      {280, "&Continue", "待機続行(&C)"},
      {282, "&Quit Waiting", "中断(&Q)"},
  };
  const Texts en(Language::English);
  const Texts ja(Language::Japanese);
  for (const auto& p : pinned) {
    EXPECT_EQ(p.english.empty() ? p.english : en(p.id), p.english) << "id " << p.id;
    EXPECT_EQ(p.japanese.empty() ? p.japanese : ja(p.id), p.japanese) << "id " << p.id;
  }
}

TEST(TextTableTest, UnknownIdsGiveEmptyText) {
  const Texts en(Language::English);
  for (int id : {0, 100, 105, 109, kLastTextId + 1, -1, 65536}) {
    EXPECT_TRUE(en(id).empty()) << id;
    EXPECT_TRUE(Text(Language::Japanese, id).empty()) << id;
  }
}

// The numbered placeholders (%1 .. %9) a text uses.
std::set<char> Placeholders(std::string_view text) {
  std::set<char> found;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] >= '1' && text[i + 1] <= '9') found.insert(text[i + 1]);
    ++i;  // skips the character after %, so "%%1" is no placeholder
  }
  return found;
}

TEST(TextTableTest, BothLanguagesUseTheSamePlaceholders) {
  for (const TextEntry& e : TextTable()) {
    EXPECT_EQ(Placeholders(e.english), Placeholders(e.japanese)) << "id " << e.id;
  }
  EXPECT_EQ(Placeholders(Text(Language::Japanese, 292)), (std::set<char>{'1', '2'}));
}

TEST(TextsTest, LoaderOverridesAndFallsBackToCompiledText) {
  Texts loaded = Texts::FromLoader(Language::Japanese, [](int id) -> std::optional<std::string> {
    if (id == 104) return std::string("Loaded ") + std::to_string(id) + std::string(40, 'x');
    if (id == 187) return std::string();  // an empty resource is still a text
    return std::nullopt;
  });
  EXPECT_EQ(loaded.language(), Language::Japanese);
  EXPECT_EQ(loaded(104), "Loaded 104" + std::string(40, 'x'));
  EXPECT_EQ(loaded(187), "");
  EXPECT_EQ(loaded(188), "環境設定");
  // Copies share the loaded texts; they stay valid after the original is gone.
  Texts copy(Language::English);
  auto held = std::make_unique<Texts>(loaded);
  copy = *held;
  held.reset();
  loaded = Texts(Language::English);
  EXPECT_EQ(copy(104), "Loaded 104" + std::string(40, 'x'));
}

TEST(TextsTest, LoaderTellsTheLanguageFromTheCharacterSetText) {
  for (Language language : {Language::Japanese, Language::English}) {
    const auto resources = [language](int id) -> std::optional<std::string> {
      return std::string(Text(language, id));
    };
    EXPECT_EQ(Texts::FromLoader(resources).language(), language);
  }
  EXPECT_EQ(Texts::FromLoader([](int) { return std::optional<std::string>(); }).language(),
            Language::English);
  EXPECT_EQ(Texts::FromLoader(Language::English, nullptr)(104), "Snapwell");  // no loader: compiled table
}

}  // namespace
}  // namespace snapwell
