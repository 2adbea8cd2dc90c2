#pragma once

#include "desktop/shell/controls/CValueFormat.h"

#include <QDateTime>
#include <QString>

// What a validated edit field accepts and how its text maps to values,
// without the widget. Kinds are the value formats of CValueFormat (0 text,
// 1 integer, 2 decimal, 3 and 4 the same with group separators, 5 date,
// 6 fiscal code, 7 time). The width limits the characters of a text, date,
// time or fiscal-code field and the integer digits of a number field (sign
// and decimals not counted); 0 or -1 sets no limit.
class CValidatedEditRules
{
public:
    void SetParam(quint8 kind, int width, int flag, int decimals);
    // Only these characters may be typed (an empty set allows every one).
    void SetAllowedChr(const QString& characters) { m_strAllowed = characters; }

    quint8 GetKind() const { return m_nKind; }
    int GetWidth() const { return m_nWidth; }
    // Kept for the forms that pass it; it changes nothing in the field.
    int GetFlag() const { return m_nFlag; }
    int GetDecimals() const { return m_nDecimals; }
    bool IsNumber() const;

    bool AcceptChar(QChar ch, const QString& text, int selStart, int selLength) const;

    // The field's text for a value.
    QString TextOf(const QString& value) const;
    QString TextOf(qint64 value) const;
    QString TextOf(double value) const;
    QString TextOf(const QDateTime& value) const;

    // The text while typing (no separators) and when done (checked and
    // normalised, or the message to show).
    QString ToRaw(const QString& text) const { return CValueFormat::ToRaw(text, m_nKind); }
    CValueFormat::Checked Check(const QString& text) const;

    // Values of a text; an entry that does not check gives 0, empty or a
    // null date.
    QString ReadText(const QString& text) const;
    qint64 ReadInteger(const QString& text) const;
    double ReadDouble(const QString& text) const;
    QDateTime ReadDate(const QString& text) const;

private:
    quint8 m_nKind = 0;
    int m_nWidth = -1;
    int m_nFlag = 0;
    int m_nDecimals = 0;
    QString m_strAllowed;
};
