#pragma once

#include <QColor>
#include <QList>
#include <QSet>
#include <QString>

#include <memory>

class CDaoDatabase;
class CDaoRecordset;

// One colour of the census: the text stored in AttributiCSS.Valore, the
// colour shown for it (changed by the merchant until saved) and how many
// attribute values use it.
struct CStyleColourEntry
{
    QString censusText;
    QColor colour;
    qint32 count = 0;
};

// The colours of the graphic project's styles, without widgets: every
// distinct colour value of AttributiCSS, most used first, each changed in
// the list and then written everywhere it is used at once.
//
// Colour values are matched without regard to case, as the database
// always matched them: "#ff8000" and "#FF8000" are one entry. Values that
// are not "#" and six hexadecimal digits are not colours the list can
// write back, so they are left out and never touched.
class CStyleColours
{
public:
    explicit CStyleColours(CDaoDatabase& graphic);
    ~CStyleColours();
    CStyleColours(const CStyleColours&) = delete;
    CStyleColours& operator=(const CStyleColours&) = delete;

    // Reads the census again into the list; false when there is no colour.
    // Raises CDaoException when the database cannot be read.
    bool LoadColourCensus();
    const QList<CStyleColourEntry>& Entries() const { return m_entries; }

    void Change(int index, const QColor& colour);
    // An entry was changed since the census was read.
    bool IsChanged() const { return m_bChanged; }

    // Writes every entry's colour as "#RRGGBB" (upper case) over the values
    // of its census text that differ from it, all in one transaction; the
    // entries then stand for what was written (entries made one colour stay
    // apart until the census is read again). Each row takes the colour of the entry it
    // belonged to before the save, so entries that trade colours (A to B
    // and B to C, or A and B swapped) move each row once. Returns the
    // classes (AttributiCSS.IDClasse) whose values were written; raises
    // CDaoException with the database as it was.
    QSet<qint32> Write();

    // The list's text of an entry: "(r, g, b)".
    static QString EntryText(const QColor& colour);
    // The colour field's text: "r, g, b".
    static QString RgbText(const QColor& colour);

private:
    struct Rewrite
    {
        qint64 row;
        qint32 classId;
        QString value;
    };
    QList<Rewrite> RowsToRewrite();

    CDaoDatabase& m_db;
    std::unique_ptr<CDaoRecordset> m_census;
    QList<CStyleColourEntry> m_entries;
    bool m_bChanged = false;
};
