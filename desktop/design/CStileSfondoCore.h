#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class CDaoDatabase;

// The background page without its widgets: the image (attribute 26) as a
// file name under <project>/website/images, or under
// website/images/<Codice> for a language's own copy; the position
// (attribute 27) as two numbers. Files are copied and deleted at once,
// whatever the dialog's final button; a file name never leads outside the
// images folder.
class CStileSfondoCore
{
public:
    struct Language
    {
        qint32 nId = 0;
        QString strCode;          // Lingue.Codice: the folder of its images
        QString strDescription;   // shown in "Lingua"
    };

    // Another class's use of one of the image values (the plain and the
    // per-language one); a file still used is not deleted.
    using UsedElsewhere = std::function<bool(const QStringList& values)>;

    // projectFolder ends with "/".
    explicit CStileSfondoCore(const QString& projectFolder);

    // The active languages of the shop database, by description.
    void LoadLanguages(CDaoDatabase& shop);
    void SetLanguages(const QVector<Language>& languages) { m_languages = languages; }
    // "Lingua": "Indipendente dalla lingua", then each language.
    QStringList LanguageEntries() const;

    const QString& ImageName() const { return m_strName; }
    int ChosenLanguage() const { return m_nLanguage; }   // -1: none chosen
    bool ChangeEnabled() const { return m_nLanguage >= 0; }
    bool DeleteEnabled() const { return !m_strName.isEmpty(); }

    void SetImage(const QString& value);
    QString GetImage() const;
    void ChooseLanguage(int entry);
    // "Cambia" with the file chosen: the message to show when it is refused
    // (the name differs from the one shown), else "" after copying it.
    QString ChangeImage(const QString& sourcePath);
    // "Elimina".
    void DeleteImage(const UsedElsewhere& usedElsewhere);

    const QString& PositionX() const { return m_strX; }
    const QString& PositionY() const { return m_strY; }
    void SetPositionX(const QString& x) { m_strX = x; }
    void SetPositionY(const QString& y) { m_strY = y; }
    void SetPosition(const QString& value);
    QString GetPosition() const;

    // The two values an image name is stored as.
    static QString PlainValue(const QString& name);
    static QString PerLanguageValue(const QString& name);

private:
    QString ImagesFolder() const { return m_strProject + QStringLiteral("website/images"); }
    // <images>/<folder>/<name> ("" folder: the images folder itself), or ""
    // when the result would lie outside the images folder.
    QString ImagePath(const QString& folder, const QString& name) const;

    QString m_strProject;
    QVector<Language> m_languages;
    QString m_strName;
    int m_nLanguage = -1;
    QString m_strX;
    QString m_strY;
};
