#include "desktop/content/CContentTreeCore.h"

#include "desktop/content/CContentTreeTables.h"
#include "desktop/shell/controls/CGifWriter.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CConfigurazioneSet.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

// A language code names a folder: one plain name.
bool IsFolderName(const QString& code)
{
    return !code.isEmpty() && code != QLatin1String(".") && code != QLatin1String("..")
           && !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'));
}

} // namespace

CContentTreeCore::CContentTreeCore(CDaoDatabase& database, Kind kind, const QString& projectFolder)
    : m_db(database), m_kind(kind), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
    if (kind == Sezioni)
        m_tables = CContentTreeTables::Sezioni(database, m_strProjectFolder);
    else
        m_tables = CContentTreeTables::Argomenti(
            database, kind == ArgomentiChat ? CContentTreeTables::Chat : CContentTreeTables::Forum, m_strProjectFolder);
}

CContentTreeCore::~CContentTreeCore() = default;

QString CContentTreeCore::Word(const char* section, const char* topic) const
{
    return QString::fromUtf8(m_kind == Sezioni ? section : topic);
}

void CContentTreeCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CContentTreeCore::Start()
{
    if (m_kind == Sezioni) {
        CConfigurazioneSet configuration(&m_db);
        configuration.Open();
        if (!configuration.IsEOF())
            m_nIconWidth = configuration.m_DimSezioni;
    }
    Blank();
    m_nSelected = 0;
    Reload();
}

void CContentTreeCore::RefreshLanguage(const QString& current, const QString& fallback)
{
    SetLanguages(current, fallback);
    Blank();
    m_nSelected = 0;
    Reload();
}

// Rows whose parent is not in the tree (left by an old deletion) stand at
// the top level, so nothing the merchant made disappears from view.
void CContentTreeCore::Reload()
{
    m_tree.Clear();
    const QVector<IContentTreeTables::Row> rows = m_tables->Rows();
    for (const IContentTreeTables::Row& row : rows) {
        QString name;
        QString descrizione;
        if (!m_tables->Texts(row.nId, m_strCurrent, &name, &descrizione))
            m_tables->Texts(row.nId, m_strDefault, &name, &descrizione);
        m_tree.Add(row.nId, name);
    }
    for (const IContentTreeTables::Row& row : rows) {
        const int index = m_tree.IndexOf(row.nId);
        int parent = qMax(0, m_tree.IndexOf(row.nParent));
        // A parent inside the row's own subtree would make a loop.
        for (int up = parent; up > 0; up = m_tree.Nodes().at(up).nParent)
            if (up == index) {
                parent = 0;
                break;
            }
        m_tree.Link(index, parent);
    }
    if (IndexOf(m_nSelected) <= 0)
        m_nSelected = 0;
}

void CContentTreeCore::Blank()
{
    m_fields = Fields();
    m_bEditing = false;
}

void CContentTreeCore::Select(qint32 id)
{
    if (id == m_nSelected)
        return;
    m_nSelected = IndexOf(id) > 0 ? id : 0;
    Blank();
}

void CContentTreeCore::Click(qint32 id)
{
    if (id <= 0 || IndexOf(id) <= 0) {
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

CContentTreeCore::Fields CContentTreeCore::Stored(qint32 id) const
{
    Fields fields;
    const IContentTreeTables::Main main = m_tables->ReadMain(id);
    fields.codice = main.codice;
    std::copy(std::begin(main.switches), std::end(main.switches), std::begin(fields.switches));
    if (!m_tables->Texts(id, m_strCurrent, &fields.nome, &fields.descrizione))
        m_tables->Texts(id, m_strDefault, &fields.nome, &fields.descrizione);
    return fields;
}

void CContentTreeCore::Revert()
{
    if (CanEdit())
        m_fields = Stored(m_nSelected);
}

bool CContentTreeCore::CanMoveUp() const
{
    return m_tree.Sister(m_nSelected, -1) > 0;
}

bool CContentTreeCore::CanMoveDown() const
{
    return m_tree.Sister(m_nSelected, +1) > 0;
}

CContentTreeCore::Refusal CContentTreeCore::Check(Fields& typed, qint32 self) const
{
    typed.nome = typed.nome.left(kNameLength);
    if (typed.nome.trimmed().isEmpty())
        return {QStringLiteral("Campo obbligatorio!"), NomeField};
    typed.codice = typed.codice.trimmed().toUpper().left(kCodeLength);
    if (!typed.codice.isEmpty() && (typed.codice.at(0) < QLatin1Char('A') || typed.codice.at(0) > QLatin1Char('Z')))
        return {QStringLiteral("Il primo carattere del codice %1 non può essere un numero!")
                    .arg(Word("sezione", "argomento")),
                CodiceField};
    // Only a given code must be unique: many rows have none.
    if (!typed.codice.isEmpty() && m_tables->CodeInUse(typed.codice, self))
        return {QStringLiteral("Codice %1 già presente in archivio!").arg(Word("sezione", "argomento")), CodiceField};
    return {};
}

CContentTreeCore::Refusal CContentTreeCore::Insert(const Fields& typed)
{
    if (!CanInsert())
        return {};
    Fields fields = typed;
    const Refusal refusal = Check(fields, 0);
    if (refusal.IsRefused())
        return refusal;
    IContentTreeTables::Main main;
    main.codice = fields.codice;
    std::copy(std::begin(fields.switches), std::end(fields.switches), std::begin(main.switches));
    CDaoTransaction transaction(m_db);
    const qint32 id = m_tables->NextID();
    m_tables->InsertMain(id, m_nSelected, main);
    m_tables->WriteTexts(id, m_strCurrent, fields.nome, fields.descrizione, false);
    if (m_strCurrent != m_strDefault)
        m_tables->WriteTexts(id, m_strDefault, fields.nome, fields.descrizione, false);
    transaction.Commit();
    Blank();
    Reload();
    return {};
}

CContentTreeCore::Refusal CContentTreeCore::Save(const Fields& typed)
{
    if (!CanEdit())
        return {};
    Fields fields = typed;
    const Refusal refusal = Check(fields, m_nSelected);
    if (refusal.IsRefused())
        return refusal;
    IContentTreeTables::Main main;
    main.codice = fields.codice;
    std::copy(std::begin(fields.switches), std::end(fields.switches), std::begin(main.switches));
    CDaoTransaction transaction(m_db);
    m_tables->UpdateMain(m_nSelected, main);
    m_tables->WriteTexts(m_nSelected, m_strCurrent, fields.nome, fields.descrizione, false);
    transaction.Commit();
    Blank();
    m_nSelected = 0;
    Reload();
    return {};
}

QString CContentTreeCore::DeleteCaption() const
{
    return Word("Cancellazione sezione", "Cancellazione argomento");
}

// The cascades delete the rows' texts, rights and icons; the articles of
// a section and the posts of a topic stay, no longer linked to it.
QString CContentTreeCore::DeleteQuestion() const
{
    const QVector<qint32> ids = SubtreeBottomUp(m_nSelected);
    const int below = qMax(0, static_cast<int>(ids.size()) - 1);
    const int linked = m_tables->LinkedCount(ids);
    const int index = IndexOf(m_nSelected);
    const QString name = index > 0 ? Nodes().at(index).strName : QString();
    QString text;
    if (m_kind == Sezioni) {
        text = QStringLiteral("ATTENZIONE:\nquesta operazione cancellerà definitivamente la sezione \"%1\"").arg(name);
        if (below == 1)
            text += QStringLiteral(" e la sua sottosezione");
        else if (below > 1)
            text += QStringLiteral(" e le sue %1 sottosezioni").arg(below);
        text += QStringLiteral(", con i loro testi e le loro icone.\n");
        if (linked > 0)
            text += QStringLiteral("%1 articoli non saranno più collegati a queste sezioni, ma resteranno in archivio.\n")
                        .arg(linked);
    } else {
        text = QStringLiteral("ATTENZIONE:\nquesta operazione cancellerà definitivamente l'argomento \"%1\"").arg(name);
        if (below == 1)
            text += QStringLiteral(" e il suo sottoargomento");
        else if (below > 1)
            text += QStringLiteral(" e i suoi %1 sottoargomenti").arg(below);
        text += QStringLiteral(", con i loro testi.\n");
        if (linked > 0)
            text += QStringLiteral("%1 interventi resteranno in archivio, non più collegati ad alcun argomento.\n")
                        .arg(linked);
    }
    return text + QStringLiteral("\nConfermi ?");
}

void CContentTreeCore::Delete()
{
    if (m_nSelected > 0) {
        CDaoTransaction transaction(m_db);
        for (qint32 id : SubtreeBottomUp(m_nSelected))
            m_tables->Delete(id);
        transaction.Commit();
    }
    Blank();
    m_nSelected = 0;
    Reload();
}

// The root is no row: nothing lies under it, and nothing is in its subtree.
QVector<qint32> CContentTreeCore::SubtreeBottomUp(qint32 id) const
{
    return id > 0 ? m_tree.SubtreeBottomUp(id) : QVector<qint32>();
}

bool CContentTreeCore::IsInSubtree(qint32 id, qint32 top) const
{
    return top > 0 && m_tree.IsInSubtree(id, top);
}

bool CContentTreeCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    const qint32 other = m_tree.Sister(m_nSelected, direction);
    CDaoTransaction transaction(m_db);
    m_tables->SwapOrder(m_nSelected, other);
    transaction.Commit();
    Reload();
    return true;
}

bool CContentTreeCore::Drop(qint32 source, qint32 target, int command)
{
    if (!m_tree.CanDrop(source, target, command == DropMove))
        return false;
    if (command == DropMove) {
        m_tables->SetParent(source, target);
    } else if (command == DropCopy) {
        CDaoTransaction transaction(m_db);
        CopyUnder(source, target);
        transaction.Commit();
    } else {
        return false;
    }
    Blank();
    Reload();
    return true;
}

// A copy is a new row: no code of its own; its texts in the editing and
// default languages; its children copied the same way. Icon files are not
// copied.
void CContentTreeCore::CopyUnder(qint32 source, qint32 target)
{
    QStringList languages{m_strCurrent};
    if (m_strDefault != m_strCurrent)
        languages << m_strDefault;
    const qint32 copy = m_tables->CopyRow(source, target, languages);
    for (int child : Nodes().at(IndexOf(source)).children)
        CopyUnder(Nodes().at(child).nId, copy);
}

QString CContentTreeCore::IconBase(qint32 id) const
{
    if (m_kind != Sezioni || id <= 0 || !IsFolderName(m_strCurrent))
        return QString();
    return m_strProjectFolder + QStringLiteral("website/images/sezioni/") + m_strCurrent + QLatin1Char('/')
           + QString::number(id);
}

QString CContentTreeCore::IconPath() const
{
    const QString base = IconBase(m_nSelected);
    if (base.isEmpty())
        return QString();
    for (const char* extension : {".jpg", ".gif"})
        if (QFileInfo::exists(base + QLatin1String(extension)))
            return base + QLatin1String(extension);
    return QString();
}

// The new icon is written beside the old one first; the language row is
// flagged for the upload; only then the old icon (of either type) goes and
// the new one takes its name. A picture that can't be read or written, or
// a flag that can't be saved, leaves the old icon and the row as they were.
bool CContentTreeCore::SetIcon(const QString& file, QString* error)
{
    const QString base = IconBase(m_nSelected);
    if (!CanEdit() || base.isEmpty()) {
        *error = QStringLiteral("Nessuna sezione in modifica.");
        return false;
    }
    QImageReader reader(file);
    const bool gif = reader.format() == "gif";
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0) {
        *error = QStringLiteral("Impossibile leggere l'immagine %1.").arg(file);
        return false;
    }
    if (m_nIconWidth > 0)
        image = image.convertToFormat(QImage::Format_RGB32)
                    .scaled(m_nIconWidth, m_nIconWidth * image.height() / image.width(), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    CreatePath(QFileInfo(base).path());
    const QString target = base + (gif ? QStringLiteral(".gif") : QStringLiteral(".jpg"));
    const QString written = base + QStringLiteral(".new") + (gif ? QStringLiteral(".gif") : QStringLiteral(".jpg"));
    QFile::remove(written);
    const bool saved = gif ? CGifWriter::Save(image, written, error) : image.save(written, "JPG");
    if (!saved) {
        QFile::remove(written);
        if (error->isEmpty())
            *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(target);
        return false;
    }
    try {
        const Fields shown = m_fields.nome.isEmpty() ? Stored(m_nSelected) : m_fields;
        m_tables->WriteTexts(m_nSelected, m_strCurrent, shown.nome, shown.descrizione, true);
    } catch (const CDaoException& failure) {
        QFile::remove(written);
        *error = failure.GetErrorMessage();
        return false;
    }
    QFile::remove(base + QStringLiteral(".jpg"));
    QFile::remove(base + QStringLiteral(".gif"));
    if (!QFile::rename(written, target)) {
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(target);
        return false;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    return true;
}
