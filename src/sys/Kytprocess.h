#pragma once
#include <cstdint>
#include <string>

// Where the program lives and what its file is called. Paths are Windows paths ("\"); a "/"
// is accepted as a separator too, so the same code serves native builds.
std::string GetModulePath();
std::string GetAppDirectory();
std::string GetModuleBaseName();
std::string GetBinParentPath();

// Turns a path built with "\" into one the host's file functions take.
std::string ToHostPath(const std::string& path);

bool GetFileVersionNumbers(const std::string& path, uint32_t& mostSignificant, uint32_t& leastSignificant);
std::string GetFileVersionText(const std::string& path);

// Marker cutting. TextAfter and TextBefore retry in the upper-case form of the text, so an
// upper-case marker (a command-line switch) matches in any letter case.
std::string TextAfter(const std::string& text, const std::string& marker, const std::string& defaultText);
std::string TextBefore(const std::string& text, const std::string& marker, const std::string& defaultText);
std::string TextBeforeOrEmpty(const std::string& text, const std::string& marker);
std::string RemoveMarker(const std::string& text, const std::string& marker);
// The value of a command-line switch given with its "=" ("/RATE="): the text after it up to the
// next blank, or to the closing quote when the switch or its value is quoted; "" when the switch
// is absent. An upper-case name matches in any letter case.
std::string SwitchValue(const std::string& commandLine, const std::string& name);

// ASCII upper case; other bytes (UTF-8 sequences included) stay as they are.
std::string UpperCase(const std::string& text);
