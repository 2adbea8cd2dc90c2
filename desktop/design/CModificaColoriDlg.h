#pragma once

#include <QDialog>
#include <QSet>

class CDaoDatabase;

// "Modifica colori": every colour of the site's styles replaced in one
// place, and colours replaced inside the site's GIF images.
class CModificaColoriDlg : public QDialog
{
    Q_OBJECT
public:
    // projectFolder ends with "/".
    CModificaColoriDlg(CDaoDatabase& graphic, const QString& projectFolder, QWidget* parent = nullptr);
    ~CModificaColoriDlg() override;

    // The classes (AttributiCSS.IDClasse) whose attributes were changed:
    // their style sheets must be written again.
    const QSet<qint32>& ChangedClasses() const { return m_changedClasses; }

private:
    QSet<qint32> m_changedClasses;
};
