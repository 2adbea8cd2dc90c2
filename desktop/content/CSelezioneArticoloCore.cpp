#include "desktop/content/CSelezioneArticoloCore.h"

#include "platform/dao/CDaoCriteria.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CSezioniLingueSet.h"

CSelezioneArticoloCore::CSelezioneArticoloCore(CDaoDatabase& database, const QString& defaultLanguage)
    : m_db(database), m_strDefault(defaultLanguage)
{
}

QStringList CSelezioneArticoloCore::ShowNames()
{
    return {QStringLiteral("Titolo"), QStringLiteral("Sottotitolo"), QStringLiteral("Testo")};
}

void CSelezioneArticoloCore::ChooseSection(qint32 section)
{
    m_nSection = section;
    Fill();
}

void CSelezioneArticoloCore::ChooseShow(int show)
{
    m_nShow = qBound(0, show, 2);
    Fill();
}

QString CSelezioneArticoloCore::SectionName(qint32 section) const
{
    CSezioniLingueSet names(&m_db);
    names.SetFilter(CDaoCriteria::Format(QStringLiteral("IDSezione=%d AND CodiceLingua='%s'"), {section, m_strDefault}));
    names.Open();
    return names.IsEOF() ? QString() : names.m_Nome;
}

void CSelezioneArticoloCore::Fill()
{
    static const char* const kEmpty[] = {"<Nessun Titolo>", "<Nessun sottotitolo>", "<Nessun testo>"};
    m_lines.clear();
    CArticoliGenSet articles(&m_db);
    if (m_nSection > 0) {
        articles.m_bJoin = true;
        articles.SetFilter(CDaoCriteria::Format(QStringLiteral("IDSezione=%d"), {m_nSection}));
    }
    articles.m_strSort = QStringLiteral("Ordine");
    articles.Open();
    CArticoliLinSet texts(&m_db);
    for (; !articles.IsEOF(); articles.MoveNext()) {
        texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArticolo=%d AND CodiceLingua='%s'"),
                                             {articles.m_ID, m_strDefault}));
        if (texts.IsOpen())
            texts.Requery();
        else
            texts.Open();
        QString text;
        if (!texts.IsEOF())
            text = m_nShow == Titolo ? texts.m_Titolo : m_nShow == Sottotitolo ? texts.m_Sottotitolo : texts.m_Testo;
        text = text.left(kLineLength);
        m_lines.append({articles.m_ID, text.isEmpty() ? QString::fromLatin1(kEmpty[m_nShow]) : text});
    }
}

qint32 CSelezioneArticoloCore::ArticleAt(int index) const
{
    return index >= 0 && index < m_lines.size() ? m_lines.at(index).nId : 0;
}
