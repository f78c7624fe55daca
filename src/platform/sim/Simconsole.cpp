#include "platform/sim/Simconsole.h"

bool TSimConsole::Open() {
    IsOpen = true;
    ++OpenCount;
    return true;
}

void TSimConsole::Write(const std::string& utf8) { Writes.push_back({utf8, Attribute}); }

bool TSimConsole::GetAttribute(uint16_t& attribute) {
    if (!IsOpen) return false;
    attribute = Attribute;
    return true;
}

std::vector<TSimConsole::TLine> TSimConsole::Lines() const {
    std::vector<TLine> lines;
    TLine current;
    bool valueTaken = false;
    for (const TWrite& write : Writes) {
        for (size_t start = 0; start <= write.Text.size();) {
            size_t end = write.Text.find('\n', start);
            std::string piece = write.Text.substr(start, end == std::string::npos ? end : end - start);
            current.Text += piece;
            if (write.Attribute != 7 && !valueTaken) {
                current.Value = piece;
                current.Colour = write.Attribute;
                valueTaken = true;
            }
            if (end == std::string::npos) break;
            lines.push_back(current);
            current = TLine();
            valueTaken = false;
            start = end + 1;
        }
    }
    if (!current.Text.empty()) lines.push_back(current);
    return lines;
}
