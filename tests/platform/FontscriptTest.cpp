#include "platform/Fontscript.h"

#include <gtest/gtest.h>

TEST(FontScriptTest, TheTextAndTheFaceAskedForChooseTheScript) {
    struct Case {
        const char* text;
        const char* face;
        TScript script;
    };
    const Case cases[] = {
        {"Taux d'interrogation", "Segoe UI", TScript::Latin},
        {"", "Yu Gothic UI", TScript::Latin},
        {"\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\xAA\xE3\x83\xB3\xE3\x82\xB0", "Segoe UI", TScript::Japanese},  // kana
        {"\xE6\x97\xA2\xE5\xAE\x9A", "Yu Gothic UI", TScript::Japanese},       // kanji with a Japanese face
        {"\xE6\x97\xA2\xE5\xAE\x9A", "Microsoft YaHei UI", TScript::Chinese},  // the same Han characters
        {"1000 Hz \xE5\xB7\xB2\xE7\xA1\xAE\xE8\xAE\xA4", "", TScript::Chinese},
        {"\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4", "Segoe UI", TScript::Korean},
        {"\xE3\x80\x82", "SimSun", TScript::Chinese},          // CJK punctuation
        {"\xFF\xFE broken \xE6", "Segoe UI", TScript::Latin},  // bad UTF-8 is not CJK
    };
    for (const Case& c : cases) EXPECT_EQ(ScriptOfText(c.text, c.face), c.script) << c.text;
    EXPECT_EQ(PreferredFaces(TScript::Japanese).front(), "Yu Gothic UI");
    EXPECT_EQ(PreferredFaces(TScript::Chinese).front(), "Microsoft YaHei UI");
    EXPECT_TRUE(ScriptSample(TScript::Latin).empty());
    EXPECT_FALSE(ScriptSample(TScript::Japanese).empty());
}
