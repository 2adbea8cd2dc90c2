#include "platform/utilities/QtrCipher.h"

#include <array>

namespace {

// Printable ASCII is rotated within itself, so the stored form stays
// printable and survives form posts and text exchanges; control characters
// and everything from 128 up pass unchanged.
constexpr char32_t kFirst = 32;
constexpr char32_t kLast = 126;
constexpr int kSpan = kLast - kFirst + 1;
constexpr std::array<int, 23> kKey = {17, 4, 61, 29, 8, 50, 13, 71, 2, 38, 86, 25,
                                      44, 9, 67, 31, 78, 6, 55, 20, 92, 35, 11};

// In place on the UTF-16 text: a page decrypts every name it shows. The
// key runs over code points, so a surrogate pair takes one step of it, and
// a lone surrogate, which no code point stands for, becomes U+FFFD.
QString Shift(const QString& text, int sign)
{
    QString out = text;
    QChar* data = out.data();
    size_t point = 0;
    for (qsizetype i = 0; i < out.size(); ++i, ++point) {
        const char16_t c = data[i].unicode();
        if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && i + 1 < out.size() && QChar::isLowSurrogate(data[i + 1].unicode()))
                ++i;
            else
                data[i] = QChar(QChar::ReplacementCharacter);
            continue;
        }
        if (c < kFirst || c > kLast)
            continue;
        const int shift = kKey[point % kKey.size()] * sign;
        const int rotated = ((static_cast<int>(c - kFirst) + shift) % kSpan + kSpan) % kSpan;
        data[i] = QChar(static_cast<char16_t>(kFirst + rotated));
    }
    return out;
}

} // namespace

QString Encrypt(const QString& plain) { return Shift(plain, +1); }

QString Decrypt(const QString& stored) { return Shift(stored, -1); }
