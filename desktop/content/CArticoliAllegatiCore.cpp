#include "desktop/content/CArticoliAllegatiCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CArticoliFilesLingueSet.h"
#include "recordset/CArticoliFilesSet.h"
#include "recordset/CArticoliLinkLingueSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/QtrRelatedRows.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kValidation = QStringLiteral("Validazione campi");

using Rows = CContentRows;

// The language row of a link or file: the table class, the column naming
// its parent.
template <class TLang>
struct Texts
{
    qint32 TLang::*parent;
    const char* criteria;   // "<parent>=%d AND CodiceLingua='%s'"
};

const Texts<CArticoliLinkLingueSet> kLinkTexts{&CArticoliLinkLingueSet::m_IDLink,
                                                "IDLink=%d AND CodiceLingua='%s'"};
const Texts<CArticoliFilesLingueSet> kFileTexts{&CArticoliFilesLingueSet::m_IDFiles,
                                                 "IDFiles=%d AND CodiceLingua='%s'"};

template <class TLang>
bool FindTexts(TLang& rows, const Texts<TLang>& texts, qint32 id, const QString& language)
{
    return Rows::OpenWhere(rows, CDaoCriteria::Format(QString::fromLatin1(texts.criteria), {id, language}));
}

// The title and description of id in current, else in fallback.
template <class TLang>
std::pair<QString, QString> ReadTexts(CDaoDatabase& db, const Texts<TLang>& texts, qint32 id, const QString& current,
                                      const QString& fallback)
{
    TLang rows(&db);
    if (FindTexts(rows, texts, id, current) || FindTexts(rows, texts, id, fallback))
        return {rows.m_Titolo, rows.m_Descrizione};
    return {};
}

template <class TLang>
void WriteTextsOf(CDaoDatabase& db, const Texts<TLang>& texts, qint32 id, const QString& language,
                  const QString& titolo, const QString& descrizione, bool onlyWhenMissing)
{
    TLang rows(&db);
    if (FindTexts(rows, texts, id, language)) {
        if (onlyWhenMissing)
            return;
        rows.Edit();
    } else {
        const qint32 rowId = rows.GetNextID();
        rows.AddNew();
        rows.m_ID = rowId;
        rows.*texts.parent = id;
        rows.m_CodiceLingua = language;
    }
    rows.m_Titolo = titolo;
    rows.m_Descrizione = descrizione;
    rows.m_Modificato = true;
    rows.Update();
}

} // namespace

CArticoliAllegatiCore::CArticoliAllegatiCore(CDaoDatabase& database, Kind kind, const QString& projectFolder)
    : m_db(database), m_kind(kind), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
}

void CArticoliAllegatiCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

QString CArticoliAllegatiCore::Folder() const
{
    return m_strProjectFolder + QStringLiteral("website/images/articoli/files");
}

QString CArticoliAllegatiCore::StoredFile(qint32 id) const
{
    const QStringList files = MatchRecordFiles(Folder(), id, QString());
    return files.isEmpty() ? QString() : files.first();
}

void CArticoliAllegatiCore::SetArticle(qint32 article)
{
    m_nArticle = article;
    Reload();
}

void CArticoliAllegatiCore::Reload()
{
    m_rows.clear();
    Blank();
    if (m_nArticle <= 0)
        return;
    const CDaoCriteria ofArticle = CDaoCriteria::Format(QStringLiteral("IDArticolo=%d"), {m_nArticle});
    if (m_kind == Link) {
        CArticoliLinkSet links(&m_db);
        links.SetFilter(ofArticle);
        links.m_strSort = QStringLiteral("Ordine");
        links.Open();
        for (; !links.IsEOF(); links.MoveNext())
            m_rows.append({links.m_ID, ReadTexts(m_db, kLinkTexts, links.m_ID, m_strCurrent, m_strDefault).first,
                           links.m_URL});
    } else {
        CArticoliFilesSet files(&m_db);
        files.SetFilter(ofArticle);
        files.m_strSort = QStringLiteral("Ordine");
        files.Open();
        for (; !files.IsEOF(); files.MoveNext())
            m_rows.append({files.m_ID, files.m_Codice,
                           ReadTexts(m_db, kFileTexts, files.m_ID, m_strCurrent, m_strDefault).first});
    }
}

void CArticoliAllegatiCore::Blank()
{
    m_nSelected = -1;
    m_fields = Fields();
}

CArticoliAllegatiCore::Buttons CArticoliAllegatiCore::ButtonState() const
{
    Buttons buttons;
    if (m_nSelected < 0) {
        buttons.add = m_nArticle > 0;
        return buttons;
    }
    buttons.add = false;
    buttons.save = buttons.remove = true;
    buttons.open = m_kind == File;
    buttons.up = m_nSelected > 0;
    buttons.down = m_nSelected + 1 < m_rows.size();
    return buttons;
}

void CArticoliAllegatiCore::ReadFields(qint32 id)
{
    m_fields = Fields();
    if (m_kind == Link) {
        CArticoliLinkSet link(&m_db);
        if (Rows::OpenWhere(link, Rows::ById(id))) {
            m_fields.url = link.m_URL;
            m_fields.esterno = link.m_Esterno;
        }
        std::tie(m_fields.titolo, m_fields.descrizione) = ReadTexts(m_db, kLinkTexts, id, m_strCurrent, m_strDefault);
    } else {
        CArticoliFilesSet file(&m_db);
        if (Rows::OpenWhere(file, Rows::ById(id)))
            m_fields.codice = file.m_Codice;
        std::tie(m_fields.titolo, m_fields.descrizione) = ReadTexts(m_db, kFileTexts, id, m_strCurrent, m_strDefault);
    }
}

void CArticoliAllegatiCore::Select(int index)
{
    if (index < 0 || index >= m_rows.size()) {
        Blank();
        return;
    }
    m_nSelected = index;
    ReadFields(m_rows.at(index).nId);
}

bool CArticoliAllegatiCore::Refuse(const QString& text, Field field)
{
    CMessageBox::Show(nullptr, text, kValidation, CMessageBox::Stop);
    if (m_focus)
        m_focus(field);
    return false;
}

bool CArticoliAllegatiCore::CheckFields(Fields& fields, bool adding)
{
    if (m_kind == Link) {
        fields.url = fields.url.left(kUrlLength);
        if (fields.url.trimmed().isEmpty())
            return Refuse(QStringLiteral("Campo obbligatorio!"), UrlField);
        return true;
    }
    fields.codice = fields.codice.trimmed().toUpper().left(kFileCodeLength);
    if (fields.codice.isEmpty())
        return Refuse(QStringLiteral("Campo obbligatorio!"), CodiceField);
    if (fields.codice.at(0) < QLatin1Char('A') || fields.codice.at(0) > QLatin1Char('Z'))
        return Refuse(QStringLiteral("Il primo carattere del codice file non può essere un numero!"), CodiceField);
    if (adding)
        for (const Row& row : m_rows)
            if (row.first.compare(fields.codice, Qt::CaseInsensitive) == 0)
                return Refuse(QStringLiteral("Codice già presente!"), CodiceField);
    return true;
}

void CArticoliAllegatiCore::WriteTexts(qint32 id, const QString& language, const Fields& fields, bool onlyWhenMissing)
{
    if (m_kind == Link)
        WriteTextsOf(m_db, kLinkTexts, id, language, fields.titolo, fields.descrizione, onlyWhenMissing);
    else
        WriteTextsOf(m_db, kFileTexts, id, language, fields.titolo, fields.descrizione, onlyWhenMissing);
}

// The chosen file is copied whole beside the old one before the old one
// goes, so a copy that fails leaves the stored file as it was.
bool CArticoliAllegatiCore::ChooseAndCopy(qint32 id)
{
    const QString chosen = m_chooseFile ? m_chooseFile() : QString();
    if (chosen.isEmpty())
        return false;
    const QString folder = Folder();
    CreatePath(folder);
    const QString extension = QFileInfo(chosen).suffix().toLower();
    const QString target = folder + QLatin1Char('/') + QString::number(id)
                           + (extension.isEmpty() ? QString() : QLatin1Char('.') + extension);
    const QString copy = target + QStringLiteral(".new");
    QFile::remove(copy);
    if (!QFile::copy(chosen, copy)) {
        CMessageBox::Show(nullptr, QStringLiteral("Impossibile copiare il file %1.").arg(chosen),
                          QStringLiteral("Files"), CMessageBox::Stop);
        return false;
    }
    for (const QString& old : MatchRecordFiles(folder, id, QString()))
        if (old != copy)
            QFile::remove(old);
    QFile::rename(copy, target);
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    return true;
}

bool CArticoliAllegatiCore::Add(const Fields& typed)
{
    Fields fields = typed;
    if (m_nArticle <= 0 || !CheckFields(fields, true))
        return false;
    qint32 id = 0;
    if (m_kind == Link) {
        CArticoliLinkSet link(&m_db);
        link.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        link.Open();
        id = link.GetNextID();
        CDaoTransaction transaction(m_db);
        link.AddNew();
        link.m_ID = id;
        link.m_IDArticolo = m_nArticle;
        link.m_URL = fields.url;
        link.m_Ordine = id;
        link.m_Esterno = fields.esterno;
        link.m_Modificato = true;
        link.Update();
        WriteTexts(id, m_strCurrent, fields, false);
        if (m_strCurrent != m_strDefault)
            WriteTexts(id, m_strDefault, fields, true);
        transaction.Commit();
        m_rows.append({id, fields.titolo, fields.url});
    } else {
        CArticoliFilesSet file(&m_db);
        file.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        file.Open();
        id = file.GetNextID();
        if (!ChooseAndCopy(id)) {
            Blank();
            return false;
        }
        CDaoTransaction transaction(m_db);
        file.AddNew();
        file.m_ID = id;
        file.m_Ordine = id;
        file.m_IDArticolo = m_nArticle;
        file.m_Codice = fields.codice;
        file.m_ModificatoFile = true;
        file.m_Modificato = true;
        file.Update();
        WriteTexts(id, m_strCurrent, fields, false);
        if (m_strCurrent != m_strDefault)
            WriteTexts(id, m_strDefault, fields, true);
        transaction.Commit();
        m_rows.append({id, fields.codice, fields.titolo});
    }
    Blank();
    return true;
}

bool CArticoliAllegatiCore::Save(const Fields& typed)
{
    Fields fields = typed;
    if (m_nSelected < 0 || !CheckFields(fields, false))
        return false;
    Row& row = m_rows[m_nSelected];
    if (m_kind == Link) {
        CArticoliLinkSet link(&m_db);
        if (!Rows::OpenWhere(link, Rows::ById(row.nId)))
            return false;
        CDaoTransaction transaction(m_db);
        link.Edit();
        link.m_URL = fields.url;
        link.m_Esterno = fields.esterno;
        link.m_Modificato = true;
        link.Update();
        WriteTexts(row.nId, m_strCurrent, fields, false);
        transaction.Commit();
        row.first = fields.titolo;
        row.second = fields.url;
    } else {
        // Cancelling the file dialog keeps the stored file and its flag.
        const bool copied = ChooseAndCopy(row.nId);
        CArticoliFilesSet file(&m_db);
        if (!Rows::OpenWhere(file, Rows::ById(row.nId)))
            return false;
        CDaoTransaction transaction(m_db);
        file.Edit();
        file.m_Codice = fields.codice;
        if (copied)
            file.m_ModificatoFile = true;
        file.m_Modificato = true;
        file.Update();
        WriteTexts(row.nId, m_strCurrent, fields, false);
        transaction.Commit();
        row.first = fields.codice;
        row.second = fields.titolo;
    }
    Blank();
    return true;
}

bool CArticoliAllegatiCore::Delete()
{
    if (m_nSelected < 0) {
        Blank();
        return false;
    }
    const QString caption = m_kind == Link ? QStringLiteral("Cancellazione link") : QStringLiteral("Cancellazione file");
    const qint32 id = m_rows.at(m_nSelected).nId;
    bool deleted = false;
    if (CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), caption, CMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes) {
        if (m_kind == Link) {
            CArticoliLinkSet link(&m_db);
            if (Rows::OpenWhere(link, Rows::ById(id)))
                link.Delete();
        } else {
            CArticoliFilesSet file(&m_db);
            file.m_strProjectFolder = m_strProjectFolder;
            if (Rows::OpenWhere(file, Rows::ById(id)))
                file.Delete();
        }
        m_rows.removeAt(m_nSelected);
        deleted = true;
    }
    Blank();
    return deleted;
}

bool CArticoliAllegatiCore::Move(int direction)
{
    const int other = m_nSelected + direction;
    if (m_nSelected < 0 || other < 0 || other >= m_rows.size())
        return false;
    if (m_kind == Link)
        Rows::SwapOrder<CArticoliLinkSet>(m_db, m_rows.at(m_nSelected).nId, m_rows.at(other).nId);
    else
        Rows::SwapOrder<CArticoliFilesSet>(m_db, m_rows.at(m_nSelected).nId, m_rows.at(other).nId);
    m_rows.swapItemsAt(m_nSelected, other);
    m_nSelected = other;
    return true;
}

void CArticoliAllegatiCore::Open()
{
    if (m_nSelected < 0 || m_kind != File)
        return;
    const QString path = StoredFile(m_rows.at(m_nSelected).nId);
    if (path.isEmpty())
        CMessageBox::Show(nullptr, QStringLiteral("File non trovato!"), QString(), CMessageBox::Exclamation);
    else if (!m_openFile || !m_openFile(path))
        CMessageBox::Show(nullptr, QStringLiteral("Impossibile aprire il file!"), QString(), CMessageBox::Exclamation);
    Blank();
}
