#pragma once

#include <QDialog>
#include <QStringList>

class CDaoDatabase;

// "Definizione stili": the CSS classes of one block of the graphic
// project, each with its attributes on seven tabs.
class CDefinizioneStiliDlg : public QDialog
{
    Q_OBJECT
public:
    // projectFolder ends with "/"; the style clipboard belongs to the
    // opener and outlives the dialog.
    CDefinizioneStiliDlg(CDaoDatabase& graphic, CDaoDatabase& shop, qint32 blockId,
                         const QString& projectFolder, QStringList& styleClipboard,
                         QWidget* parent = nullptr);
    ~CDefinizioneStiliDlg() override;

    // A background moved between a plain and a per-language image: the
    // block's pages must be generated again.
    bool PerLanguageBackgroundChanged() const { return m_bPerLanguageChanged; }

private:
    bool m_bPerLanguageChanged = false;
};
