#include "platform/utilities/QtrCipher.h"

#include <QList>

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

QString Shift(const QString& text, int sign)
{
    const QList<uint> points = text.toUcs4();
    QList<uint> out;
    out.reserve(points.size());
    for (int i = 0; i < points.size(); ++i) {
        const char32_t c = points.at(i);
        if (c < kFirst || c > kLast) {
            out.append(c);
            continue;
        }
        const int shift = kKey[static_cast<size_t>(i) % kKey.size()] * sign;
        const int rotated = ((static_cast<int>(c - kFirst) + shift) % kSpan + kSpan) % kSpan;
        out.append(kFirst + static_cast<char32_t>(rotated));
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(out.constData()), out.size());
}

} // namespace

QString Encrypt(const QString& plain) { return Shift(plain, +1); }

QString Decrypt(const QString& stored) { return Shift(stored, -1); }
