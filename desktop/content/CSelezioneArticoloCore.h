#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// The rules of "Selezione articolo risposta modulo", without widgets: the
// articles of one section, each shown by the first 100 characters of its
// default-language title, subtitle or text, and the one chosen.
class CSelezioneArticoloCore
{
public:
    enum Show { Titolo, Sottotitolo, Testo };
    static constexpr int kLineLength = 100;

    struct Line
    {
        qint32 nId = 0;
        QString strText;
    };

    CSelezioneArticoloCore(CDaoDatabase& database, const QString& defaultLanguage);

    static QStringList ShowNames();
    // The section whose articles are listed (0: every article).
    void ChooseSection(qint32 section);
    void ChooseShow(int show);
    qint32 Section() const { return m_nSection; }
    // The name of a section in the default language; empty when none.
    QString SectionName(qint32 section) const;
    const QList<Line>& Lines() const { return m_lines; }
    // The article of line index; 0 when no line is selected.
    qint32 ArticleAt(int index) const;

private:
    void Fill();

    CDaoDatabase& m_db;
    QString m_strDefault;
    qint32 m_nSection = 0;
    int m_nShow = Titolo;
    QList<Line> m_lines;
};
