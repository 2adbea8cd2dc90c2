#pragma once

#include <QDialog>

// "Informazioni su Quintaro": the program's name, version and build.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kVersion = 50;
    static constexpr int kBuild = 4349;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // "5.0": the version number with a point after its first digit.
    static QString VersionText();
    static QString BuildText();
};
