#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <stdexcept>

// One block of the demo shop's data file: "[Type key]" followed by
// "name = value" lines.
struct DemoRecord
{
    QString type;
    QString key;
    QString where;   // "file:line" of the block's heading, for messages
    QHash<QString, QString> values;

    bool Has(const QString& name) const { return values.contains(name); }
    QString Text(const QString& name) const { return values.value(name); }
    // The key as a whole number; throws DemoDataError when it is not one.
    qint32 Id() const;
    // A number written with a decimal point; fallback when the name is absent.
    double Number(const QString& name, double fallback = 0) const;
    qint32 Integer(const QString& name, qint32 fallback = 0) const;
    // "1", "si" or "yes" for true, "0", "no" for false.
    bool Flag(const QString& name, bool fallback = false) const;
};

class DemoDataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The demo shop's data file: readable text in blocks, each a record of one
// kind (shop, language, category, product, colour, group, customer,
// discount, company page, dictionary text). Lines starting with "#" are
// notes; "\n" in a value is a line break.
class DemoShopData
{
public:
    // Throws DemoDataError with the file and line of the first fault.
    static DemoShopData Read(const QString& path);
    static DemoShopData Parse(const QString& text, const QString& fileName);

    QList<DemoRecord> Records(const QString& type) const;
    const QList<DemoRecord>& All() const { return m_records; }

private:
    QList<DemoRecord> m_records;
};
