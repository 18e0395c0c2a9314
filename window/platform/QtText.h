#pragma once
// Conversions between the program's 8-bit texts (local code page) and Qt's
// strings.

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace quill {

inline QString ToQString(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToBytes(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quill
