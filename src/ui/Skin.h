#pragma once
#include <cstdint>
#include <string>

class TImgBtn;

// The looks that several windows share, with their design-time pictures from the program's
// resources.
// A command button (119 x 38 or 123 x 38): "Neo Sans" 11 px, 0xC5C5C5, 0x393939 under the
// pointer, white when pressed; text and picture centred.
void StyleCommandButton(TImgBtn& button, int width);
// A 27 x 27 window button: "MinBtn" or "CloseBtn".
void StyleWindowButton(TImgBtn& button, const std::string& kind);
// A text label drawn by an image button: one colour in every state.
void StyleLabel(TImgBtn& label, const std::string& face, int size, uint32_t color);
