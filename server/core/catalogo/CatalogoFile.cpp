#include "server/core/catalogo/CatalogoFile.h"

#include "platform/asp/IAspServer.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kCartellaFile = QStringLiteral("/images/prodotti/files");
const QStringList kEstensioniFoto = {QStringLiteral(".jpg"), QStringLiteral(".gif")};

} // namespace

QString CatalogoFile::Trova(const QString& cartella, const QString& nome) const
{
    const QString percorso = m_server.MapPath(cartella);
    if (QFileInfo(QDir(percorso).filePath(nome)).isFile())
        return nome;
    for (const QString& voce : QDir(percorso).entryList(QDir::Files, QDir::Name)) {
        if (voce.compare(nome, Qt::CaseInsensitive) == 0)
            return voce;
    }
    return QString();
}

bool CatalogoFile::Foto(const QString& cartella, qint32 id, QString& foto, QString* thumbnail,
                        const QString& cartellaThumbnail) const
{
    for (const QString& estensione : kEstensioniFoto) {
        const QString nome = Trova(cartella, QString::number(id) + estensione);
        if (nome.isEmpty())
            continue;
        foto = cartella + nome;
        if (thumbnail)
            *thumbnail = cartellaThumbnail + nome;
        return true;
    }
    return false;
}

QString CatalogoFile::FileProdotto(qint32 idProdotto, const QString& codice) const
{
    const QString prefisso = (QString::number(idProdotto) + QLatin1Char('_') + codice).toLower();
    const QDir cartella(m_server.MapPath(kCartellaFile));
    for (const QString& voce : cartella.entryList(QDir::Files, QDir::Name)) {
        if (voce.size() > prefisso.size() + 1 && voce.mid(1, prefisso.size()).toLower() == prefisso
            && voce.at(prefisso.size() + 1) == QLatin1Char('.'))
            return kCartellaFile + QLatin1Char('/') + voce;
    }
    return QString();
}
