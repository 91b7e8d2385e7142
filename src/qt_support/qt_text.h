#pragma once

// The one place where the program's code-page texts become QStrings and back.

#include <QString>
#include <string>
#include <string_view>

namespace kalverin {

QString ToQt(std::string_view bytes);
std::string FromQt(const QString& text);

}  // namespace kalverin
