#include "desktop/design/CDefinizioneStiliDlg.h"

CDefinizioneStiliDlg::CDefinizioneStiliDlg(CDaoDatabase&, CDaoDatabase&, qint32, const QString&,
                                           QStringList&, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Definizione stili"));
}

CDefinizioneStiliDlg::~CDefinizioneStiliDlg() = default;
