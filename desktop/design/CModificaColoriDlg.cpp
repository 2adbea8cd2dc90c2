#include "desktop/design/CModificaColoriDlg.h"

CModificaColoriDlg::CModificaColoriDlg(CDaoDatabase&, const QString&, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Modifica colori"));
}

CModificaColoriDlg::~CModificaColoriDlg() = default;
