#pragma once

#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QByteArray>
#include <QVariant>

// A project folder made from the reference database, with an exchange
// folder named by path.ini and a scripts folder.
class ExchangeProject
{
public:
    ExchangeProject();

    QString Folder() const { return m_folder.Path(); }
    QString Exchange() const { return m_folder.FilePath("scambio"); }
    QString Database() const { return m_folder.FilePath("db/database.mdb"); }
    void WriteScript(const QString& name, const QByteArray& text) const;
    void CopySample(const QString& sample, const QString& to) const;
    QByteArray DatabaseBytes() const;
    QVariant Value(const QString& sql, const QVariantList& params = {}) const;

private:
    TempFolder m_folder;
};
