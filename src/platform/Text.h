#pragma once
// 8-bit text inside, QString only at a widget: Latin-1 both ways, so every
// byte keeps its value (0xB0 shows as a degree sign).

#include <QString>
#include <string>

inline QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
