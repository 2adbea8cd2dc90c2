#pragma once

#include <QString>

// The tagged fields of the shop's replies: "<Name>value</Name>", one after
// the other. Values are escaped ("&", "<", ">"), so a text that holds a
// closing tag arrives whole.
class CSyncTags
{
public:
    static QString Tag(const QString& name, const QString& value);

    // Reads the first field named tag from rest and drops everything up to
    // its closing text, so fields are read in the order they stand. False,
    // with rest unchanged, when the tag is not there.
    static bool GetTagValue(QString& rest, const QString& tag, QString* value);

    static QString Escape(const QString& text);
    static QString Unescape(const QString& text);
};
