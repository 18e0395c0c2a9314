#pragma once
// The bytes of a listed text, kept beside the text a list or combo box
// shows: a text the local code page cannot show exactly still comes back
// unchanged, so the value written back is exactly the one that was listed.

#include <QByteArray>
#include <QVariant>
#include <string>
#include <string_view>

namespace quill {

// The item data role that holds the bytes.
constexpr int kBytesRole = Qt::UserRole + 1;

// What an item keeps under kBytesRole for `text`.
inline QByteArray AsByteArray(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The bytes an item keeps under kBytesRole ("" when it keeps none).
inline std::string BytesOf(const QVariant& data) {
    const QByteArray bytes = data.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quill
