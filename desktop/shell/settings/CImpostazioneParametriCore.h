#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class CDaoDatabase;
class CParametriSet;

// The rules of "Impostazione parametri": the parameters of one block of
// site code (table Parametri), each edited by its kind (0 text, 1 number,
// 2 image file, 3 on/off, 4 one of a list), written one at a time when the
// merchant moves to another parameter and on OK. Image files are copied
// into the project's image folder, or into a language's subfolder.
class CImpostazioneParametriCore
{
public:
    struct Entry
    {
        QString text;
        qint32 id;
    };

    // What the dialog shows for the current parameter.
    struct Shown
    {
        qint32 id = 0;
        int kind = -1;
        QString description;
        QString label;
        QString value;          // the text, the number or the file name
        bool check = false;     // kind 3
        QStringList choices;    // kind 4
        int choice = -1;
        bool showValue = false;
        bool valueReadOnly = false;
        bool showFile = false;      // "Cambia", "Elimina" and the language list
        bool showCheck = false;
        bool showChoices = false;
        bool canChange = false;
        bool canDelete = false;
        int language = -1;      // index in Languages(), -1 none
    };

    // db holds Parametri; shopDb the project's languages; projectFolder
    // ends with "/".
    CImpostazioneParametriCore(CDaoDatabase& db, CDaoDatabase& shopDb, qint32 idCodiceASP,
                               const QString& projectFolder);
    ~CImpostazioneParametriCore();

    const QVector<Entry>& Parameters() const { return m_parameters; }
    // "Indipendente dalla lingua" (0) and the active languages by name.
    const QVector<Entry>& Languages() const { return m_languages; }
    Shown& Current() { return m_shown; }
    QString ImageFolder() const { return m_strImages; }

    // Shows parameter index, saving the one shown first.
    void Select(int index);
    void SaveParameter();
    // OK: the shown parameter is written.
    void Accept() { SaveParameter(); }

    void ChooseLanguage(int index);
    // "Cambia" with the chosen file; false (after the message) when its name
    // is not the one already set.
    bool ChangeFile(const QString& path);
    // "Elimina".
    void DeleteFile();
    // The per-language site path of a file name.
    static QString PerLanguageValue(const QString& name);
    // Splits a kind-4 option list at its commas.
    static QStringList Choices(const QString& options);

private:
    void ShowKind();
    void DeleteImageFile(const QString& name);

    CDaoDatabase& m_db;
    std::unique_ptr<CParametriSet> m_pSet;
    QVector<Entry> m_parameters;
    QVector<Entry> m_languages;
    QStringList m_languageCodes;   // beside m_languages
    QString m_strImages;
    Shown m_shown;
};
