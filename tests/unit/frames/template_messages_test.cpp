#include "frames/template_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace snapwell {
namespace {

// One result of every kind a template or list read can fail with, numbers distinct so a
// swapped placeholder shows.
std::vector<TemplateReadResult> EveryRejection() {
  std::vector<TemplateReadResult> results;
  for (TemplateError error :
       {TemplateError::FileNotFound, TemplateError::FileUnreadable, TemplateError::EndsEarly,
        TemplateError::WrongField, TemplateError::BadSize, TemplateError::BadCount,
        TemplateError::MissingRecords, TemplateError::NoSuchEntry}) {
    for (bool inList : {false, true}) {
      TemplateReadResult r;
      r.error = error;
      r.file = inList ? "C:\\Snapwell\\default.vol" : "C:\\Snapwell\\heart.vod";
      r.field = 17;
      r.line = 4;
      r.expected = 12;
      r.found = 9;
      r.inList = inList;
      results.push_back(r);
    }
  }
  return results;
}

bool HasUnfilledPlaceholder(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && text[i + 1] >= '0' && text[i + 1] <= '9') return true;
  }
  return false;
}

TEST(TemplateMessagesTest, EnglishRejectionNamesFileReasonAndFallback) {
  TemplateReadResult r;
  r.error = TemplateError::WrongField;
  r.file = "C:\\Snapwell\\heart.vod";
  r.field = 17;
  r.line = 4;
  const FrameMessage message = TemplateRejectedMessage(Texts(Language::English), r);
  EXPECT_EQ(message.text,
            "The VellFrame Data file (C:\\Snapwell\\heart.vod) cannot be used.\r\n"
            "A field holds a value of the wrong kind (field 17, line 4).\r\n"
            "The freehand outline is used instead.");
  EXPECT_EQ(message.title, "Warning!");

  r.error = TemplateError::MissingRecords;
  r.expected = 12;
  r.found = 9;
  r.inList = true;
  r.file = "list.vol";
  EXPECT_EQ(TemplateRejectedMessage(Texts(Language::English), r).text,
            "The VellFrame List file (list.vol) cannot be used.\r\n"
            "It holds 9 of the 12 records its DataNum promises.\r\n"
            "The freehand outline is used instead.");
}

TEST(TemplateMessagesTest, JapaneseRejectionFillsItsPlaceholders) {
  TemplateReadResult r;
  r.error = TemplateError::EndsEarly;
  r.file = "C:\\ワク\\ハート.vod";
  r.field = 17;
  r.line = 4;
  const FrameMessage message = TemplateRejectedMessage(Texts(Language::Japanese), r);
  EXPECT_EQ(message.text,
            "VellFrameデータファイル (C:\\ワク\\ハート.vod) は使えません。\r\n"
            "データの途中でファイルが終わっています（項目 17、4 行目）。\r\n"
            "代わりにフリーハンドのワクを使います。");
  EXPECT_EQ(message.title, "警告!");

  r.error = TemplateError::NoSuchEntry;
  r.inList = true;
  r.file = "default.vol";
  r.expected = 12;
  r.found = 9;
  EXPECT_NE(TemplateRejectedMessage(Texts(Language::Japanese), r)
                .text.find("VellFrameリスト (default.vol) は使えません。\r\n"
                           "12 番目のワク型がありません（リストにあるのは 9 個です）。"),
            std::string::npos);
}

TEST(TemplateMessagesTest, EveryRejectionIsCompleteInBothLanguages) {
  for (Language language : {Language::English, Language::Japanese}) {
    const Texts texts(language);
    const Texts other(language == Language::English ? Language::Japanese : Language::English);
    for (const TemplateReadResult& r : EveryRejection()) {
      SCOPED_TRACE(::testing::Message() << "language " << static_cast<int>(language) << ", error "
                                        << static_cast<int>(r.error) << ", list " << r.inList);
      const std::string text = TemplateRejectedMessage(texts, r).text;
      EXPECT_FALSE(HasUnfilledPlaceholder(text)) << text;
      EXPECT_NE(text.find("(" + r.file + ")"), std::string::npos) << text;
      // Three lines: the file, a reason of its own, the fallback; nothing from the other language.
      const std::size_t first = text.find("\r\n");
      const std::size_t second = text.find("\r\n", first + 2);
      ASSERT_NE(second, std::string::npos) << text;
      EXPECT_GT(second, first + 2) << "empty reason: " << text;
      EXPECT_EQ(text.find("\r\n", second + 2), std::string::npos) << text;
      EXPECT_EQ(text.substr(second + 2), texts(285));
      EXPECT_NE(text, TemplateRejectedMessage(other, r).text);
      if (r.error == TemplateError::EndsEarly || r.error == TemplateError::WrongField) {
        EXPECT_NE(text.find("17"), std::string::npos) << text;
        EXPECT_NE(text.find('4'), std::string::npos) << text;
      }
      if (r.error == TemplateError::MissingRecords || r.error == TemplateError::NoSuchEntry) {
        EXPECT_NE(text.find("12"), std::string::npos) << text;
        EXPECT_NE(text.find('9'), std::string::npos) << text;
      }
    }
  }
}

TEST(TemplateMessagesTest, EachKindOfFailureHasItsOwnReason) {
  const Texts texts(Language::Japanese);
  std::vector<std::string> reasons;
  for (const TemplateReadResult& r : EveryRejection()) {
    if (r.inList) continue;
    const std::string text = TemplateRejectedMessage(texts, r).text;
    const std::size_t first = text.find("\r\n") + 2;
    reasons.push_back(text.substr(first, text.find("\r\n", first) - first));
  }
  for (std::size_t i = 0; i < reasons.size(); ++i) {
    for (std::size_t j = i + 1; j < reasons.size(); ++j)
      EXPECT_NE(reasons[i], reasons[j]) << i << ", " << j;
  }
}

TEST(TemplateMessagesTest, ListMessagesInBothLanguages) {
  const FrameMessage english = ListNotFoundMessage(Texts(Language::English), "mine.vol");
  EXPECT_EQ(english.text,
            "The VellFrame List file (mine.vol) is not found.\r\nYou cannot use various frames.");
  EXPECT_EQ(english.title, "File Not Found");
  const FrameMessage japanese = ListNotFoundMessage(Texts(Language::Japanese), "mine.vol");
  EXPECT_EQ(japanese.text, "VellFrameリスト (mine.vol) が見つかりません。\r\n多様なワク型は使えません。");
  EXPECT_EQ(japanese.title, "ファイルが見つかりません");
  EXPECT_EQ(FreehandItemText(Texts(Language::Japanese)), "フリーハンド");
}

}  // namespace
}  // namespace snapwell
