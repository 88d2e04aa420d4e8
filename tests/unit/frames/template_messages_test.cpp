#include "frames/template_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace snapwell {
namespace {

// A failed read with distinct numbers, so a swapped placeholder shows.
TemplateReadResult Rejection(TemplateError error, std::string file, bool inList = false) {
  TemplateReadResult r;
  r.error = error;
  r.file = std::move(file);
  r.field = 17;
  r.line = 4;
  r.expected = 12;
  r.found = 9;
  r.inList = inList;
  return r;
}

std::string Message(Language language, const TemplateReadResult& r) {
  return TemplateRejectedMessage(Texts(language), r).text;
}

TEST(TemplateMessagesTest, RejectionNamesFileReasonAndFallbackInBothLanguages) {
  const TemplateReadResult wrongField = Rejection(TemplateError::WrongField, "C:\\Snapwell\\heart.vod");
  EXPECT_EQ(Message(Language::English, wrongField),
            "The VellFrame Data file (C:\\Snapwell\\heart.vod) cannot be used.\r\n"
            "A field holds a value of the wrong kind (field 17, line 4).\r\n"
            "The freehand outline is used instead.");
  EXPECT_EQ(TemplateRejectedMessage(Texts(Language::English), wrongField).title, "Warning!");
  EXPECT_EQ(Message(Language::English, Rejection(TemplateError::MissingRecords, "list.vol", true)),
            "The VellFrame List file (list.vol) cannot be used.\r\n"
            "It holds 9 of the 12 records its DataNum promises.\r\n"
            "The freehand outline is used instead.");

  const FrameMessage japanese = TemplateRejectedMessage(
      Texts(Language::Japanese), Rejection(TemplateError::EndsEarly, "C:\\ワク\\ハート.vod"));
  EXPECT_EQ(japanese.text,
            "VellFrameデータファイル (C:\\ワク\\ハート.vod) は使えません。\r\n"
            "データの途中でファイルが終わっています（項目 17、4 行目）。\r\n"
            "代わりにフリーハンドのワクを使います。");
  EXPECT_EQ(japanese.title, "警告!");
  EXPECT_NE(Message(Language::Japanese, Rejection(TemplateError::NoSuchEntry, "default.vol", true))
                .find("VellFrameリスト (default.vol) は使えません。\r\n"
                      "12 番目のワク型がありません（リストにあるのは 9 個です）。"),
            std::string::npos);
}

TEST(TemplateMessagesTest, EveryRejectionIsCompleteInBothLanguagesWithAReasonOfItsOwn) {
  for (Language language : {Language::English, Language::Japanese}) {
    const Texts texts(language);
    const Language other = language == Language::English ? Language::Japanese : Language::English;
    std::set<std::string> reasons;
    for (TemplateError error :
         {TemplateError::FileNotFound, TemplateError::FileUnreadable, TemplateError::EndsEarly,
          TemplateError::WrongField, TemplateError::BadSize, TemplateError::BadCount,
          TemplateError::MissingRecords, TemplateError::NoSuchEntry}) {
      for (bool inList : {false, true}) {
        const TemplateReadResult r =
            Rejection(error, inList ? "C:\\Snapwell\\default.vol" : "C:\\Snapwell\\heart.vod", inList);
        const std::string text = TemplateRejectedMessage(texts, r).text;
        SCOPED_TRACE(::testing::Message() << "language " << static_cast<int>(language) << ", error "
                                          << static_cast<int>(error) << ", list " << inList << ": " << text);
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
          EXPECT_FALSE(text[i] == '%' && text[i + 1] >= '0' && text[i + 1] <= '9') << "unfilled placeholder";
        EXPECT_NE(text.find("(" + r.file + ")"), std::string::npos);
        // Three lines: the file, a reason of its own, the fallback; nothing from the other language.
        const std::size_t first = text.find("\r\n");
        const std::size_t second = text.find("\r\n", first + 2);
        ASSERT_NE(second, std::string::npos);
        EXPECT_GT(second, first + 2) << "empty reason";
        EXPECT_EQ(text.find("\r\n", second + 2), std::string::npos);
        EXPECT_EQ(text.substr(second + 2), texts(285));
        EXPECT_NE(text, Message(other, r));
        if (!inList) {
          EXPECT_TRUE(reasons.insert(text.substr(first + 2, second - first - 2)).second);
        }
        if (error == TemplateError::EndsEarly || error == TemplateError::WrongField) {
          EXPECT_NE(text.find("17"), std::string::npos);
          EXPECT_NE(text.find('4'), std::string::npos);
        }
        if (error == TemplateError::MissingRecords || error == TemplateError::NoSuchEntry) {
          EXPECT_NE(text.find("12"), std::string::npos);
          EXPECT_NE(text.find('9'), std::string::npos);
        }
      }
    }
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
