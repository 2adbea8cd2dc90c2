#include "desktop/catalogue/CCategorieViewCore.h"

#include "desktop/catalogue/CSostituzioneFile.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/dao/CDaoException.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CConfigurazioneSet.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QSqlQuery>

namespace {

const QString kValidation = QStringLiteral("Validazione campi");

// A language code names a folder: one plain name.
bool IsFolderName(const QString& code)
{
    return !code.isEmpty() && code != QLatin1String(".") && code != QLatin1String("..")
           && !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'));
}

template <class TSet>
bool FindById(TSet& set, qint32 id)
{
    set.m_strFilter = QStringLiteral("ID=?");
    set.m_filterParams = {id};
    set.Open();
    return !set.IsEOF();
}

} // namespace

CCategorieViewCore::CCategorieViewCore(CDaoDatabase& database, const QString& projectFolder)
    : m_db(database), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
}

void CCategorieViewCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CCategorieViewCore::Start()
{
    CConfigurazioneSet configuration(&m_db);
    configuration.Open();
    if (!configuration.IsEOF())
        m_nPictureWidth = configuration.m_DimCategorie;
    configuration.Close();
    Blank();
    m_nSelected = 0;
    Reload();
}

void CCategorieViewCore::RefreshLanguage(const QString& current, const QString& fallback)
{
    SetLanguages(current, fallback);
    Blank();
    m_nSelected = 0;
    Reload();
}

void CCategorieViewCore::Reload()
{
    m_tree.Load(m_db, m_strCurrent, m_strDefault);
    if (m_tree.IndexOf(m_nSelected) < 0)
        m_nSelected = 0;
}

void CCategorieViewCore::Blank()
{
    m_fields = Fields();
    m_bEditing = false;
}

void CCategorieViewCore::Select(qint32 id)
{
    if (id == m_nSelected)
        return;
    m_nSelected = m_tree.IndexOf(id) > 0 ? id : 0;
    Blank();
}

void CCategorieViewCore::Click(qint32 id)
{
    if (id <= 0) {
        Select(0);
        return;
    }
    if (id != m_nSelected) {
        Select(id);
        return;
    }
    m_fields = Stored(id);
    m_bEditing = true;
}

CCategorieViewCore::Fields CCategorieViewCore::Stored(qint32 id) const
{
    Fields fields;
    CCategorieGenSet categories(&m_db);
    if (FindById(categories, id))
        fields.strCodice = categories.m_Codice;
    CCategorieLinSet rows(&m_db);
    rows.m_strFilter = QStringLiteral("IDCategoria=? AND CodiceLingua=?");
    for (const QString& language : {m_strCurrent, m_strDefault}) {
        rows.m_filterParams = {id, language};
        rows.Open();
        if (!rows.IsEOF()) {
            fields.strNome = rows.m_Nome;
            fields.strDescrizione = rows.m_Descrizione;
            break;
        }
    }
    return fields;
}

bool CCategorieViewCore::CanMoveUp() const
{
    return m_tree.Sister(m_nSelected, -1) > 0;
}

bool CCategorieViewCore::CanMoveDown() const
{
    return m_tree.Sister(m_nSelected, +1) > 0;
}

// Only a code that is given must be unique: many categories have none.
bool CCategorieViewCore::CodeInUse(const QString& code, qint32 self) const
{
    if (code.isEmpty())
        return false;
    QSqlQuery query(m_db.Connection());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM Categorie WHERE Codice=? AND ID<>?"));
    query.addBindValue(code);
    query.addBindValue(self);
    CDaoDatabase::Exec(query, query.lastQuery());
    return query.next() && query.value(0).toInt() > 0;
}

CCategorieViewCore::Refusal CCategorieViewCore::Check(Fields& typed, qint32 self) const
{
    if (typed.strNome.trimmed().isEmpty())
        return Refusal{QStringLiteral("Campo obbligatorio!"), NomeField};
    typed.strCodice = typed.strCodice.toUpper();
    if (!typed.strCodice.isEmpty()) {
        const QChar first = typed.strCodice.at(0);
        if (first < QLatin1Char('A') || first > QLatin1Char('Z'))
            return Refusal{QStringLiteral("Il primo carattere del codice categoria non può essere un numero!"),
                           CodiceField};
    }
    if (CodeInUse(typed.strCodice, self))
        return Refusal{QStringLiteral("Codice categoria già presente in archivio!"), CodiceField};
    return Refusal();
}

void CCategorieViewCore::WriteLanguageRow(qint32 category, const QString& language, const QString& nome,
                                          const QString& descrizione, bool flagPicture)
{
    CCategorieLinSet rows(&m_db);
    rows.m_strFilter = QStringLiteral("IDCategoria=? AND CodiceLingua=?");
    rows.m_filterParams = {category, language};
    rows.Open();
    if (rows.IsEOF()) {
        const qint32 id = rows.GetNextID();
        rows.AddNew();
        rows.m_ID = id;
        rows.m_IDCategoria = category;
        rows.m_CodiceLingua = language;
        rows.m_Nome = nome;
        rows.m_Descrizione = descrizione;
    } else {
        rows.Edit();
        if (!flagPicture) {
            rows.m_Nome = nome;
            rows.m_Descrizione = descrizione;
        }
    }
    if (flagPicture)
        rows.m_ModificataFoto = true;
    rows.Update();
}

CCategorieViewCore::Refusal CCategorieViewCore::Insert(const Fields& typed)
{
    Fields fields = typed;
    const Refusal refusal = Check(fields, 0);
    if (refusal.IsRefused())
        return refusal;
    // The category and its names stand or fall together: a category
    // without a name row would show as nameless in every language.
    CDaoTransaction transaction(m_db);
    CCategorieGenSet categories(&m_db);
    categories.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    categories.Open();
    const qint32 id = categories.GetNextID();
    categories.AddNew();
    categories.m_ID = id;
    categories.m_Codice = fields.strCodice;
    categories.m_IDCategoriaPadre = m_nSelected;
    categories.m_Ordine = id;   // after its sisters
    categories.Update();
    WriteLanguageRow(id, m_strCurrent, fields.strNome, fields.strDescrizione);
    if (m_strCurrent != m_strDefault)
        WriteLanguageRow(id, m_strDefault, fields.strNome, fields.strDescrizione);
    transaction.Commit();
    Blank();
    Reload();
    return Refusal();
}

CCategorieViewCore::Refusal CCategorieViewCore::Save(const Fields& typed)
{
    if (!CanEdit())
        return Refusal();
    Fields fields = typed;
    const Refusal refusal = Check(fields, m_nSelected);
    if (refusal.IsRefused())
        return refusal;
    CCategorieGenSet categories(&m_db);
    if (!FindById(categories, m_nSelected))
        throw CDaoException(QStringLiteral("Categoria %1 non trovata.").arg(m_nSelected));
    CDaoTransaction transaction(m_db);
    categories.Edit();
    categories.m_Codice = fields.strCodice;
    categories.Update();
    WriteLanguageRow(m_nSelected, m_strCurrent, fields.strNome, fields.strDescrizione);
    transaction.Commit();
    Blank();
    m_nSelected = 0;
    Reload();
    return Refusal();
}

void CCategorieViewCore::Revert()
{
    if (m_nSelected > 0)
        m_fields = Stored(m_nSelected);
}

// The table classes delete a category's language rows, product links,
// field definitions, discounts, rights and pictures; the products stay.
QString CCategorieViewCore::DeleteQuestion() const
{
    const QVector<qint32> ids = m_tree.SubtreeBottomUp(m_nSelected);
    QStringList marks;
    QVariantList params;
    for (qint32 id : ids) {
        marks << QStringLiteral("?");
        params << id;
    }
    int products = 0;
    if (!ids.isEmpty()) {
        QSqlQuery query(m_db.Connection());
        query.prepare(QStringLiteral("SELECT COUNT(DISTINCT IDProdotto) FROM CategorieProdotti WHERE IDCategoria IN (%1)")
                          .arg(marks.join(QLatin1Char(','))));
        for (const QVariant& value : params)
            query.addBindValue(value);
        CDaoDatabase::Exec(query, query.lastQuery());
        products = query.next() ? query.value(0).toInt() : 0;
    }
    const int below = qMax(0, static_cast<int>(ids.size()) - 1);
    QString text = QStringLiteral("ATTENZIONE:\nquesta operazione cancellerà definitivamente la categoria \"%1\"")
                       .arg(m_tree.NameOf(m_nSelected));
    if (below == 1)
        text += QStringLiteral(" e la sua sottocategoria");
    else if (below > 1)
        text += QStringLiteral(" e le sue %1 sottocategorie").arg(below);
    text += QStringLiteral(", con i loro testi e le loro immagini.\n");
    if (products > 0)
        text += QStringLiteral("%1 prodotti non saranno più collegati a queste categorie, ma resteranno in archivio.\n")
                    .arg(products);
    return text + QStringLiteral("\nConfermi ?");
}

void CCategorieViewCore::Delete()
{
    if (m_nSelected > 0) {
        for (qint32 id : m_tree.SubtreeBottomUp(m_nSelected)) {
            CCategorieGenSet category(&m_db);
            category.m_strProjectFolder = m_strProjectFolder;
            if (FindById(category, id))
                category.Delete();
        }
    }
    Blank();
    m_nSelected = 0;
    Reload();
}

bool CCategorieViewCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    const qint32 other = m_tree.Sister(m_nSelected, direction);
    CCategorieGenSet a(&m_db);
    CCategorieGenSet b(&m_db);
    if (!FindById(a, m_nSelected) || !FindById(b, other))
        return false;
    const qint32 orderA = a.m_Ordine;
    const qint32 orderB = b.m_Ordine;
    CDaoTransaction transaction(m_db);
    a.Edit();
    a.m_Ordine = orderB;
    a.Update();
    b.Edit();
    b.m_Ordine = orderA;
    b.Update();
    transaction.Commit();
    Reload();
    return true;
}

bool CCategorieViewCore::Drop(qint32 source, qint32 target, int command)
{
    if (!m_tree.CanDrop(source, target, command == DropMove))
        return false;
    if (command == DropMove) {
        CCategorieGenSet category(&m_db);
        if (!FindById(category, source))
            return false;
        category.Edit();
        category.m_IDCategoriaPadre = target;
        category.Update();
    } else if (command == DropCopy) {
        CDaoTransaction transaction(m_db);
        CopyUnder(source, target);
        transaction.Commit();
    } else {
        return false;
    }
    Reload();
    return true;
}

// A copy is a new category: no code and no outside ID of its own (an ID
// from another system names one category only); its texts in the editing
// and default languages; its sub-categories copied the same way.
void CCategorieViewCore::CopyUnder(qint32 source, qint32 target)
{
    CCategorieGenSet copy(&m_db);
    copy.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
    copy.Open();
    const qint32 id = copy.GetNextID();
    copy.AddNew();
    copy.m_ID = id;
    copy.m_Codice.clear();
    copy.m_IDEsterno.clear();
    copy.m_Ordine = id;
    copy.m_IDCategoriaPadre = target;
    copy.Update();

    QStringList languages{m_strCurrent};
    if (m_strDefault != m_strCurrent)
        languages << m_strDefault;
    for (const QString& language : languages) {
        CCategorieLinSet from(&m_db);
        from.m_strFilter = QStringLiteral("IDCategoria=? AND CodiceLingua=?");
        from.m_filterParams = {source, language};
        from.Open();
        if (from.IsEOF())
            continue;
        CCategorieLinSet to(&m_db);
        to.m_strFilter = QStringLiteral("ID=0 AND ID<>0");
        to.Open();
        const qint32 rowId = to.GetNextID();
        to.AddNew();
        to.m_ID = rowId;
        to.m_IDCategoria = id;
        to.m_CodiceLingua = language;
        to.m_Nome = from.m_Nome;
        to.m_Descrizione = from.m_Descrizione;
        to.m_ModificataFoto = from.m_ModificataFoto;
        to.Update();
    }
    const int index = m_tree.IndexOf(source);
    for (int child : m_tree.Nodes().at(index).children)
        CopyUnder(m_tree.Nodes().at(child).nId, id);
}

QString CCategorieViewCore::PictureBase(qint32 id) const
{
    if (!IsFolderName(m_strCurrent))
        return QString();
    return m_strProjectFolder + QStringLiteral("website/images/categorie/") + m_strCurrent + QLatin1Char('/')
           + QString::number(id);
}

QString CCategorieViewCore::PicturePath() const
{
    const QString base = PictureBase(m_nSelected);
    if (m_nSelected <= 0 || base.isEmpty())
        return QString();
    for (const char* extension : {".jpg", ".gif"})
        if (QFileInfo::exists(base + QLatin1String(extension)))
            return base + QLatin1String(extension);
    return QString();
}

bool CCategorieViewCore::SetPicture(const QString& file, QString* error)
{
    const QString base = PictureBase(m_nSelected);
    if (!CanEdit() || base.isEmpty()) {
        *error = QStringLiteral("Nessuna categoria in modifica.");
        return false;
    }
    QImageReader reader(file);
    const bool gif = reader.format() == "gif";
    QImage image = reader.read();
    if (image.isNull()) {
        *error = QStringLiteral("Impossibile leggere l'immagine %1.").arg(file);
        return false;
    }
    CreatePath(QFileInfo(base).path());
    const QString target = base + (gif ? QStringLiteral(".gif") : QStringLiteral(".jpg"));
    QSaveFile out(target);
    bool written = out.open(QIODevice::WriteOnly);
    if (written && gif) {
        // No GIF writer here: a GIF keeps its own size and frames.
        QFile in(file);
        written = in.open(QIODevice::ReadOnly) && out.write(in.readAll()) >= 0;
    } else if (written) {
        if (m_nPictureWidth > 0 && image.width() > 0)
            image = image.convertToFormat(QImage::Format_RGB32)
                        .scaled(m_nPictureWidth, m_nPictureWidth * image.height() / image.width(),
                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        written = image.save(&out, "JPG");
    }
    if (!written) {
        out.cancelWriting();
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(target);
        return false;
    }
    // The upload flag and the picture go together or not at all: the old
    // picture is kept aside until the flag is committed.
    const Fields shown = m_fields.strNome.isEmpty() ? Stored(m_nSelected) : m_fields;
    CSostituzioneFile replacement;
    m_db.BeginTrans();
    try {
        WriteLanguageRow(m_nSelected, m_strCurrent, shown.strNome, shown.strDescrizione, true);
        if (!replacement.Replace(out, error)
            || !replacement.Remove(base + (gif ? QStringLiteral(".jpg") : QStringLiteral(".gif")), error)) {
            m_db.Rollback();
            replacement.Restore();
            return false;
        }
        m_db.CommitTrans();
    } catch (const CDaoException& failure) {
        m_db.Rollback();
        replacement.Restore();
        *error = failure.GetErrorMessage();
        return false;
    }
    replacement.Confirm();
    return true;
}
