#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "Utf8Check.h"
#include "i18n/CaptionTable.h"
#include "i18n/MessageTexts.h"
#include "i18n/TextPair.h"

using namespace bw;

TEST(CaptionTable, NoControlIsListedTwice) {
    std::set<std::pair<std::string_view, int>> seen;
    for (const CaptionEntry& entry : captionTable()) {
        for (const CaptionTarget& control : entry.controls) {
            EXPECT_TRUE(seen.insert({control.objectName, control.page}).second) << control.objectName;
        }
    }
}

TEST(CaptionTable, TextsAreUtf8WithoutStraySpaces) {
    for (const CaptionEntry& entry : captionTable()) {
        for (std::string_view text : {entry.text.polish, entry.text.english}) {
            EXPECT_TRUE(isWellFormedUtf8(text)) << text;
            ASSERT_FALSE(text.empty());
            EXPECT_NE(text.front(), ' ') << text;
            EXPECT_NE(text.back(), ' ') << text;
        }
        EXPECT_FALSE(entry.controls.empty()) << entry.text.english;
    }
}

TEST(CaptionTable, CaptionsForALanguageCoverEveryControlOnce) {
    std::size_t controls = 0;
    for (const CaptionEntry& entry : captionTable()) { controls += entry.controls.size(); }
    auto english = captionsFor(kEnglish);
    auto polish = captionsFor(kPolish);
    ASSERT_EQ(english.size(), controls);
    ASSERT_EQ(polish.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(english[i].target, polish[i].target);
        const CaptionEntry* entry = captionEntryFor(english[i].target);
        EXPECT_EQ(english[i].text, entry->text.english);
        EXPECT_EQ(polish[i].text, entry->text.polish);
    }
}

TEST(LanguageIndex, ToggleWrapsAndAStrayIndexReadsEnglish) {
    EXPECT_EQ(nextLanguageIndex(kEnglish), kPolish);
    EXPECT_EQ(nextLanguageIndex(kPolish), kEnglish);
    EXPECT_EQ(nextLanguageIndex(7), kPolish);  // a stray index counts as English
    TextPair pair{"Zapisz", "Save"};
    EXPECT_EQ(pair.text(0), "Zapisz");
    EXPECT_EQ(pair.text(1), "Save");
    EXPECT_EQ(pair.text(2), "Save");
    EXPECT_EQ(pair.text(-1), "Save");
}

TEST(MessageTexts, EveryMessageHasBothTextsAndFollowsTheIndexOfTheMoment) {
    for (int i = 0; i < kMessageCount; ++i) {
        for (int language : {kEnglish, kPolish}) {
            std::string_view text = messageText(static_cast<Message>(i), language);
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_TRUE(isWellFormedUtf8(text)) << text;
        }
        EXPECT_NE(messageText(static_cast<Message>(i), kEnglish), messageText(static_cast<Message>(i), kPolish));
    }
    int languageIndex = kStartLanguageIndex;
    EXPECT_EQ(messageText(Message::PrintSize, languageIndex), "Print size");
    languageIndex = nextLanguageIndex(languageIndex);
    EXPECT_EQ(messageText(Message::PrintSize, languageIndex), "Rozmiar wydruku");
}
