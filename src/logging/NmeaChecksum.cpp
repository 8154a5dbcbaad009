#include "logging/NmeaChecksum.h"

void AppendNmeaChecksum(std::string& sentence)
{
    unsigned char c = 0;
    for (size_t i = 1; i < sentence.size() && sentence[i] != '*'; ++i)
        c ^= static_cast<unsigned char>(sentence[i]);
    static constexpr char kHex[] = "0123456789ABCDEF";
    sentence += '*';
    sentence += kHex[c >> 4];
    sentence += kHex[c & 0x0F];
    sentence += "\r\n";
}
