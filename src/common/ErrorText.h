#pragma once
// Texts of the general error report.
#include <string>
#include <string_view>

// The message as the error box shows it: a full stop is added when its last
// character sorts after ".".
std::string ErrorBoxText(std::string_view message);

// The program's title from its module path: the file name without its
// extension, the first character kept and the rest in lower case.
std::string TitleFromModulePath(std::string_view path);
