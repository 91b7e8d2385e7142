#include "qt_support/qt_text.h"

#include <QFile>

#include "catalogue/code_page.h"

namespace kalverin {

QString ToQt(std::string_view bytes) {
    std::u16string text = DecodeCodePage(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
    return EncodeCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<std::size_t>(text.size())));
}

QString PathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path PathFromQt(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace kalverin
