#include "platform/zip/CZipException.h"

#include <zip.h>

namespace {

QString Compose(int cause, const QString& path, const QString& detail)
{
    QString text = CZipException::CauseText(cause);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    if (!path.isEmpty())
        text += QStringLiteral(" (") + path + QStringLiteral(")");
    return text;
}

} // namespace

CZipException::CZipException(int cause, const QString& path, const QString& detail)
    : std::runtime_error(Compose(cause, path, detail).toStdString()), m_cause(cause), m_path(path),
      m_detail(detail)
{
}

QString CZipException::GetText() const
{
    return Compose(m_cause, m_path, m_detail);
}

QString CZipException::CauseText(int cause)
{
    switch (cause) {
    case StreamEnd: return QStringLiteral("Fine inattesa dei dati compressi");
    case NeedDictionary: return QStringLiteral("I dati compressi richiedono un dizionario");
    case ZlibFile: return QStringLiteral("Errore di file nella compressione");
    case ZlibStream: return QStringLiteral("Errore nel flusso compresso");
    case BadData: return QStringLiteral("Dati compressi danneggiati");
    case NoMemory: return QStringLiteral("Memoria insufficiente");
    case ZlibBuffer: return QStringLiteral("Errore di buffer nella compressione");
    case ZlibVersion: return QStringLiteral("Versione della libreria di compressione non compatibile");
    case Damaged: return QStringLiteral("Archivio danneggiato");
    case BadCrc: return QStringLiteral("Errore di CRC: il file estratto non corrisponde all'archivio");
    case NoVolumeCallback: return QStringLiteral("Archivio su dischi rimovibili non gestito");
    case VolumeRefused: return QStringLiteral("Cambio di volume annullato");
    case NotRemovable: return QStringLiteral("L'unità non è rimovibile");
    case TooManyVolumes: return QStringLiteral("Troppi volumi (al massimo 999)");
    case TooLongField: return QStringLiteral("Nome, campo aggiuntivo o commento troppo lungo");
    case BadPassword: return QStringLiteral("Password errata");
    case NoEndRecord: return QStringLiteral("Il file non è un archivio zip (fine della directory centrale non trovata)");
    case UnsafeName: return QStringLiteral("Nome non ammesso: porterebbe fuori dalla cartella di destinazione");
    case FileError: return QStringLiteral("Impossibile aprire o creare il file");
    default: return QStringLiteral("Errore nell'archivio zip");
    }
}

int CZipException::CauseOfLibzip(int libzipError)
{
    switch (libzipError) {
    case ZIP_ER_NOZIP: return NoEndRecord;
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_MULTIDISK:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP: return Damaged;
    case ZIP_ER_CRC: return BadCrc;
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA: return BadData;
    case ZIP_ER_MEMORY: return NoMemory;
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD: return BadPassword;
    case ZIP_ER_OPEN:
    case ZIP_ER_NOENT:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_WRITE:
    case ZIP_ER_RENAME:
    case ZIP_ER_CLOSE:
    case ZIP_ER_REMOVE: return FileError;
    default: return Generic;
    }
}
