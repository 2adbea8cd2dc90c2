#pragma once

#include <QString>

class CDaoDatabase;

// The rules of the "Chi siamo" page, without widgets: the company's
// presentation text and logo, one of each per language. The text is saved
// for the language it was read for, and only when it changed; the logo is
// written at once as website/images/<language>/su_logo.gif and its row
// flagged so the next site update sends it.
class CChiSiamoCore
{
public:
    CChiSiamoCore(CDaoDatabase& db, const QString& projectFolder, const QString& language);

    const QString& Language() const { return m_strLanguage; }
    // The text stored for the language; empty when it has no row yet.
    const QString& StoredText() const { return m_strStored; }
    int LogoWidth() const { return m_nLogoWidth; }
    // The logo file of the language (it may not exist yet); empty when the
    // language code cannot name a folder.
    QString LogoPath() const;

    // Reads the text of language; nothing of the language shown before
    // stays.
    void Load(const QString& language);
    // The text differs from the stored one, or a new logo waits for its row.
    bool IsModified(const QString& text) const;
    // Writes the text for the language it was read for, when modified.
    void Save(const QString& text);
    // Saves the text shown, when modified, then reads language.
    void ChangeLanguage(const QString& language, const QString& text);
    // Stores file, scaled to the logo width, as the language's logo. The old
    // logo stays when the picture cannot be read or written.
    bool SetLogo(const QString& file, QString* error);

private:
    void WriteRow(const QString& text);

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QString m_strLanguage;
    QString m_strStored;
    int m_nLogoWidth = 0;
    bool m_bHasRow = false;
    bool m_bLogoPending = false;
};
