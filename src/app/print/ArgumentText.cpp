#include "ArgumentText.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + a byte from 0x80 to 0xFF

bool isEscapedByte(QChar c) {
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

}  // namespace

QString argumentText(const std::string& bytes) {
    const QString text = QString::fromStdString(bytes);
    if (text.toStdString() == bytes)
        return text;  // UTF-8, as every argument typed in a UTF-8 terminal
    QString escaped;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        escaped += byte < 0x80 ? QChar(byte) : QChar(static_cast<char16_t>(kEscapeBase + byte));
    }
    return escaped;
}

std::string argumentBytes(const QString& text) {
    std::string bytes;
    qsizetype from = 0;  // the start of the text not yet converted
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isEscapedByte(text.at(i)))
            continue;
        bytes += text.mid(from, i - from).toStdString();
        if (i < text.size())
            bytes += static_cast<char>(text.at(i).unicode() - kEscapeBase);
        from = i + 1;
    }
    return bytes;
}
