#pragma once
#include <string>
#include <vector>

// Which writing system a caption needs glyphs for, and the faces that draw it best. A face
// without a script's glyphs draws boxes, so the painter picks by script before it picks by name.
enum class TScript { Latin, Japanese, Chinese, Korean };

// Kana make a text Japanese and Hangul Korean. Han characters alone are read as Japanese when
// the face asked for is a Japanese one, else as Chinese.
TScript ScriptOfText(const std::string& utf8, const std::string& requestedFace);

// The faces to try, best first, before any other installed face that has the script's glyphs.
const std::vector<std::string>& PreferredFaces(TScript script);

// Characters a face must have to draw the script (UTF-16, for a glyph lookup); empty for Latin.
std::u16string ScriptSample(TScript script);
