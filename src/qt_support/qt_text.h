#pragma once

// The one place where the program's code-page texts, and the file system's paths, become
// QStrings and back.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace kalverin {

QString ToQt(std::string_view bytes);
std::string FromQt(const QString& text);

// A path in the file system's own encoding, as Qt shows and takes it.
QString PathText(const std::filesystem::path& path);
std::filesystem::path PathFromQt(const QString& text);

}  // namespace kalverin
