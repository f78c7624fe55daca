#include "platform/Fontscript.h"

#include <algorithm>

namespace {
// The next code point of a UTF-8 string; a broken sequence yields U+FFFD and moves one byte.
char32_t NextCodePoint(const std::string& text, size_t& at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return code;
}

bool IsKana(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF66 && c <= 0xFF9F);
}
bool IsHangul(char32_t c) {
    return (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}
bool IsHan(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF60);
}
}  // namespace

TScript ScriptOfText(const std::string& utf8, const std::string& requestedFace) {
    bool han = false, hangul = false;
    for (size_t at = 0; at < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, at);
        if (IsKana(c)) return TScript::Japanese;
        hangul = hangul || IsHangul(c);
        han = han || IsHan(c);
    }
    if (hangul) return TScript::Korean;
    if (!han) return TScript::Latin;
    const auto& japanese = PreferredFaces(TScript::Japanese);
    const bool japaneseFace = std::find(japanese.begin(), japanese.end(), requestedFace) != japanese.end();
    return japaneseFace ? TScript::Japanese : TScript::Chinese;
}

const std::vector<std::string>& PreferredFaces(TScript script) {
    static const std::vector<std::string> latin{"Segoe UI", "Tahoma", "Arial", "DejaVu Sans"};
    static const std::vector<std::string> japanese{"Yu Gothic UI", "Meiryo UI", "Meiryo", "MS UI Gothic"};
    static const std::vector<std::string> chinese{"Microsoft YaHei UI", "SimSun", "Microsoft YaHei", "NSimSun"};
    static const std::vector<std::string> korean{"Malgun Gothic", "Gulim"};
    switch (script) {
        case TScript::Japanese:
            return japanese;
        case TScript::Chinese:
            return chinese;
        case TScript::Korean:
            return korean;
        case TScript::Latin:
            break;
    }
    return latin;
}

std::u16string ScriptSample(TScript script) {
    switch (script) {
        case TScript::Japanese:
            return u"\u3042\u30A2\u65E2";  // hiragana, katakana, kanji
        case TScript::Chinese:
            return u"\u4E2D\u6587";
        case TScript::Korean:
            return u"\uD55C";
        case TScript::Latin:
            break;
    }
    return u"";
}
